# oemui_download_probe.exe: the Download and Font pages of the real 57KXUI.dll in a
# real property sheet (run by oemui_download.test.sh and the screenshots).
if(PKG_WIN64)
  add_executable(oemui_download_probe ${CMAKE_CURRENT_LIST_DIR}/oemui_download_probe.cpp)
  target_compile_definitions(oemui_download_probe PRIVATE UNICODE _UNICODE)
  target_link_libraries(oemui_download_probe PRIVATE comctl32)
endif()
