# oemui_ops_probe.exe: the Operation and Utility pages of the real 57KXUI.dll in
# a real property sheet, with their dialogs (run by oemui_ops.test.sh and by
# the screenshot script).
if(PKG_WIN64)
  add_executable(oemui_ops_probe ${CMAKE_CURRENT_LIST_DIR}/oemui_ops_probe.cpp)
  target_compile_definitions(oemui_ops_probe PRIVATE UNICODE _UNICODE)
  target_link_libraries(oemui_ops_probe PRIVATE comctl32 winspool)
endif()
