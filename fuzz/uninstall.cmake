# Uninstall.ini, which tells the uninstaller what it may delete.
pkg_fuzz(uninstall_config ${CMAKE_CURRENT_SOURCE_DIR}/uninstall_config.cpp pkg_uninstall)
