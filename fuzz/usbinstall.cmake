# Install's command line, and the simulated machine's INF and cabinet readers
# that serve its device installation.
pkg_fuzz(usbinstall_command_line ${CMAKE_CURRENT_SOURCE_DIR}/usbinstall_command_line.cpp pkg_usbinstall)
pkg_fuzz(sim_inf_file ${CMAKE_CURRENT_SOURCE_DIR}/sim_inf_file.cpp pkg_sim)
pkg_fuzz(sim_cabinet ${CMAKE_CURRENT_SOURCE_DIR}/sim_cabinet.cpp pkg_sim)
