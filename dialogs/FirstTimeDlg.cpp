#include "dialogs/FirstTimeDlg.h"
#include "dialogs/HelpTables.h"
#include "lang/Language.h"
#include "res/resource.h"

CFirstTimeDlg::CFirstTimeDlg(HWND parent) : CContextHelpDialog(IDD_FIRST_TIME, parent) {}

BOOL CFirstTimeDlg::OnInitDialog() {
    CContextHelpDialog::OnInitDialog();
    CheckRadioButton(m_hWnd, IDC_FIRST_APP, IDC_FIRST_EXIT, IDC_FIRST_APP);
    Choice = IDC_FIRST_APP;
    LocaliseDialog(m_hWnd);
    return TRUE;
}

bool CFirstTimeDlg::OnCommand(UINT id, UINT code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_FIRST_APP:
    case IDC_FIRST_DUN:
    case IDC_FIRST_DESKACCESS:
    case IDC_FIRST_EXIT:
        Choice = static_cast<int>(id);
        return true;
    }
    return false;
}

void CFirstTimeDlg::OnOK() {
    EndDialog(Choice);
}

const HelpTableEntry* CFirstTimeDlg::GetHelpTable() const {
    return FirstTimeHelpTable;
}
