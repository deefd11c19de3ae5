#include "app/TrayApp.h"
#include "app/HelpLink.h"
#include "app/LanguageChoice.h"
#include "app/NewCommandLineInfo.h"
#include "app/SettingsChoice.h"
#include "app/SettingsCommand.h"
#include "store/ExplorerVerb.h"
#include "framework/Dialog.h"
#include "framework/Display.h"
#include "lang/Language.h"
#include "res/resource.h"
#include "store/Options.h"
#include "tray/MainWnd.h"

TrayApp& App() {
    return *static_cast<TrayApp*>(TheApp());
}

namespace {
// The verb names this copy of the program and speaks its language: written anew at every start
// and language change while QuickNew is on.
void RewriteQuickNewVerb() {
    if (ReadOption(Option::QuickNew) != 0) WriteQuickNewVerb(GetText("advQuickNewMenu"));
}

// What shows language texts outside the dialogs: the special icons' tooltips, the Explorer verb.
void RetitleAfterReload() {
    if (CMainWnd* main = App().MainWindow()) main->RetitleSpecialIcons();
    RewriteQuickNewVerb();
}

// The longest DDE command handled; a longer one is refused, never cut.
const size_t MaxNewCommandLength = 519;
}  // namespace

const char* const TrayApp::InstanceMutexName = "Local\\QX:Velkator";

TrayApp::TrayApp() {
    SetLanguageReloadedHandler(&RetitleAfterReload);
}

TrayApp::~TrayApp() {
    m_mainWindow.reset();
    CloseLanguageLibrary();
}

CMainWnd* TrayApp::MainWindow() const {
    return static_cast<CMainWnd*>(m_pMainWnd);
}

bool TrayApp::OnDDECommand(const char* command) {
    static const char prefix[] = "[new(\"";
    const std::string text = command ? command : "";
    if (text.compare(0, sizeof prefix - 1, prefix) != 0) return false;
    size_t quote = text.find('"', sizeof prefix - 1);
    if (quote == std::string::npos) return false;
    CMainWnd* main = MainWindow();
    if (!main) return false;
    std::string path = text.substr(sizeof prefix - 1, quote - (sizeof prefix - 1));
    main->Commands().NewShortcutFromPath(text.size() > MaxNewCommandLength ? std::string() : path);
    return true;
}

bool TrayApp::HandlesCommand(UINT id) const {
    return id == CDialog::HelpCommandId;
}

bool TrayApp::OnCommand(UINT id) {
    if (id != CDialog::HelpCommandId) return false;
    OpenHelpLink("urlHelp");
    return true;
}

bool TrayApp::IsOnlyInstance() {
    // The mutex decides between copies started at the same moment, before either has a window.
    m_instanceMutex.reset(CreateMutexA(nullptr, FALSE, InstanceMutexName));
    bool first = m_instanceMutex && GetLastError() != ERROR_ALREADY_EXISTS;
    if (first) return true;
    // The first copy may still be starting: give its window a moment to appear, then bring it forward.
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (HWND running = FindWindowA(CMainWnd::ClassName, nullptr)) {
            SetForegroundWindow(GetLastActivePopup(running));
            break;
        }
        Sleep(100);
    }
    return false;
}

bool TrayApp::InitInstance() {
    // Libraries loaded from now on come from the system folder only (the program's own are loaded
    // already), and the folder the program was started in (Explorer's verb leaves the clicked
    // file's) is left: nothing planted there runs, and a shortcut without a start folder starts in
    // the program's own. A settings file named on the command line is found from the folder the
    // program was started in.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    NewCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    SetCurrentDirectoryA(ModuleFolder().c_str());
    EnableShellOpen();
    SetRegistryKey("Shareware");
    SettingsChoice settings;
    settings.Choose();
    const bool settingsCommand = commandLine.Action != SettingsAction::None;

    const WORD stored =
        static_cast<WORD>(Settings().ReadNumber(OptionsSection, Option::Language, UserDefaultLanguage()));
    WORD opened = 0;
    if (!OpenStartupLanguage(stored, ModuleFolder(), &OpenLanguageLibrary, opened)) {
        char text[256] = "", caption[64] = "";
        LoadStringA(m_hInstance, IDS_NO_LANGUAGE, text, sizeof text);
        LoadStringA(m_hInstance, IDS_NO_LANGUAGE_CAPTION, caption, sizeof caption);
        if (!(settingsCommand && commandLine.Quiet)) MessageBoxA(nullptr, text, caption, MB_ICONERROR);
        if (settingsCommand) SetExitCode(1);
        return false;
    }
    if (!settings.Report(settingsCommand && commandLine.Quiet)) {
        SetExitCode(1);
        return false;
    }
    if (settingsCommand) {
        SetExitCode(RunSettingsCommand(commandLine));
        return false;
    }

    RewriteQuickNewVerb();
    if (!IsOnlyInstance()) return false;
    ReportSaveFailures();

    CMainWnd::RegisterWindowClass(m_hInstance);

    m_mainWindow.reset(new CMainWnd(commandLine.NewPath));
    CMainWnd* main = m_mainWindow.get();
    if (!main->Create()) return false;
    m_pMainWnd = main;
    SendMessageA(main->m_hWnd, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(m_hInstance, MAKEINTRESOURCEA(IDI_VELKATOR))));
    // The small icon at the window's DPI; a loaded image is the caller's to destroy, when the program ends.
    const int small = MetricForDpi(SM_CXSMICON, WindowDpi(main->m_hWnd));
    m_smallIcon.reset(static_cast<HICON>(
        LoadImageA(m_hInstance, MAKEINTRESOURCEA(IDI_VELKATOR), IMAGE_ICON, small, small, LR_DEFAULTCOLOR)));
    SendMessageA(main->m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.get()));
    ShowWindow(main->m_hWnd, SW_HIDE);
    return true;
}
