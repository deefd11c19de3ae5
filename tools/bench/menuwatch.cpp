// Measures how long programs take to open a popup menu: posts a message to a program's window and
// times until the program's menu window is shown, and until it has nothing left to paint, then
// closes the menu with Escape. The programs are measured in turn, the first first in odd rounds.
//   menuwatch ROUNDS CLASS MESSAGE WPARAM [CLASS MESSAGE WPARAM]...
// MESSAGE is posted with WPARAM and WM_LBUTTONDOWN as lParam (as a tray click arrives).
// Prints "round CLASS shown_ms painted_ms" per measurement and exits with 0; or an error and 1.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

namespace {
const double LimitMs = 30000;

double g_ticksPerMs = 1;

double NowMs() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / g_ticksPerMs;
}

struct Target {
    const char* className;
    UINT message;
    WPARAM wParam;
    HWND window;
    DWORD processId;
};

struct MenuSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMenu(HWND window, LPARAM param) {
    MenuSearch* search = reinterpret_cast<MenuSearch*>(param);
    char name[16] = "";
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window) || !GetClassNameA(window, name, sizeof name) ||
        lstrcmpA(name, "#32768") != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND ShownMenu(DWORD processId) {
    MenuSearch search = {processId, nullptr};
    EnumWindows(FindMenu, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Milliseconds until the menu is shown and until it is painted; false on failure.
bool MeasureOnce(const Target& target, double& shown, double& painted) {
    const double started = NowMs();
    if (!PostMessageA(target.window, target.message, target.wParam, WM_LBUTTONDOWN)) return false;
    HWND menu = nullptr;
    while (!(menu = ShownMenu(target.processId))) {
        if (NowMs() - started > LimitMs) return false;
        Sleep(1);
    }
    shown = NowMs() - started;
    while (GetUpdateRect(menu, nullptr, FALSE)) {
        if (NowMs() - started > LimitMs) return false;
        Sleep(1);
    }
    painted = NowMs() - started;
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(menu, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001UL));
    while (IsWindow(menu) && IsWindowVisible(menu)) {
        if (NowMs() - started > LimitMs) return false;
        Sleep(1);
    }
    // The program has cleaned up once its window answers again.
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(target.window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &result) != 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 5 || (argc - 2) % 3 != 0) {
        fprintf(stderr, "usage: menuwatch ROUNDS CLASS MESSAGE WPARAM [CLASS MESSAGE WPARAM]...\n");
        return 1;
    }
    const int rounds = atoi(argv[1]);
    const int count = (argc - 2) / 3;
    Target targets[8] = {};
    if (rounds < 1 || count > 8) {
        fprintf(stderr, "menuwatch: 1 or more rounds, at most 8 programs\n");
        return 1;
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    g_ticksPerMs = static_cast<double>(frequency.QuadPart) / 1000.0;
    for (int i = 0; i < count; ++i) {
        Target& target = targets[i];
        target.className = argv[2 + 3 * i];
        target.message = static_cast<UINT>(strtoul(argv[3 + 3 * i], nullptr, 0));
        target.wParam = static_cast<WPARAM>(strtoul(argv[4 + 3 * i], nullptr, 0));
        const double started = NowMs();
        while (!(target.window = FindWindowA(target.className, nullptr)) && NowMs() - started < LimitMs) Sleep(50);
        if (!target.window) {
            fprintf(stderr, "menuwatch: no window of class %s\n", target.className);
            return 1;
        }
        GetWindowThreadProcessId(target.window, &target.processId);
    }
    for (int round = 1; round <= rounds; ++round) {
        for (int k = 0; k < count; ++k) {
            const Target& target = targets[round % 2 ? k : count - 1 - k];
            Sleep(200);  // lets the last program settle
            double shown = 0, painted = 0;
            if (!MeasureOnce(target, shown, painted)) {
                fprintf(stderr, "menuwatch: the menu of %s did not open and close in time\n", target.className);
                return 1;
            }
            printf("%d %s %.1f %.1f\n", round, target.className, shown, painted);
            fflush(stdout);
        }
    }
    return 0;
}
