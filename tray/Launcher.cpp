#include "tray/Launcher.h"
#include "dialogs/RunArgumentsDlg.h"
#include "dialogs/ShowMessage.h"
#include "framework/ComApartment.h"
#include "framework/Path.h"
#include "framework/SystemCalls.h"
#include "framework/WideText.h"
#include "store/Options.h"
#include "tray/EntryMenus.h"
#include <mmsystem.h>

int ShowCommandOf(RunStyle style) {
    switch (style) {
    case RunStyle::Maximized: return SW_SHOWMAXIMIZED;
    case RunStyle::Minimized: return SW_MINIMIZE;
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

void ReportLaunchFailure(INT_PTR result, const std::string& path) {
    ShowMessage(LaunchErrorKey(result), MB_ICONHAND, "errTitle",
                {path.c_str(), FolderWithSeparator(path).c_str(), ExtensionOf(path).c_str()});
}

void Launcher::Launch(ShortcutItem item, bool asAdministrator) const {
    if (item.Path.empty() || item.Kind() == ShortcutKind::Separator) return;
    if (ReadOption(Option::PlayWave) == 1) {
        std::string sound = ReadOption(Option::WaveFile);
        System.playSound(sound.c_str(), SND_ASYNC);
    }
    if (item.Kind() == ShortcutKind::DialUp) return ShowDialUpMenu(m_owner);
    if (item.Kind() == ShortcutKind::DeskAccess) return ShowDeskAccessMenu(m_owner);

    SetForegroundWindow(m_owner);
    // Longer texts than the Properties page takes are refused, never cut.
    const bool tooLong = WideLength(item.Path) > MaxPathChars || WideLength(item.Startup) > MaxPathChars;
    if (!tooLong && item.Prompt) {
        CRunArgumentsDlg prompt(m_owner);
        item.Arguments = prompt.DoModal() == IDOK ? prompt.Text : std::string();
    }
    if (tooLong || WideLength(item.Arguments) > MaxArgumentsChars) {
        ShowMessage("errTooLong", MB_ICONHAND, "errTitle", {item.Path.c_str()});
        return;
    }
    EnsureComApartment();
    const bool elevated = item.RunAs || asAdministrator;
    INT_PTR result = reinterpret_cast<INT_PTR>(System.shellExecute(m_owner, elevated ? "runas" : "open",
                                                                   item.Path.c_str(), item.Arguments.c_str(),
                                                                   item.Startup.c_str(), ShowCommandOf(item.Style)));
    // No to the administrator prompt is the user's own answer, not a failure to report.
    if (result <= 32 && !(elevated && GetLastError() == ERROR_CANCELLED)) ReportLaunchFailure(result, item.Path);
}
