// A modal dialog from a resource template. OK and Cancel end it; data moves between
// members and controls in DoDataExchange; a dialog that did not place itself during
// OnInitDialog is centred over a visible owner, else in the work area.
#pragma once
#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    CDialog(UINT templateId, HWND parent);
    // The command of every template's Help button; the application object answers it.
    static const UINT HelpCommandId = 57670;
    // Whether the application answers the Help command; Help buttons show only then.
    static bool HelpIsAnswered();

    // The value passed to EndDialog, or -1 when the template or window could not be made.
    virtual INT_PTR DoModal();
    void EndDialog(INT_PTR result);
    HWND ParentWindow() const { return m_parent; }
    UINT TemplateId() const { return m_templateId; }

    // Centres over the owner (or alternateOwner) when visible and not minimised, else in the work area.
    void CenterWindow(HWND alternateOwner = nullptr);
    bool UpdateData(bool save);

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Moves member data into the controls (save false) or back (save true); false refuses.
    virtual bool DoDataExchange(bool save) { (void)save; return true; }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Shared by dialogs and property pages: delivers one message and converts the answer.
    static INT_PTR AnswerDialogMessage(CDialog* object, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    UINT m_templateId;
    HWND m_parent;
};
