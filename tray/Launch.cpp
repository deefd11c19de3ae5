#include "tray/Launch.h"
#include "dialogs/RunArgumentsDlg.h"
#include "dialogs/ShowMessage.h"
#include "framework/ComApartment.h"
#include "framework/SystemCalls.h"
#include "framework/WideText.h"
#include "framework/WinApp.h"
#include "store/Options.h"
#include "tray/EntryMenus.h"
#include "tray/MainWnd.h"
#include <mmsystem.h>

int ShowCommandOfStyle(int style) {
    switch (style) {
    case 2: return SW_SHOWMAXIMIZED;
    case 3: return SW_MINIMIZE;
    default: return SW_SHOWNORMAL;
    }
}

const char* LaunchErrorKey(INT_PTR result) {
    switch (result) {
    case 0: return "errOSResources";
    case ERROR_FILE_NOT_FOUND: return "errFileNotFound";
    case ERROR_PATH_NOT_FOUND: return "errPathNotFound";
    case SE_ERR_ACCESSDENIED: return "errAccessDenied";
    case ERROR_BAD_FORMAT: return "errInvalidEXE";
    case SE_ERR_SHARE: return "errSharingViolation";
    case SE_ERR_ASSOCINCOMPLETE: return "errBadAssoc";
    case SE_ERR_NOASSOC: return "errNoAssoc";
    default: return "errDefault";
    }
}

void SplitProgramPath(const std::string& path, std::string& driveAndFolder, std::string& extension) {
    size_t fileStart = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (path[i] == '\\' || path[i] == '/' || (path[i] == ':' && i == 1)) fileStart = i + 1;
    }
    driveAndFolder = path.substr(0, fileStart);
    size_t dot = path.rfind('.');
    extension = dot != std::string::npos && dot >= fileStart ? path.substr(dot) : std::string();
}

namespace {
void ShowLaunchError(const char* key, const std::string& path) {
    std::string folder, extension;
    SplitProgramPath(path, folder, extension);
    ShowMessage(key, MB_ICONHAND, "errTitle", {path.c_str(), folder.c_str(), extension.c_str()});
}
}  // namespace

void ReportLaunchFailure(INT_PTR result, const std::string& path) {
    ShowLaunchError(LaunchErrorKey(result), path);
}

void CMainWnd::LaunchItem(WPARAM itemNumber, UINT) {
    const ShortcutItem* item = m_shortcuts.ByNumber(itemNumber);
    if (!item || item->Path.empty() || item->Kind() == ShortcutKind::Separator) return;
    // As a click would: nothing while a modal window is open, and a new shortcut the sheet has
    // not stored yet is not there to start.
    if (TheApp()->ModalDepth > 0 || static_cast<int>(itemNumber) - 1 == m_shortcuts.PendingIndex()) return;
    // The launch works on a copy: the prompt's modal loop may let the table change.
    const ShortcutItem launched = *item;

    if (ReadOption(Option::PlayWave) == 1) {
        std::string sound = ReadOption(Option::WaveFile);
        System.playSound(sound.c_str(), SND_ASYNC);
    }
    if (launched.Kind() == ShortcutKind::DialUp) return ShowDialUpMenu(m_hWnd);
    if (launched.Kind() == ShortcutKind::DeskAccess) return ShowDeskAccessMenu(m_hWnd);

    SetForegroundWindow(m_hWnd);
    // Longer texts than the Properties page takes are refused, never cut.
    if (WideLength(launched.Path) > MaxPathChars || WideLength(launched.Startup) > MaxPathChars) {
        ShowLaunchError("errTooLong", launched.Path);
        return;
    }
    std::string arguments = launched.Arguments;
    if (launched.Prompt == 1) {
        CRunArgumentsDlg prompt(m_hWnd);
        INT_PTR answer;
        {
            ModalScope modal;
            answer = prompt.DoModal();
        }
        arguments = answer == IDOK ? prompt.Text : std::string();
    }
    if (WideLength(arguments) > MaxArgumentsChars) {
        ShowLaunchError("errTooLong", launched.Path);
        return;
    }
    const char* verb = launched.RunAs ? "runas" : "open";
    EnsureComApartment();
    INT_PTR result = reinterpret_cast<INT_PTR>(System.shellExecute(m_hWnd, verb, launched.Path.c_str(),
                                                                   arguments.c_str(), launched.Startup.c_str(),
                                                                   ShowCommandOfStyle(launched.Style)));
    // No to the administrator prompt is the user's own answer, not a failure to report.
    if (result <= 32 && !(launched.RunAs && GetLastError() == ERROR_CANCELLED))
        ReportLaunchFailure(result, launched.Path);
}
