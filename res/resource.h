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
#define IDD_CHANGE_ICON         124
#define IDD_ORDER_PAGE          140
#define IDD_SHORTCUT_PAGE       141
#define IDD_RUN_ARGUMENTS       146
#define IDD_FIRST_TIME          148
#define IDD_OPTIONS_PAGE        149
#define IDD_SET_PASSWORD        157
#define IDD_UNLOCK              1047
#define IDD_CHANGE_PASSWORD     1048
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

// Properties page
#define IDC_PPG_NAME            106
#define IDC_PPG_PATH            107
#define IDC_PPG_STARTUP         108
#define IDC_PPG_ICON_PATH       109
#define IDC_PPG_ARGUMENTS       110
#define IDC_PPG_PROMPT          111
#define IDC_PPG_BROWSE_PROGRAM  119
#define IDC_PPG_BROWSE_FOLDER   120
#define IDC_PPG_CHANGE_ICON     121
#define IDC_PPG_LARGE_ICON      124
#define IDC_PPG_SMALL_ICON      125
#define IDC_PPG_PROBLEM    126
#define IDC_PPG_RUN_AS          127
#define IDC_PPG_RUN_STYLE       1026

// Order page
#define IDC_RPG_LIST            1008

// Options page
#define IDC_OPG_PLAY            1036
#define IDC_OPG_SOUND           1037
#define IDC_OPG_SOUND_BROWSE    1041
#define IDC_OPG_SECURITY        1051
#define IDC_OPG_CHANGE_PASSWORD 1052
#define IDC_OPG_CLICK           1056
#define IDC_OPG_LANGUAGE        1057
#define IDC_OPG_QUICKNEW        1059
#define IDC_OPG_CONFIRM_DELETE  1060
#define IDC_OPG_CONFIRM_EXIT    1061
#define IDC_OPG_SHOW_NEW_ICONS  1062
#define IDC_OPG_PORTABLE_NOTE   1063

// Change Icon dialog
#define IDC_CI_BROWSE           1020
#define IDC_CI_FILE             1022
#define IDC_CI_LIST             1027

// Security dialog
#define IDC_SEC_MESSAGE         1053
#define IDC_SEC_PASSWORD        1054
#define IDC_SEC_CONFIRM         1055
#define IDC_SEC_OLD_PASSWORD    1056
#define IDC_SEC_RELOCK          1064
