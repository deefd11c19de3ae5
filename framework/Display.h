// Monitors and DPI. Under per-monitor awareness the plain metrics answer for the system DPI,
// so sizes come from the ...ForDpi calls with the DPI of the window concerned. Those calls exist
// from Windows 10 (1607); before that the system DPI is the only one there is.
#pragma once
#include <windows.h>

const UINT DefaultDpi = 96;

UINT WindowDpi(HWND window);
int ScaleForDpi(int pixelsAt96, UINT dpi);
int MetricForDpi(int index, UINT dpi);
// The system's fonts and metrics at dpi.
bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, UINT dpi);
// The monitor's whole area and its work area (without the taskbar).
MONITORINFO MonitorInfoOf(HMONITOR monitor);
// Where a window of size goes beside the notification area: the corner of the work area of the
// taskbar's monitor nearest to the notification area, margin pixels in from its edges.
RECT CornerNearNotificationArea(SIZE size, int margin);
// The same placement from the rectangles it depends on.
RECT CornerPlacement(SIZE size, const RECT& workArea, const RECT& notificationArea, int margin);
