// Sets, checks and changes the password lock. The caller's string holds the stored form of the
// password in force (empty: none) and changes only when the dialog ends with IDOK.
#pragma once
#include "dialogs/ContextHelp.h"
#include <string>

class CSecurityDlg : public CContextHelpDialog {
public:
    enum class Mode { SetPassword, Unlock, ChangePassword };
    // changeMode asks for the old password and a new one; otherwise a password is set when none
    // is in force, else the one in force is asked for.
    CSecurityDlg(HWND parent, std::string& password, bool changeMode);
    Mode DialogMode() const { return m_mode; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    const HelpTableEntry* GetHelpTable() const override;

private:
    static Mode ModeOf(const std::string& password, bool changeMode);
    std::string Typed(int id) const;
    std::string Encoded(int id) const;
    // Whether the field holds the password in force; one stored in an earlier form is renewed.
    bool MatchesStored(int id) const;
    void UpdateOkButton();
    // Shows the failure, empties the fields and puts the focus on the first of them.
    void Refuse(const char* key, const char* titleKey, std::initializer_list<int> fields);

    std::string& m_password;
    Mode m_mode;
};
