# Which libraries each test folder links.
pkg_test(common pkg_common pkg_sim)
pkg_test(platform pkg_sim pkg_common)
pkg_test(setup pkg_setup pkg_sim)
pkg_test(sim pkg_setup pkg_sim)
pkg_test(logo pkg_logo logotool_cli)
pkg_test(oemui pkg_oemui_core pkg_sim)
pkg_test(usbinstall pkg_usbinstall pkg_sim)
