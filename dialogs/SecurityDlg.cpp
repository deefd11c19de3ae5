#include "dialogs/SecurityDlg.h"
#include "dialogs/ShowMessage.h"
#include "lang/Language.h"
#include "res/resource.h"
#include "store/Options.h"
#include "store/Password.h"
#include <vector>

namespace {
const HelpTableEntry SecurityHelpTable[] = {
    {IDC_SEC_PASSWORD, "hlpSecPassword"},
    {IDC_SEC_OLD_PASSWORD, "hlpSecOldPassword"},
    {IDC_SEC_CONFIRM, "hlpSecConfirmPassword"},
    {IDC_SEC_RELOCK, "hlpSecRelock"},
    {0, nullptr},
};

UINT TemplateOf(CSecurityDlg::Mode mode) {
    switch (mode) {
    case CSecurityDlg::Mode::ChangePassword: return IDD_CHANGE_PASSWORD;
    case CSecurityDlg::Mode::Unlock: return IDD_UNLOCK;
    default: return IDD_SET_PASSWORD;
    }
}
}  // namespace

CSecurityDlg::Mode CSecurityDlg::ModeOf(const std::string& password, bool changeMode) {
    if (changeMode) return Mode::ChangePassword;
    return password.empty() ? Mode::SetPassword : Mode::Unlock;
}

CSecurityDlg::CSecurityDlg(HWND parent, std::string& password, bool changeMode)
    : CContextHelpDialog(TemplateOf(ModeOf(password, changeMode)), parent), m_password(password),
      m_mode(ModeOf(password, changeMode)) {}

std::string CSecurityDlg::Typed(int id) const {
    return WindowText(GetDlgItem(m_hWnd, id));
}

std::string CSecurityDlg::Encoded(int id) const {
    return EncodePassword(Typed(id));
}

bool CSecurityDlg::MatchesStored(int id) const {
    switch (MatchPassword(Typed(id), m_password)) {
    case PasswordMatch::Yes:
        return true;
    case PasswordMatch::OlderForm:
        // Typed right, stored by an earlier version: stored again in today's form.
        if (ReadOption(Option::Security) == m_password) WriteOption(Option::Security, Encoded(id));
        return true;
    default:
        return false;
    }
}

bool CSecurityDlg::OnCommand(UINT id, UINT code, HWND) {
    if (code == EN_CHANGE && (id == IDC_SEC_PASSWORD || id == IDC_SEC_CONFIRM || id == IDC_SEC_OLD_PASSWORD)) {
        UpdateOkButton();
        return true;
    }
    return false;
}

void CSecurityDlg::UpdateOkButton() {
    auto filled = [this](int id) { return GetWindowTextLengthA(GetDlgItem(m_hWnd, id)) > 0; };
    bool enabled = filled(IDC_SEC_PASSWORD);
    if (m_mode == Mode::ChangePassword)
        enabled = enabled && filled(IDC_SEC_OLD_PASSWORD) && filled(IDC_SEC_CONFIRM);
    else if (m_password.empty())
        enabled = enabled && filled(IDC_SEC_CONFIRM);
    EnableWindow(GetDlgItem(m_hWnd, IDOK), enabled);
}

BOOL CSecurityDlg::OnInitDialog() {
    CContextHelpDialog::OnInitDialog();
    MoveToScreenCorner(m_hWnd);
    UpdateOkButton();
    if (m_mode == Mode::Unlock)
        CheckDlgButton(m_hWnd, IDC_SEC_RELOCK, ReadOption(Option::RelockPassword) ? BST_CHECKED : BST_UNCHECKED);
    LocaliseDialog(m_hWnd);
    return TRUE;
}

void CSecurityDlg::Refuse(const char* key, const char* titleKey, std::initializer_list<int> fields) {
    ShowMessage(key, MB_ICONSTOP, titleKey);
    for (int id : fields) SetDlgItemTextA(m_hWnd, id, "");
    PostMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(m_hWnd, *fields.begin())), TRUE);
}

void CSecurityDlg::OnOK() {
    if (!IsWindowEnabled(GetDlgItem(m_hWnd, IDOK))) return;  // Enter while a field is still empty
    const std::string entered = Encoded(IDC_SEC_PASSWORD);
    if (m_password.empty()) {
        if (entered != Encoded(IDC_SEC_CONFIRM)) {
            Refuse("secBadConfirmation", "secPasswordEntry", {IDC_SEC_PASSWORD, IDC_SEC_CONFIRM});
            return;
        }
        m_password = entered;
    } else if (m_mode == Mode::Unlock) {
        if (!MatchesStored(IDC_SEC_PASSWORD)) {
            Refuse("secBadPassword", "secPasswordEntry", {IDC_SEC_PASSWORD});
            return;
        }
        m_password.clear();
        WriteOption(Option::RelockPassword, IsDlgButtonChecked(m_hWnd, IDC_SEC_RELOCK) == BST_CHECKED ? 1 : 0);
    } else {
        if (!MatchesStored(IDC_SEC_OLD_PASSWORD)) {
            Refuse("secBadPassword", "secChangePassword", {IDC_SEC_OLD_PASSWORD});
            return;
        }
        if (entered != Encoded(IDC_SEC_CONFIRM)) {
            Refuse("secBadConfirmation", "secChangePassword", {IDC_SEC_PASSWORD, IDC_SEC_CONFIRM});
            return;
        }
        m_password = entered;
    }
    EndDialog(IDOK);
}

const HelpTableEntry* CSecurityDlg::GetHelpTable() const {
    return SecurityHelpTable;
}
