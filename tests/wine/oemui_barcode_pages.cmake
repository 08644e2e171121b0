# oemui_barcode_pages.exe: the 1D and 2D Code pages of the real 57KXUI.dll in a
# real property sheet (run by oemui_barcode.test.sh and the screenshots).
if(PKG_WIN64)
  add_executable(oemui_barcode_pages ${CMAKE_CURRENT_LIST_DIR}/oemui_barcode_pages.cpp)
  target_compile_definitions(oemui_barcode_pages PRIVATE UNICODE _UNICODE)
  target_link_libraries(oemui_barcode_pages PRIVATE comctl32)
endif()
