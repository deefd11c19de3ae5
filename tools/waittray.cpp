// Waits (up to 60 s) until the virtual desktop's taskbar exists and is visible; exit code 0 when it does.
#include <windows.h>

int main() {
    for (int i = 0; i < 1200; ++i) {
        HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
        if (taskbar && IsWindowVisible(taskbar)) return 0;
        Sleep(50);
    }
    return 1;
}
