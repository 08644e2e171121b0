# The Wine test device_setup.test.sh runs the real SetupAPI through the seam's
# Win32 adapters with this.
add_executable(device_setup_probe ${CMAKE_CURRENT_LIST_DIR}/device_setup_probe.cpp)
target_link_libraries(device_setup_probe PRIVATE pkg_win32)
