#include "app/SettingsChoice.h"
#include "dialogs/ShowMessage.h"
#include "framework/FileSettings.h"
#include "framework/Path.h"
#include "framework/WinApp.h"

namespace {
std::string g_unsavedLocation;

void CALLBACK ShowSaveFailure(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    ShowMessage("msgSettingsNotSaved", MB_ICONEXCLAMATION, "msgSettingsTitle", {g_unsavedLocation.c_str()});
}

// Told from inside a change, perhaps in the middle of an operation: the box waits until it is done.
void ScheduleSaveFailureMessage(const std::string& location) {
    g_unsavedLocation = location;
    if (!SetTimer(nullptr, 0, 0, &ShowSaveFailure)) ShowSaveFailure(nullptr, 0, 0, 0);
}
}  // namespace

void SettingsChoice::Choose() {
    CWinApp& app = *TheApp();
    m_path = app.ModuleFolder() + "\\" + app.AppName() + "-settings.ini";
    const DWORD attributes = GetFileAttributesA(m_path.c_str());
    // Only a file that is surely not there means the registry; one that cannot be looked at is
    // opened, and fails there, so that it is never passed over.
    const DWORD error = attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : ERROR_SUCCESS;
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    std::unique_ptr<FileSettingsStore> file(new FileSettingsStore(m_path));
    switch (file->Open(m_movedTo)) {
    case FileSettingsStore::OpenResult::Read: m_outcome = Outcome::File; break;
    case FileSettingsStore::OpenResult::MovedAside: m_outcome = Outcome::MovedAside; break;
    case FileSettingsStore::OpenResult::Unreadable: m_outcome = Outcome::Unreadable; break;
    }
    app.UseSettingsStore(std::move(file));
}

bool SettingsChoice::Report(bool quiet) const {
    // Named without their folder, the program's own: the message box holds four short lines.
    const std::string file = FileNameOf(m_path), movedTo = FileNameOf(m_movedTo);
    if (!quiet && m_outcome == Outcome::MovedAside)
        ShowMessage("msgSettingsMovedAside", MB_ICONEXCLAMATION, "msgSettingsTitle", {file.c_str(), movedTo.c_str()});
    if (!quiet && m_outcome == Outcome::Unreadable)
        ShowMessage("msgSettingsUnreadable", MB_ICONSTOP, "msgSettingsTitle", {file.c_str()});
    return m_outcome != Outcome::Unreadable;
}

void ReportSaveFailures() {
    TheApp()->Settings().SetSaveFailedHandler(&ScheduleSaveFailureMessage);
}
