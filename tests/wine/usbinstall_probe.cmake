# The Wine test of Install (usbinstall.test.sh) watches its window with this.
add_executable(usbinstall_probe ${CMAKE_CURRENT_LIST_DIR}/usbinstall_probe.cpp)
