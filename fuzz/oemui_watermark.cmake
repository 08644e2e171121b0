# The watermark page's reader of users' bitmaps.
pkg_fuzz(oemui_bitmap_to_24 ${CMAKE_CURRENT_SOURCE_DIR}/oemui_bitmap_to_24.cpp pkg_oemui_core
         pkg_sim)
