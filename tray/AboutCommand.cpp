// The context menu's About command.
#include "app/TrayApp.h"
#include "dialogs/AboutDlg.h"
#include "tray/MainWnd.h"

void CMainWnd::ShowAboutBox() {
    // While the box exists a right click on an icon only beeps.
    const bool wasOpen = DialogOpenFlag;
    DialogOpenFlag = true;
    {
        ModalScope modal;
        CAboutDlg about(m_hWnd);
        about.DoModal();
    }
    DialogOpenFlag = wasOpen;
}
