#include "dialogs/MessageDlg.h"
#include "dialogs/HelpTables.h"
#include "lang/Language.h"
#include "res/resource.h"

CMessageDlg::CMessageDlg(const std::string& text, const std::string& title, UINT style, HWND owner)
    : CContextHelpDialog(IDD_MESSAGE, owner), m_text(text), m_title(title), m_style(style) {}

void CMessageDlg::PlaceLoneOkButton() {
    HWND cancel = GetDlgItem(m_hWnd, IDCANCEL);
    EnableWindow(cancel, FALSE);
    ShowWindow(cancel, SW_HIDE);
    // The hidden marker control holds the place of a lone OK button, centred under the text.
    POINT place = {0, 0};
    MapWindowPoints(GetDlgItem(m_hWnd, IDC_MESSAGE_OK_PLACE), m_hWnd, &place, 1);
    SetWindowPos(GetDlgItem(m_hWnd, IDOK), HWND_TOP, place.x, place.y, 0, 0, SWP_NOSIZE);
}

BOOL CMessageDlg::OnInitDialog() {
    CContextHelpDialog::OnInitDialog();
    MoveToScreenCorner(m_hWnd);
    if (IsOkOnly()) {
        PlaceLoneOkButton();
    } else if (IsYesNo()) {
        SetDlgItemTextA(m_hWnd, IDOK, "$btnYes");
        SetDlgItemTextA(m_hWnd, IDCANCEL, "$btnNo");
    }
    LocaliseDialog(m_hWnd);
    // After localising, so a text or title that starts with "$" is shown as it is.
    SetWindowTextA(m_hWnd, m_title.c_str());
    SetDlgItemTextA(m_hWnd, IDC_MESSAGE_TEXT, m_text.c_str());

    const char* icon;
    switch (m_style & MB_ICONMASK) {
    case MB_ICONHAND: icon = IDI_HAND; break;
    case MB_ICONQUESTION: icon = IDI_QUESTION; break;
    case MB_ICONEXCLAMATION: icon = IDI_EXCLAMATION; break;
    default: icon = IDI_ASTERISK; break;  // no icon bits too: a box always shows one
    }
    SendDlgItemMessageA(m_hWnd, IDC_MESSAGE_ICON, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, icon)), 0);
    return TRUE;
}

void CMessageDlg::OnOK() {
    if (!IsYesNo()) {
        CContextHelpDialog::OnOK();
        return;
    }
    if (UpdateData(true)) EndDialog(IDYES);
}

void CMessageDlg::OnCancel() {
    if (IsYesNo())
        EndDialog(IDNO);
    else
        CContextHelpDialog::OnCancel();
}

const HelpTableEntry* CMessageDlg::GetHelpTable() const {
    return IsYesNo() ? MessageYesNoHelpTable : MessageHelpTable;
}
