// Set while the About box or the property sheet exists; a right click on a tray icon then
// only beeps, and the item the window was opened for stays the context item.
#pragma once

extern bool DialogOpenFlag;

// Sets DialogOpenFlag for the lifetime of the About box or the sheet object.
class DialogOpenScope {
public:
    DialogOpenScope() { DialogOpenFlag = true; }
    ~DialogOpenScope() { DialogOpenFlag = false; }
    DialogOpenScope(const DialogOpenScope&) = delete;
    DialogOpenScope& operator=(const DialogOpenScope&) = delete;
};
