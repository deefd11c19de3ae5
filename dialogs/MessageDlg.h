// The program's message box: a translated text and title, OK alone or Yes and No (or the
// template's OK and Cancel), and one of four system icons, near the notification area.
#pragma once
#include "dialogs/ContextHelp.h"
#include <string>

class CMessageDlg : public CContextHelpDialog {
public:
    // style: a system message-box style; bits 0-3 choose the buttons, bits 4-7 the icon.
    CMessageDlg(const std::string& text, const std::string& title, UINT style, HWND owner);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;      // IDYES in a Yes/No box
    void OnCancel() override;  // IDNO in a Yes/No box
    const HelpTableEntry* GetHelpTable() const override;

private:
    bool IsYesNo() const { return (m_style & MB_TYPEMASK) == MB_YESNO; }
    bool IsOkOnly() const { return (m_style & MB_TYPEMASK) == MB_OK; }
    void PlaceLoneOkButton();

    std::string m_text;
    std::string m_title;
    UINT m_style;
};
