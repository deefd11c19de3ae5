#include "framework/FileDialog.h"
#include "framework/ComApartment.h"
#include "framework/WinApp.h"
#include <commdlg.h>
#include <vector>

CFileDialog::CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, HWND parent)
    : m_open(openFileDialog), m_defaultExtension(defaultExtension ? defaultExtension : ""),
      m_path(fileName ? fileName : ""), m_flags(flags), m_filter(filter ? filter : ""), m_parent(parent) {
    // "|" separates names and patterns; the system wants zeros, and two at the end.
    for (char& c : m_filter)
        if (c == '|') c = '\0';
    m_filter.append(2, '\0');
}

INT_PTR CFileDialog::DoModal() {
    // Room for any path the system can give back; a longer initial name is not offered.
    std::vector<char> file(32768, '\0');
    if (m_path.size() < file.size()) m_path.copy(file.data(), m_path.size());
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_parent;
    dialog.hInstance = ProgramInstance();
    dialog.lpstrFilter = m_filter.size() > 2 ? m_filter.c_str() : nullptr;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    dialog.Flags = m_flags;
    dialog.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
    ModalScope modal;
    EnsureComApartment();  // the system's Explorer-style dialog hosts COM objects
    BOOL chosen = m_open ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog);
    if (!chosen) return IDCANCEL;
    m_path = file.data();
    return IDOK;
}
