// Baseline for the desktop-menu benchmark: about the least a program can do to show the desktop's
// items in a menu. A hidden top-level window, on message 143, enumerates the desktop through the
// shell namespace and shows one plain menu item per desktop item, in the shell's order, at the
// cursor; the item chosen is not opened.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

namespace {
const char* const ClassName = "VelkatorBench:MinimalDeskMenu";
const UINT ShowMenuMessage = 143;
const int MaxItems = 500;

void ShowDesktopMenu(HWND window) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    SetForegroundWindow(window);
    HMENU menu = CreatePopupMenu();
    IShellFolder* desktop = nullptr;
    IEnumIDList* items = nullptr;
    if (menu && SUCCEEDED(SHGetDesktopFolder(&desktop)) &&
        SUCCEEDED(desktop->EnumObjects(window, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items)) && items) {
        LPITEMIDLIST item = nullptr;
        for (int count = 0; count < MaxItems && items->Next(1, &item, nullptr) == S_OK; ++count) {
            STRRET name = {};
            char text[MAX_PATH] = "";
            if (SUCCEEDED(desktop->GetDisplayNameOf(item, SHGDN_NORMAL, &name))) StrRetToBufA(&name, item, text, MAX_PATH);
            AppendMenuA(menu, MF_STRING, 201 + count, text);
            CoTaskMemFree(item);
        }
        TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, cursor.x, cursor.y, 0, window, nullptr);
    }
    if (items) items->Release();
    if (desktop) desktop->Release();
    if (menu) DestroyMenu(menu);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case ShowMenuMessage:
        ShowDesktopMenu(window);
        return 1;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int main() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = ClassName;
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = CreateWindowExA(0, ClassName, "Minimal desktop menu", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0 && got != -1) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
