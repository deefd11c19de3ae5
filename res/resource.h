// Resource and command numbers shared by the resource script and the code.
#pragma once

#define IDI_VELKATOR            125
#define IDI_SEPARATOR           138
#define IDI_DIALUP              139
#define IDI_DESKACCESS          140
#define IDI_LOCK                160
#define IDB_CHECKERBOARD        158

#define IDS_NO_LANGUAGE         115
#define IDS_NO_LANGUAGE_CAPTION 116

#define VELKATOR_VERSION_DOTS   "1.0.0.1"
#define VELKATOR_VERSION_COMMAS 1,0,0,1

// Dialog templates and menus
#define IDD_RUN_ARGUMENTS       146
#define IDD_FIRST_TIME          148
#define IDD_MESSAGE             159
#define IDD_ABOUT               1046
#define IDM_SHORTCUT_MENU       145
#define IDM_ENTRY_MENU          146

// Commands of the shortcut menu and the entry menu
#define ID_PROPERTIES           142
#define ID_DELETE               32773
#define ID_NEW_ICON             32774
#define ID_NEW_SEPARATOR        32775
#define ID_CLOSE                32776
#define ID_ABOUT                32777
#define ID_NEW_DUN              32778
#define ID_EMPTY                32779
#define ID_NEW_DESKACCESS       32782
#define ID_HELP                 57670
#define ID_APPLY_NOW            12321
// Entries the dial-up and desktop menus add to the entry menu
#define ID_DIALUP_ENTRY_FIRST   101
#define ID_DIALUP_ENTRY_LAST    120
#define ID_DESKTOP_ENTRY_FIRST  201
#define ID_DESKTOP_ENTRY_LAST   450

// Controls
#define IDC_ABOUT_MEMORY        1001
#define IDC_ABOUT_DISK          1002
#define IDC_ABOUT_VERSION       1028
#define IDC_ABOUT_SYSTEM        1029
#define IDC_ABOUT_NOTICE        1030
#define IDC_ARGUMENTS_EDIT      1019
#define IDC_FIRST_APP           1032
#define IDC_FIRST_DUN           1033
#define IDC_FIRST_EXIT          1034
#define IDC_FIRST_MESSAGE       1035
#define IDC_FIRST_DESKACCESS    1036
#define IDC_MESSAGE_TEXT        1060
#define IDC_MESSAGE_ICON        1061
#define IDC_MESSAGE_OK_PLACE    1062
