// Baseline for the start-up benchmark: about the least a program can do to show the same tray
// icons. A hidden top-level window of its own class gets one small icon per line of the list
// file named on the command line; the icons go again when the window is destroyed, and come
// back when the taskbar is created again.
#include <windows.h>
#include <shellapi.h>
#include <stdio.h>
#include <string.h>

namespace {
const char* const ClassName = "VelkatorBench:MinimalTray";
const UINT TrayCallbackMessage = WM_USER + 100;
const int MaxIcons = 100;
// Room for 100 full-length paths with CR LF; a longer file is refused.
const DWORD ListFileLimit = MaxIcons * (MAX_PATH + 2);

char g_listText[ListFileLimit + 1];  // one byte more is read than allowed, to notice a longer file
const char* g_listPath = nullptr;
int g_iconCount = 0;
UINT g_taskbarCreated = 0;

bool ReadListFile(const char* path);
void AddIconsFromList(HWND window);

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == g_taskbarCreated && message != 0) {
        g_iconCount = 0;
        if (ReadListFile(g_listPath)) AddIconsFromList(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        NOTIFYICONDATAA data = {};
        data.cbSize = NOTIFYICONDATAA_V1_SIZE;
        data.hWnd = window;
        for (int id = 1; id <= g_iconCount; ++id) {
            data.uID = static_cast<UINT>(id);
            Shell_NotifyIconA(NIM_DELETE, &data);
        }
        g_iconCount = 0;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// False when the file cannot be read or is longer than the limit.
bool ReadListFile(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD got = 0;
    BOOL ok = ReadFile(file, g_listText, ListFileLimit + 1, &got, nullptr);
    CloseHandle(file);
    if (!ok || got > ListFileLimit) return false;
    g_listText[got] = '\0';
    return true;
}

// The tooltip: the file's name without folder and extension, as the shortcuts are named.
void TipOf(const char* path, char* tip, size_t tipSize) {
    const char* name = path;
    for (const char* p = path; *p; p = CharNextA(p))
        if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
    lstrcpynA(tip, name, static_cast<int>(tipSize));
    if (char* dot = strrchr(tip, '.')) *dot = '\0';
}

void AddIcon(HWND window, const char* path) {
    HICON icon = nullptr;
    ExtractIconExA(path, 0, nullptr, &icon, 1);
    if (!icon || icon == reinterpret_cast<HICON>(1))
        icon = static_cast<HICON>(CopyImage(LoadIconA(nullptr, IDI_QUESTION), IMAGE_ICON, 16, 16, LR_COPYFROMRESOURCE));
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = static_cast<UINT>(g_iconCount + 1);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = TrayCallbackMessage;
    data.hIcon = icon;
    TipOf(path, data.szTip, sizeof data.szTip);
    // Counted even when the shell refuses it, so that the same identifiers are deleted later.
    Shell_NotifyIconA(NIM_ADD, &data);
    DestroyIcon(icon);  // the shell keeps its own copy
    ++g_iconCount;
}

// One path per line; blank lines are skipped and a line too long for a path is refused.
void AddIconsFromList(HWND window) {
    char* line = g_listText;
    while (*line && g_iconCount < MaxIcons) {
        char* end = line + strcspn(line, "\r\n");
        char* next = end + strspn(end, "\r\n");
        *end = '\0';
        if (*line && end - line < MAX_PATH) AddIcon(window, line);
        line = next;
    }
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: minimaltray LISTFILE\n");
        return 2;
    }
    g_listPath = argv[1];
    g_taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    if (!ReadListFile(argv[1])) {
        fprintf(stderr, "minimaltray: cannot read %s, or it is too long\n", argv[1]);
        return 1;
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = ClassName;
    if (!RegisterClassA(&windowClass)) return 1;
    // A hidden top-level window, as Velkator makes, so that both pay the same for it.
    HWND window = CreateWindowExA(0, ClassName, "Minimal tray", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    AddIconsFromList(window);

    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0 && got != -1) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
