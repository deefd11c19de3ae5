// Starting a shortcut as a click does: the click sound, the argument prompt and the shell for a
// program, document or folder; the entry menu for a dial-up or desktop-access icon.
#pragma once
#include "store/ShortcutItem.h"
#include <windows.h>
#include <string>

// The show command a run style asks the shell for.
int ShowCommandOf(RunStyle style);
// The message key for a ShellExecuteA result of 32 or less.
const char* LaunchErrorKey(INT_PTR result);
// Shows why the program at path could not be started (a ShellExecuteA result of 32 or less).
void ReportLaunchFailure(INT_PTR result, const std::string& path);

class Launcher {
public:
    // owner: the main window's handle, which the menus and boxes belong to.
    explicit Launcher(const HWND& owner) : m_owner(owner) {}
    // Starts item; a separator does nothing. asAdministrator asks for elevation this time,
    // whatever the item's own setting. The item is a copy: the prompt's modal loop may let the
    // list change under it.
    void Launch(ShortcutItem item, bool asAdministrator = false) const;

private:
    const HWND& m_owner;
};
