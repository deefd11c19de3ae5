#include "framework/Display.h"

namespace {
// The per-monitor calls, looked up once in user32 (loaded in every GUI process).
struct DpiCalls {
    UINT(WINAPI* dpiForWindow)(HWND) = nullptr;
    int(WINAPI* metricForDpi)(int, UINT) = nullptr;
    BOOL(WINAPI* parametersForDpi)(UINT, UINT, void*, UINT, UINT) = nullptr;
};

template <class Function>
void Find(HMODULE user, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user, name)));
}

const DpiCalls& Calls() {
    static DpiCalls calls;
    static bool found = false;
    if (!found) {
        found = true;
        if (HMODULE user = GetModuleHandleA("user32.dll")) {
            Find(user, "GetDpiForWindow", calls.dpiForWindow);
            Find(user, "GetSystemMetricsForDpi", calls.metricForDpi);
            Find(user, "SystemParametersInfoForDpi", calls.parametersForDpi);
        }
    }
    return calls;
}

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : DefaultDpi;
}
}  // namespace

UINT WindowDpi(HWND window) {
    const UINT dpi = window && Calls().dpiForWindow ? Calls().dpiForWindow(window) : 0;
    return dpi ? dpi : SystemDpi();
}

int ScaleForDpi(int pixelsAt96, UINT dpi) {
    return MulDiv(pixelsAt96, static_cast<int>(dpi), DefaultDpi);
}

int MetricForDpi(int index, UINT dpi) {
    return Calls().metricForDpi ? Calls().metricForDpi(index, dpi) : GetSystemMetrics(index);
}

bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, UINT dpi) {
    metrics = NONCLIENTMETRICSW();
    metrics.cbSize = sizeof metrics;
    if (Calls().parametersForDpi)
        return Calls().parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi) != FALSE;
    return SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) != FALSE;
}

MONITORINFO MonitorInfoOf(HMONITOR monitor) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) {
        SetRect(&info.rcMonitor, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    }
    return info;
}

RECT CornerPlacement(SIZE size, const RECT& workArea, const RECT& notificationArea, int margin) {
    // The notification area's side of the work area's middle decides the corner (a taskbar at the
    // top or at the side moves it); the window stays inside the work area whatever its size.
    const bool left = notificationArea.left + notificationArea.right < workArea.left + workArea.right;
    const bool top = notificationArea.top + notificationArea.bottom < workArea.top + workArea.bottom;
    LONG x = left ? workArea.left + margin : workArea.right - margin - size.cx;
    LONG y = top ? workArea.top + margin : workArea.bottom - margin - size.cy;
    if (x + size.cx > workArea.right) x = workArea.right - size.cx;
    if (y + size.cy > workArea.bottom) y = workArea.bottom - size.cy;
    if (x < workArea.left) x = workArea.left;
    if (y < workArea.top) y = workArea.top;
    const RECT placed = {x, y, x + size.cx, y + size.cy};
    return placed;
}

RECT CornerNearNotificationArea(SIZE size, int margin) {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    HWND notification = taskbar ? FindWindowExA(taskbar, nullptr, "TrayNotifyWnd", nullptr) : nullptr;
    const MONITORINFO monitor = MonitorInfoOf(MonitorFromWindow(taskbar, MONITOR_DEFAULTTOPRIMARY));
    // Without a taskbar to ask, the usual place: the bottom right.
    RECT area = {monitor.rcWork.right, monitor.rcWork.bottom, monitor.rcWork.right, monitor.rcWork.bottom};
    if (HWND beside = notification ? notification : taskbar) GetWindowRect(beside, &area);
    return CornerPlacement(size, monitor.rcWork, area, margin);
}
