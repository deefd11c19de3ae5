#include "app/SettingsCommand.h"
#include "app/TrayApp.h"
#include "dialogs/ShowMessage.h"
#include "lang/Language.h"
#include "store/ExplorerVerb.h"
#include "store/Options.h"
#include "store/SettingsTransfer.h"
#include "tray/MainWnd.h"

namespace {
const int Failed = 1;

int Fail(bool quiet, const char* key, std::initializer_list<const char*> arguments = {}) {
    if (!quiet) ShowMessage(key, MB_ICONSTOP, "msgSettingsTitle", arguments);
    return Failed;
}

int Export(const NewCommandLineInfo& commandLine) {
    std::string problem;
    const char* file = commandLine.SettingsFile.c_str();
    switch (ExportSettings(commandLine.SettingsFile, problem)) {
    case ExportResult::Written: return 0;
    case ExportResult::NotWritable: return Fail(commandLine.Quiet, "msgExportBadName", {file, problem.c_str()});
    case ExportResult::NotWritten: break;
    }
    return Fail(commandLine.Quiet, "msgExportFailed", {file});
}

int Import(const NewCommandLineInfo& commandLine) {
    // A running copy would overwrite the imported settings with its own; one starting now finds
    // the mutex taken and ends.
    OwnedHandle instance(CreateMutexA(nullptr, FALSE, TrayApp::InstanceMutexName));
    if (!instance || GetLastError() == ERROR_ALREADY_EXISTS || FindWindowA(CMainWnd::ClassName, nullptr))
        return Fail(commandLine.Quiet, "msgImportRunning");
    std::string problem;
    const char* file = commandLine.SettingsFile.c_str();
    switch (ImportSettings(commandLine.SettingsFile, problem)) {
    case ImportResult::Imported: break;
    case ImportResult::Unreadable: return Fail(commandLine.Quiet, "msgImportCannotRead", {file});
    case ImportResult::NoOrder: return Fail(commandLine.Quiet, "msgImportNoOrder", {file});
    case ImportResult::BadName: return Fail(commandLine.Quiet, "msgImportBadName", {file, problem.c_str()});
    case ImportResult::TooMany: return Fail(commandLine.Quiet, "msgImportTooMany", {file});
    case ImportResult::NotStored: return Fail(commandLine.Quiet, "msgImportFailed", {file});
    }
    // The Explorer verb follows the imported choice, as it does the Options page's.
    if (ReadOption(Option::QuickNew) != 0)
        WriteQuickNewVerb(GetText("advQuickNewMenu"));
    else
        RemoveQuickNewVerb();
    return 0;
}
}  // namespace

int RunSettingsCommand(const NewCommandLineInfo& commandLine) {
    if (commandLine.SettingsFile.empty()) return Fail(commandLine.Quiet, "msgNoSettingsFile");
    return commandLine.Action == SettingsAction::Export ? Export(commandLine) : Import(commandLine);
}
