// A modal property sheet on the common controls. The sheet window is taken over as soon as
// the system has made it (with its first page); OnInitDialog runs then.
#pragma once
#include "framework/PropertyPage.h"
#include <string>
#include <vector>

class CPropertySheet : public CWnd {
public:
    CPropertySheet(const char* caption, HWND parent, UINT startPage = 0);

    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    // IDOK when the user closed the sheet with OK, IDCANCEL otherwise, -1 when it could not be shown.
    virtual INT_PTR DoModal();
    bool SetActivePage(int index);
    CPropertyPage* GetActivePage() const;
    HWND ParentWindow() const { return m_parent; }
    // Starts loading the common controls on a thread of its own, once, so that the first sheet
    // does not wait for them; called when the user turns to the program.
    static void LoadControlsAhead();

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // The sheet's own dialog template, before the window is made (extended style and the like).
    virtual void OnPreCreate(DLGTEMPLATE* sheetTemplate) { (void)sheetTemplate; }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Sets extended-style bits in a DLGTEMPLATE or DLGTEMPLATEEX.
    static void AddTemplateExStyle(DLGTEMPLATE* sheetTemplate, DWORD exStyle);

private:
    static int CALLBACK SheetCallback(HWND window, UINT message, LPARAM lParam);
    std::string m_caption;
    HWND m_parent;
    UINT m_startPage;
    std::vector<CPropertyPage*> m_pages;
    bool m_closedWithOk = false;
};
