# The Wine test spooler_environment.test.sh runs the setup engine's driver
# registration against the real spooler with this.
if(PKG_WIN32)
  add_executable(environment_probe ${CMAKE_CURRENT_LIST_DIR}/environment_probe.cpp)
  target_link_libraries(environment_probe PRIVATE pkg_setup_engine pkg_win32)
endif()
