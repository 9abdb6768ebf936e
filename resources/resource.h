// Resource ids of the plug-in: dialog templates, their controls and the window icon.
// Read by the resource compiler and by C++, portable code included (it needs no windows.h): keep it to plain
// #defines. An id named here is written nowhere else: C++ names it through its #define.
#pragma once

// Dialog templates and the icon.
#define IDD_CABRILLO 101
#define IDD_MASTER 105
#define IDD_COUNTY_GRID 106
#define IDD_DXCC 108
#define IDI_VUVO 110
#define IDD_ZONE_GRID 111

// Resource type of a dialog's initialisation list (combo box entries), as Windows resource tools number it.
#define RT_VUVO_DLGINIT 240
// Message number of one initialisation entry: add the text to a combo box (the 16-bit CB_ADDSTRING).
#define VUVO_DLGINIT_CB_ADDSTRING 0x0403

// Template 101, the Cabrillo header dialog.
#define IDC_CAB_SOAPBOX 1001
#define IDC_CAB_ADDRESS 1002
#define IDC_CAB_ADDRESS_CITY 1003
#define IDC_CAB_EMAIL 1004
#define IDC_CAB_CLUB 1005
#define IDC_CAB_OPERATORS 1006
#define IDC_CAB_NAME 1007
#define IDC_CAB_CLAIMED 1008
#define IDC_CAB_CONTEST 1009
#define IDC_CAB_CALLSIGN 1010
#define IDC_CAB_ADDRESS_POSTALCODE 1011
#define IDC_CAB_ADDRESS_COUNTRY 1012
#define IDC_CAB_CATEGORY_OPERATOR 1013
#define IDC_CAB_CATEGORY_BAND 1118
#define IDC_CAB_CATEGORY_TRANSMITTER 1122
#define IDC_CAB_CATEGORY_POWER 1123
#define IDC_CAB_CATEGORY_MODE 1125
#define IDC_CAB_LOCATION 1127

// Template 105, the main information window.
#define IDC_MASTER_MODE_CW 1106
#define IDC_MASTER_MODE_SSB 1107
#define IDC_MASTER_VIEW_DXCC 1108
#define IDC_MASTER_VIEW_ZONE 1109
#define IDC_MASTER_WINDOW_ON_TOP 1110
#define IDC_MASTER_MODE_LABEL 1123
#define IDC_MASTER_VIEW_LABEL 1124

// Template 108, the DXCC window: its one drawn panel.
#define IDC_DXCC_PANEL 1003

// Templates 106 (county grid) and 111 (zone grid) number their buttons by a table of their own; the windows
// map a county or zone to its id by the one table in code (ui/widgets/multiplier_grid.cpp), so the ids stand as
// numbers in the templates, and the tests hold the templates to that table.

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
