# The plug-in's settings record as it arrives in a job's DEVMODE: convert and
# merge over arbitrary records, sizes and host buffers.
pkg_fuzz(oemui_settings ${CMAKE_CURRENT_SOURCE_DIR}/oemui_settings.cpp pkg_oemui_core)
