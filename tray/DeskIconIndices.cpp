#include "tray/DeskIconIndices.h"
#include <shellapi.h>

namespace {
int AskShell(LPCITEMIDLIST item) {
    SHFILEINFOA info = {};
    // The index is the same in the small and the large lists.
    if (!SHGetFileInfoA(reinterpret_cast<LPCSTR>(item), 0, &info, sizeof info,
                        SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
        return -1;
    return info.iIcon;
}
}  // namespace

int DeskIconIndices::IndexOf(LPCITEMIDLIST item, bool keep) {
    if (!keep || !m_watch) return AskShell(item);
    std::string key(reinterpret_cast<const char*>(item), ILGetSize(item));
    auto known = m_known.find(key);
    const int index = known != m_known.end() ? known->second : AskShell(item);
    m_asked[std::move(key)] = index;
    return index;
}

void DeskIconIndices::EndOpening() {
    m_known.swap(m_asked);
    m_asked.clear();
}

void DeskIconIndices::StartWatching(HWND window, UINT message) {
    StopWatching();
    // The events concern the whole namespace, so the desktop's empty id list watched with its
    // subfolders hears them; they come from the shell's own announcements, not the file system.
    static const ITEMIDLIST desktop = {};
    SHChangeNotifyEntry entry = {&desktop, TRUE};
    m_watch = SHChangeNotifyRegister(window, SHCNRF_ShellLevel | SHCNRF_NewDelivery,
                                     SHCNE_ASSOCCHANGED | SHCNE_UPDATEIMAGE, message, 1, &entry);
}

void DeskIconIndices::OnChange(WPARAM wParam, LPARAM lParam) {
    // The news itself is not needed, but its shared memory is released only by locking it.
    PIDLIST_ABSOLUTE* lists = nullptr;
    LONG event = 0;
    if (HANDLE lock = SHChangeNotification_Lock(reinterpret_cast<HANDLE>(wParam), static_cast<DWORD>(lParam),
                                                &lists, &event))
        SHChangeNotification_Unlock(lock);
    m_known.clear();
    m_asked.clear();
}

void DeskIconIndices::StopWatching() {
    if (m_watch) SHChangeNotifyDeregister(m_watch);
    m_watch = 0;
    m_known.clear();
    m_asked.clear();
}

DeskIconIndices& DesktopIconIndices() {
    static DeskIconIndices indices;
    return indices;
}
