# profile_compare.exe: the profile-file engine against the system's
# GetPrivateProfileStringA (run by profile_compare.test.sh under Wine).
if(PKG_TARGET_WINDOWS)
  add_executable(profile_compare ${CMAKE_CURRENT_LIST_DIR}/profile_compare.cpp)
  target_link_libraries(profile_compare PRIVATE pkg_profile)
endif()
