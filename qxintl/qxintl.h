// The language library's exports. The DLL exports them by ordinal only (qxintl.def);
// callers link against the import library made from that file.
#pragma once
#include <windows.h>

#ifdef QXINTL_BUILD
#define QXINTL_API extern "C" __declspec(dllexport)
#else
#define QXINTL_API extern "C" __declspec(dllimport)
#endif

typedef void* QxHandle;  // opaque; 0 means no library file is open

enum { QxTextBufferSize = 4096 };  // every text, terminator included, fits this size

// 40: opens "<prefix><language as %03d>.mlb" in the folder of the calling process's executable.
// Returns 0 when there is no such file, it cannot be read, the path would be too long, or the
// prefix holds a backslash, "/" or ":". The file format is described in qxintl/README.md.
QXINTL_API QxHandle WINAPI QxOpen(const char* prefix, WORD language);
// 42: closes a handle from QxOpen; a null handle is ignored.
QXINTL_API void WINAPI QxClose(QxHandle handle);
// 43: copies the key's text into buffer (always terminated; empty for a missing key or null handle).
// At most min(size, QxTextBufferSize) bytes are written, terminator included; a longer text is cut
// on a character boundary. A null buffer or size <= 0 writes nothing. Non-zero when the key exists.
QXINTL_API int WINAPI QxGetText(QxHandle handle, const char* key, char* buffer, int size);
// 45: the key's text with %1..%9 replaced by the text arguments that follow the key and %% by "%";
// a placeholder without an argument, and any other "%", stays as written.
// The argument list is a sequence of const char* ending with a null pointer (at most 9 are read).
// Returns non-zero on success, 0 for a missing key or null handle (the buffer is then empty).
// Buffer limits as for QxGetText; a null buffer or size <= 0 returns 0.
QXINTL_API int __cdecl QxFormatText(QxHandle handle, char* buffer, int size, const char* key, ...);
// 47: replaces every "$key" text of the window and of all its descendant windows.
// A placeholder whose key the file lacks stays as it is. Null handles do nothing.
QXINTL_API void WINAPI QxLocaliseDialog(QxHandle handle, HWND window);
// 48: replaces every "$key" text of the menu's items and of its sub-menus, keeping each item's
// id, state and sub-menu. Null handles do nothing.
QXINTL_API void WINAPI QxLocaliseMenu(QxHandle handle, HMENU menu);
