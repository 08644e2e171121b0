// Resource and control ids of Uninstall: its dialog templates and icon.
#pragma once

#define IDD_ABOUTBOX 100
#define IDD_UNINSTALL 102
#define IDR_MAINFRAME 128
#define IDD_RESTART 129

// System-menu command of the About box (below 0xF000, as the menu requires).
#define IDM_ABOUTBOX 0x0010

// Main dialog
#define IDC_UNINSTALL 1002
#define IDC_NOTE 1006
#define IDC_MESSAGES 1008
#define IDC_ITEMS 1010
#define IDC_SELECT_ALL 1012
#define IDC_USB_DRIVER 1019

// Restart dialog
#define IDC_REBOOT_NOTE1 1014
#define IDC_REBOOT_NOTE2 1015
#define IDC_REBOOT_NOTE3 1016

// About box
#define IDC_ABOUT_VERSION 1017
#define IDC_ABOUT_COPYRIGHT 1018

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
