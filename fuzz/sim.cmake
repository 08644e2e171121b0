# Readers of the simulated machine: version resources of executables, the TCP/IP
# port record of XcvDataW, and a machine folder's saved state.
pkg_fuzz(pe_version ${CMAKE_CURRENT_SOURCE_DIR}/pe_version.cpp pkg_sim)
pkg_fuzz(tcp_port_record ${CMAKE_CURRENT_SOURCE_DIR}/tcp_port_record.cpp pkg_sim)
pkg_fuzz(machine_state ${CMAKE_CURRENT_SOURCE_DIR}/machine_state.cpp pkg_sim pkg_profile)
