// The application object: instance start, message loop, the settings store it chose,
// the shell-open DDE service and the end of command routing.
#pragma once
#include "framework/SettingsStore.h"
#include <windows.h>
#include <memory>
#include <string>

class CWnd;
class CCommandLineInfo;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    // Modal dialogs, message boxes and sheets running now; raised where the framework starts them.
    int ModalDepth = 0;

    // Start of the run: false ends the process without a message loop.
    virtual bool InitInstance() { return true; }
    // The message loop; returns the quit code.
    virtual int Run();
    // The last stop of command routing (after the window and its owners); true when handled.
    virtual bool OnCommand(UINT id);
    // Whether OnCommand handles id (dialogs show their Help button only when the Help command is).
    virtual bool HandlesCommand(UINT id) const { (void)id; return false; }
    // An execute string of the shell-open DDE conversation; true when handled.
    virtual bool OnDDECommand(const char* command);

    // The executable's file name without folder and extension ("Velkator").
    const std::string& AppName() const { return m_appName; }
    // Folder of the executable, without the final backslash.
    std::string ModuleFolder() const;

    // Makes HKEY_CURRENT_USER\Software\<key>\<AppName> the settings store in use.
    void SetRegistryKey(const char* key);
    // Moves the registry settings elsewhere (tests use a private key each).
    void SetProfileLocation(const char* key, const char* appName);
    std::string ProfileKeyPath() const;
    // From now on the settings are kept in store (a portable copy's file).
    void UseSettingsStore(std::unique_ptr<SettingsStore> store);
    SettingsStore& Settings() { return *m_settings; }

    // What the process ends with when InitInstance returns false.
    void SetExitCode(int code) { m_exitCode = code; }
    int ExitCode() const { return m_exitCode; }

    // Shell-open DDE: the service name is AppName(), the topic "system".
    void EnableShellOpen();
    ATOM DdeApplicationAtom() const { return m_ddeApplication; }
    ATOM DdeTopicAtom() const { return m_ddeTopic; }

    // Calls info.ParseParam for every argument after the program name.
    void ParseCommandLine(CCommandLineInfo& info);

private:
    std::string m_appName;
    std::string m_registryKey;
    std::unique_ptr<SettingsStore> m_settings;
    int m_exitCode = 0;
    ATOM m_ddeApplication = 0;
    ATOM m_ddeTopic = 0;
    CWinApp* m_previousApp;
};

// The one application object of the process, or null before it exists.
CWinApp* TheApp();
// The module resources come from: the application's, or the executable's before there is one.
HINSTANCE ProgramInstance();
// The executable's full path, however long; empty when the system cannot give it.
std::string ProgramPath();
// The system folder (System32), without a final backslash.
std::string SystemFolder();

// The system's message box, counted in ModalDepth while it is open.
int ModalMessageBox(HWND owner, const char* text, const char* caption, UINT style);

// Raises the application's ModalDepth for the lifetime of a modal run (the framework's own).
class ModalScope {
public:
    ModalScope() { if (TheApp()) ++TheApp()->ModalDepth; }
    ~ModalScope() { if (TheApp()) --TheApp()->ModalDepth; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

// Runs the application: InitInstance, then the message loop when it returned true; the exit code.
int RunApplication(CWinApp& app, HINSTANCE instance);
