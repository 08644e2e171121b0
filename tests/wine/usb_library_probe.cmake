# The Wine test usb_library.test.sh: the seam's adapter of the maker's USB
# library called on two stand-in libraries, one cleaning up its arguments
# itself (stdcall) and one leaving that to the caller (cdecl).
if(PKG_WIN32)
  foreach(convention stdcall cdecl)
    add_library(kvusbint_${convention} SHARED ${CMAKE_CURRENT_LIST_DIR}/kvusbint_standin.cpp)
    target_compile_definitions(kvusbint_${convention} PRIVATE KV_CALL=__${convention})
    target_link_options(kvusbint_${convention} PRIVATE -Wl,--kill-at)
    set_target_properties(kvusbint_${convention} PROPERTIES
      OUTPUT_NAME KvUsbInt PREFIX ""
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/kvusbint_${convention}
      ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/kvusbint_${convention})
  endforeach()
  add_executable(usb_library_probe ${CMAKE_CURRENT_LIST_DIR}/usb_library_probe.cpp)
  target_link_libraries(usb_library_probe PRIVATE pkg_win32)
endif()
# The 64-bit build of Tessaly.exe (for machines that run no 32-bit code) loads
# a 64-bit library, where there is one calling convention.
if(PKG_WIN64)
  add_library(kvusbint_x64 SHARED ${CMAKE_CURRENT_LIST_DIR}/kvusbint_standin.cpp)
  target_compile_definitions(kvusbint_x64 PRIVATE KV_CALL=)
  set_target_properties(kvusbint_x64 PROPERTIES
    OUTPUT_NAME KvUsbInt PREFIX ""
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/kvusbint_x64
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/kvusbint_x64)
endif()
