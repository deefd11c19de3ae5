// The system's Open (or Save As) file dialog. Filters are written "Name|*.a;*.b|Name|*.*||"
// and turned into the system's zero-separated form.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <string>

class CFileDialog {
public:
    // The flags every Open dialog of the program uses: an existing file, chosen in Explorer's style.
    static const DWORD OpenExisting =
        OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_CREATEPROMPT | OFN_EXPLORER | OFN_LONGNAMES;

    CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                const char* filter, HWND parent);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    std::string Title;  // empty: the system's own title
    // IDOK when the user chose a file, IDCANCEL otherwise.
    INT_PTR DoModal();
    // The chosen file's full path.
    const std::string& GetPathName() const { return m_path; }

private:
    bool m_open;
    std::string m_defaultExtension;
    std::string m_path;
    DWORD m_flags;
    std::string m_filter;
    HWND m_parent;
};
