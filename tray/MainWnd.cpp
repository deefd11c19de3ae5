#include "tray/MainWnd.h"
#include "lang/Language.h"
#include "res/resource.h"
#include "store/LegacyIni.h"
#include "tray/LoadShortcuts.h"
#include "tray/TrayIcons.h"

const char* const CMainWnd::ClassName = "QX:Velkator";
bool DialogOpenFlag = false;

namespace {
// Sent to every top-level window when the taskbar is (re)created, e.g. after the shell restarts.
const UINT TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
}

void CMainWnd::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VELKATOR));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = ClassName;
    RegisterClassA(&windowClass);
}

CMainWnd::CMainWnd() {
    DialogOpenFlag = false;
}

bool CMainWnd::Create() {
    return CFrameWnd::Create(ClassName, "Velkator");
}

int CMainWnd::OnCreate(CREATESTRUCTA*) {
    LoadShortcuts(m_hWnd, LegacyIniPath());
    if (ShortcutTable.Count == 0) RunFirstTimeFlow();
    return 0;
}

bool CMainWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == TaskbarCreatedMessage && message != 0) {
        AddAllIcons();
        result = 0;
        return true;
    }
    switch (message) {
    case WM_USER + 100:
        result = OnTrayNotify(wParam, lParam);
        return true;
    case LaunchItemMessage:
        LaunchItem(static_cast<int>(wParam), static_cast<UINT>(lParam));
        result = 1;
        return true;
    case WM_DESTROY:
        RemoveAllIcons();
        break;
    }
    return CFrameWnd::OnMessage(message, wParam, lParam, result);
}

void CMainWnd::AddAllIcons() {
    InitSharedNotifyData(m_hWnd);
    for (int i = 0; i < ShortcutTable.Count; ++i) AddTrayIcon(ShortcutTable.Items[i]);
}

void CMainWnd::RemoveAllIcons() {
    for (int i = 0; i < ShortcutTable.Count; ++i) DeleteTrayIcon(ShortcutTable.Items[i].IconId);
}

void CMainWnd::RetitleSpecialIcons() {
    for (int i = 0; i < ShortcutTable.Count; ++i) {
        ShortcutItem& item = ShortcutTable.Items[i];
        if (!IsSpecialKind(item.Path)) continue;
        item.Name = GetText(TipKey(item.Kind()).c_str());
        RetitleTrayIcon(item);
    }
}
