#include "dialogs/AboutDlg.h"
#include "framework/WinApp.h"
#include "dialogs/AboutFigures.h"
#include "dialogs/FileVersionInfo.h"
#include "dialogs/HelpTables.h"
#include "framework/SystemCalls.h"
#include "lang/Language.h"
#include "res/resource.h"
#include <mmsystem.h>

CAboutDlg::CAboutDlg(HWND parent) : CContextHelpDialog(IDD_ABOUT, parent) {}

BOOL CAboutDlg::OnInitDialog() {
    CContextHelpDialog::OnInitDialog();
    MoveToScreenCorner(m_hWnd);

    SetDlgItemTextA(m_hWnd, IDC_ABOUT_VERSION, GetFileVersionText(ProgramPath().c_str(), true).c_str());
    SetDlgItemTextA(m_hWnd, IDC_ABOUT_MEMORY, PhysicalMemoryText().c_str());

    char directory[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
    if (length == 0 || length >= sizeof directory) directory[0] = '\0';
    SetDlgItemTextA(m_hWnd, IDC_ABOUT_DISK, FreeDiskSpaceText(directory).c_str());

    LocaliseDialog(m_hWnd);
    // Asynchronous, so the sound never holds up the box; a missing sound plays the default one.
    System.playSound("SystemStart", SND_ASYNC);
    return TRUE;
}

const HelpTableEntry* CAboutDlg::GetHelpTable() const {
    return AboutHelpTable;
}
