// Where each desktop item's icon is in the system image lists. The shell takes a while per item to
// find out, so what it said for the desktop's files is kept from one opening of the menu to the
// next. A file's id list holds its size and time, so a changed file is asked about afresh; and all
// of it is forgotten when the shell reports new file associations or a changed image list, which
// the main window hears about while it watches. Without the watch, nothing is kept.
#pragma once
#include <shlobj.h>
#include <map>
#include <string>

class DeskIconIndices {
public:
    // The index of the item's icon (an id list relative to the desktop), -1 when the shell has
    // none. A file's (keep) is asked for only when not known from the last opening.
    int IndexOf(LPCITEMIDLIST item, bool keep);
    // Ends an opening of the menu: what it did not ask for is dropped.
    void EndOpening();

    // Asks the shell to post message to window when associations or images change.
    void StartWatching(HWND window, UINT message);
    // Answers that message (wParam, lParam as posted): everything kept is forgotten.
    void OnChange(WPARAM wParam, LPARAM lParam);
    void StopWatching();

private:
    ULONG m_watch = 0;  // the shell's registration, 0 while not watching
    std::map<std::string, int> m_known, m_asked;  // by id list bytes
};

// The program's one record, kept by the desktop menu and watched by the main window.
DeskIconIndices& DesktopIconIndices();
