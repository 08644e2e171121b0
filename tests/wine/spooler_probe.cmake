# The Wine test spooler_seam.test.sh runs the real spooler, service manager and
# version resources through the seam's Win32 adapters with this.
if(PKG_TARGET_WINDOWS)
  add_executable(spooler_probe ${CMAKE_CURRENT_LIST_DIR}/spooler_probe.cpp)
  target_link_libraries(spooler_probe PRIVATE pkg_win32)
endif()
