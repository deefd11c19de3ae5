#include "dialogs/RunArgumentsDlg.h"
#include "dialogs/HelpTables.h"
#include "lang/Language.h"
#include "res/resource.h"

CRunArgumentsDlg::CRunArgumentsDlg(HWND parent) : CContextHelpDialog(IDD_RUN_ARGUMENTS, parent) {}

BOOL CRunArgumentsDlg::OnInitDialog() {
    SendDlgItemMessageA(m_hWnd, IDC_ARGUMENTS_EDIT, EM_LIMITTEXT, MaxLength, 0);
    CContextHelpDialog::OnInitDialog();
    CenterWindow();
    LocaliseDialog(m_hWnd);
    return TRUE;
}

bool CRunArgumentsDlg::DoDataExchange(bool save) {
    HWND edit = GetDlgItem(m_hWnd, IDC_ARGUMENTS_EDIT);
    if (!save) return SetWindowTextA(edit, Text.c_str()) != 0;
    char text[MaxLength + 1] = "";
    GetWindowTextA(edit, text, sizeof text);
    Text = text;
    return true;
}

const HelpTableEntry* CRunArgumentsDlg::GetHelpTable() const {
    return RunArgumentsHelpTable;
}
