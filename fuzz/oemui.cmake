# The plug-in's settings record as it arrives in a job's DEVMODE: convert and
# merge over arbitrary records, sizes and host buffers.
pkg_fuzz(oemui_settings ${CMAKE_CURRENT_SOURCE_DIR}/oemui_settings.cpp pkg_oemui_core)
# Command text typed, pasted or stored, and the control-font table file.
pkg_fuzz(oemui_hex_command ${CMAKE_CURRENT_SOURCE_DIR}/oemui_hex_command.cpp pkg_oemui_core)
pkg_fuzz(oemui_control_table ${CMAKE_CURRENT_SOURCE_DIR}/oemui_control_table.cpp pkg_oemui_core
         pkg_sim)
