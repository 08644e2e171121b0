// Resource and control ids of Tessaly: its dialog templates, icon and strings.
#pragma once

#define IDD_ABOUTBOX 100
#define IDD_WIZARD 102
#define IDR_MAINFRAME 128
#define IDD_OS_PAGE 130
#define IDD_TYPE_PAGE 131
#define IDD_PORT_PAGE 132
#define IDD_LICENCE_PAGE 133
#define IDD_MODE_PAGE 137
#define IDD_PROGRESS 141

// System-menu command of the About box (below 0xF000, as the menu requires).
#define IDM_ABOUTBOX 0x0010

// Frame
#define IDC_PAGE_AREA 1001
#define IDC_BACK 1002
#define IDC_LEFT_PICTURE 1087
#define IDC_HELP_HINT 1093

// About box
#define IDC_ABOUT_VERSION 1091
#define IDC_ABOUT_COPYRIGHT 1092

// Type and model page
#define IDC_RECEIPT 1019
#define IDC_TICKET 1020
#define IDC_LABEL 1021
#define IDC_EMBEDDED 1073
#define IDC_RECEIPT_MODELS 1030
#define IDC_TICKET_MODELS 1031
#define IDC_LABEL_MODELS 1032
#define IDC_EMBEDDED_MODELS 1074
#define IDC_SET_DEFAULT 1046
#define IDC_SERIES_GROUP 1094

// Operating-system page
#define IDC_OS_98 1026
#define IDC_OS_NT 1027
#define IDC_OS_2000 1028
#define IDC_OS_XP 1029
#define IDC_OS_2003 1075
#define IDC_OS_VISTA 1076
#define IDC_OS_2008 1077
#define IDC_OS_7 1078
#define IDC_OS_GROUP 1094

// Port page
#define IDC_BAUD 1041
#define IDC_BYTE_SIZE 1042
#define IDC_PARITY 1043
#define IDC_STOP_BITS 1044
#define IDC_PROTOCOL 1045
#define IDC_PORTS 1049
#define IDC_RASTER 1052
#define IDC_USB_WARNING 1065
#define IDC_PORT_GROUP 1095
#define IDC_PORTS_LABEL 1096
#define IDC_COM_GROUP 1097
#define IDC_BAUD_LABEL 1098
#define IDC_PARITY_LABEL 1099
#define IDC_BYTE_SIZE_LABEL 1100
#define IDC_STOP_BITS_LABEL 1101
#define IDC_PROTOCOL_LABEL 1102
#define IDC_IP_LABEL 1103
#define IDC_NO_COM_NOTE 1105
#define IDC_IP_ADDRESS 1106

// Licence page
#define IDC_ACCEPT 1057
#define IDC_REJECT 1058
#define IDC_LICENCE_TEXT 1081
#define IDC_LICENCE_GROUP 1090

// Install-mode page
#define IDC_TYPICAL 1066
#define IDC_ADVANCED 1067
#define IDC_NOTE1 1068
#define IDC_NOTE2 1069
#define IDC_NOTE3 1070
#define IDC_MODE_GROUP 1103
#define IDC_REMARKS 1104

// Progress dialog
#define IDC_PROGRESS_BAR 1079

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
