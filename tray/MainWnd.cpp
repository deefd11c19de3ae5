#include "tray/MainWnd.h"
#include "app/TrayApp.h"

bool CMainWnd::Create() {
    return CFrameWnd::Create(TrayApp::WindowClassName, "Velkator");
}

int CMainWnd::OnCreate(CREATESTRUCTA*) {
    return 0;
}

void CMainWnd::RetitleSpecialIcons() {
}
