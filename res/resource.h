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
