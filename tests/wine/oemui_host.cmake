# oemui_host.exe: loads the real 57KXUI.dll and drives it as the universal
# printer driver's UI host does (run by oemui.test.sh under Wine).
if(PKG_WIN64)
  add_executable(oemui_host ${CMAKE_CURRENT_LIST_DIR}/oemui_host.cpp)
  target_compile_definitions(oemui_host PRIVATE UNICODE _UNICODE)
  target_link_libraries(oemui_host PRIVATE comctl32 version)
endif()
