# Lists the spooler's printers and drivers for the Wine tests of the programs.
if(PKG_WIN32 OR PKG_WIN64)
  add_executable(printers_probe ${CMAKE_CURRENT_LIST_DIR}/printers_probe.cpp)
  target_link_libraries(printers_probe PRIVATE winspool)
endif()
