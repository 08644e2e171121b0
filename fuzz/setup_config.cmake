# The setup configuration reader, which resolves the install plan from the
# package's configuration files.
pkg_fuzz(setup_config ${CMAKE_CURRENT_SOURCE_DIR}/setup_config.cpp pkg_setup_engine)
