// Resource and control ids of Install.
#pragma once

#define IDM_ABOUTBOX 0x0010 // system-menu command; below 0xF000 as the menu requires
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_INSTALL_DIALOG 102
#define IDR_MAINFRAME 128
#define IDC_INSTALL 1002
#define IDC_LOG 1007
#define IDC_ABOUT_VERSION 1010

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
