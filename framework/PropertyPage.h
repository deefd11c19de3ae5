// One page of a property sheet, made from a dialog template. The sheet's notifications
// arrive as OnSetActive, OnKillActive, OnApply and OnReset.
#pragma once
#include "framework/Dialog.h"
#include <commctrl.h>
#include <string>

class CPropertyPage : public CDialog {
public:
    // captionId: a string resource for the tab, or 0 to use the template's caption or SetCaption.
    CPropertyPage(UINT templateId, UINT captionId = 0);
    void SetCaption(const std::string& caption) { m_caption = caption; }
    const std::string& Caption() const { return m_caption; }

    // Marks the page changed (the sheet enables Apply) or unchanged.
    void SetModified(bool changed = true);
    // Fills the system's page description; the object must outlive the sheet.
    void FillPageDescription(PROPSHEETPAGEA& page);

protected:
    virtual bool OnSetActive() { return true; }   // false keeps the page from showing
    virtual bool OnKillActive() { return UpdateData(true); }  // false keeps the page showing
    virtual bool OnApply() { return true; }       // false keeps the sheet open on this page
    virtual void OnReset() {}                     // Cancel
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    std::string m_caption;
};
