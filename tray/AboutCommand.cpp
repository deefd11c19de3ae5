// The context menu's About command.
#include "dialogs/AboutDlg.h"
#include "framework/WinApp.h"
#include "tray/MainWnd.h"

void CMainWnd::ShowAboutBox() {
    ModalScope modal;
    CAboutDlg about(m_hWnd);
    about.DoModal();
}
