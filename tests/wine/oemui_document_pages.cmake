# oemui_document_pages.exe: the "Main" and "Water Mark" pages of the real
# 57KXUI.dll in a real property sheet (run by oemui_document_pages.test.sh
# under Wine, and by the screenshot script to show them).
if(PKG_WIN64)
  add_executable(oemui_document_pages ${CMAKE_CURRENT_LIST_DIR}/oemui_document_pages.cpp)
  target_compile_definitions(oemui_document_pages PRIVATE UNICODE _UNICODE)
  target_link_libraries(oemui_document_pages PRIVATE comctl32 gdi32)
endif()
