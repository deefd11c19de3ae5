#include "qxintl/qxintl.h"
QxHandle WINAPI QxOpen(const char*, WORD) { return nullptr; }
void WINAPI QxClose(QxHandle) {}
int WINAPI QxGetText(QxHandle, const char*, char* buffer, int size) { if (buffer && size > 0) buffer[0] = 0; return 0; }
int __cdecl QxFormatText(QxHandle, char* buffer, int size, const char*, ...) { if (buffer && size > 0) buffer[0] = 0; return 0; }
void WINAPI QxLocaliseDialog(QxHandle, HWND) {}
void WINAPI QxLocaliseMenu(QxHandle, HMENU) {}
