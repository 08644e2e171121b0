# The response files and command lines of Tessaly.exe /quiet and Uninstall.exe /quiet.
pkg_fuzz(quiet_response ${CMAKE_CURRENT_SOURCE_DIR}/quiet_response.cpp setup_scripted
         uninstall_scripted)
