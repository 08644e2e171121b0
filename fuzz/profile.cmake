# The profile-file engine, which reads every configuration and language file.
pkg_fuzz(profile_file ${CMAKE_CURRENT_SOURCE_DIR}/profile_file.cpp pkg_profile)
