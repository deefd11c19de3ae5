// The bases of every dialog, property page and property sheet of the program: each gives
// its windows "What's This?" help (F1, the caption's help button, a right click) from a
// small help table of its own class, with DefaultHelpTable behind it.
#pragma once
#include "dialogs/HelpPopup.h"
#include "framework/Dialog.h"
#include "framework/PropertyPage.h"
#include "framework/PropertySheet.h"

// One row of a help table; a row with id 0 ends the table.
struct HelpTableEntry {
    UINT id;
    const char* key;  // text key of the help text
};

// The rows every window shares: OK, Cancel, the Help buttons and Apply.
extern const HelpTableEntry DefaultHelpTable[];

// The help key of a control: the first row of table naming it (table may be null), else the
// first row of DefaultHelpTable, else "hlpUnknown".
const char* FindHelpKey(const HelpTableEntry* table, UINT controlId);

// Places a top-level window beside the notification area: in the corner of the taskbar
// monitor's work area nearest to it, 50 pixels (at 96 DPI) in from the edges; the size does not
// change.
void MoveToScreenCorner(HWND window);

class CContextHelpDialog : public CDialog {
public:
    CContextHelpDialog(UINT templateId, HWND parent) : CDialog(templateId, parent) {}

protected:
    // Adds WS_EX_CONTEXTHELP; derived classes call it first in their own OnInitDialog.
    BOOL OnInitDialog() override;
    virtual const HelpTableEntry* GetHelpTable() const = 0;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    CHelpTip m_tip;
};

class CContextHelpPage : public CPropertyPage {
public:
    CContextHelpPage(UINT templateId, UINT captionId = 0) : CPropertyPage(templateId, captionId) {}

protected:
    virtual const HelpTableEntry* GetHelpTable() const = 0;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    CHelpTip m_tip;
};

// Help asked for on the sheet's own buttons is answered by the active page, which falls
// back to DefaultHelpTable for them.
class CContextHelpSheet : public CPropertySheet {
public:
    CContextHelpSheet(const char* caption, HWND parent, UINT startPage = 0)
        : CPropertySheet(caption, parent, startPage) {}

protected:
    // Gives the sheet window WS_EX_CONTEXTHELP; a derived sheet that overrides this calls it.
    void OnPreCreate(DLGTEMPLATE* sheetTemplate) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool m_forwarding = false;  // a page hands a request it passes on back to the sheet
};
