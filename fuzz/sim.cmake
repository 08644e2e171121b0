# Readers of the simulated machine and of drvsim: version resources and machine types of executables,
# the TCP/IP port record of XcvDataW, a machine folder's saved state, drvsim's command line.
pkg_fuzz(pe_version ${CMAKE_CURRENT_SOURCE_DIR}/pe_version.cpp pkg_sim)
pkg_fuzz(pe_machine ${CMAKE_CURRENT_SOURCE_DIR}/pe_machine.cpp pkg_sim)
pkg_fuzz(tcp_port_record ${CMAKE_CURRENT_SOURCE_DIR}/tcp_port_record.cpp pkg_sim)
pkg_fuzz(machine_state ${CMAKE_CURRENT_SOURCE_DIR}/machine_state.cpp pkg_sim pkg_profile)
if(TARGET drvsim_cli)
  pkg_fuzz(drvsim_args ${CMAKE_CURRENT_SOURCE_DIR}/drvsim_args.cpp drvsim_cli)
endif()
