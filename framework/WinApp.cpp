#include "framework/WinApp.h"
#include "framework/CommandLineInfo.h"
#include "framework/RegistrySettings.h"
#include "framework/Path.h"
#include "framework/Wnd.h"
#include <stdlib.h>

namespace {
CWinApp* g_app = nullptr;
}

CWinApp* TheApp() {
    return g_app;
}

HINSTANCE ProgramInstance() {
    return g_app ? g_app->m_hInstance : GetModuleHandleA(nullptr);
}

std::string ProgramPath() {
    // The answer is cut without an error on older systems: a full buffer means try a larger one.
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::string path(size, '\0');
        const DWORD length = GetModuleFileNameA(nullptr, &path[0], size);
        if (length == 0) return std::string();
        if (length < size - 1) return path.substr(0, length);
    }
    return std::string();
}

std::string SystemFolder() {
    char folder[MAX_PATH] = "";
    const UINT length = GetSystemDirectoryA(folder, sizeof folder);
    return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

CWinApp::CWinApp() : m_previousApp(g_app) {
    g_app = this;
    m_hInstance = GetModuleHandleA(nullptr);
    m_appName = FileNameOf(ProgramPath());
    const size_t dot = m_appName.rfind('.');
    if (dot != std::string::npos && dot > 0) m_appName.erase(dot);
    SetRegistryKey("");
}

CWinApp::~CWinApp() {
    if (m_ddeApplication) GlobalDeleteAtom(m_ddeApplication);
    if (m_ddeTopic) GlobalDeleteAtom(m_ddeTopic);
    // Objects nest (tests make a second one for a while); the previous one comes back.
    if (g_app == this) g_app = m_previousApp;
}

std::string CWinApp::ModuleFolder() const {
    return FolderOf(ProgramPath());
}

int CWinApp::Run() {
    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0) {
        if (got == -1) break;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return got == -1 ? -1 : static_cast<int>(message.wParam);
}

bool CWinApp::OnCommand(UINT) {
    return false;
}

bool CWinApp::OnDDECommand(const char*) {
    return false;
}

void CWinApp::SetRegistryKey(const char* key) {
    m_registryKey = key ? key : "";
    m_settings.reset(new RegistrySettingsStore(ProfileKeyPath()));
}

void CWinApp::SetProfileLocation(const char* key, const char* appName) {
    m_appName = appName ? appName : "";
    SetRegistryKey(key);
}

std::string CWinApp::ProfileKeyPath() const {
    return "Software\\" + m_registryKey + "\\" + m_appName;
}

void CWinApp::UseSettingsStore(std::unique_ptr<SettingsStore> store) {
    if (store) m_settings = std::move(store);
}

void CWinApp::EnableShellOpen() {
    if (!m_ddeApplication) m_ddeApplication = GlobalAddAtomA(m_appName.c_str());
    if (!m_ddeTopic) m_ddeTopic = GlobalAddAtomA("system");
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
    for (int i = 1; i < __argc; ++i) {
        const char* argument = __argv[i];
        bool isFlag = argument[0] == '-' || argument[0] == '/';
        info.ParseParam(isFlag ? argument + 1 : argument, isFlag, i + 1 == __argc);
    }
}

int ModalMessageBox(HWND owner, const char* text, const char* caption, UINT style) {
    ModalScope modal;
    return MessageBoxA(owner, text, caption, style);
}

int RunApplication(CWinApp& app, HINSTANCE instance) {
    app.m_hInstance = instance;
    if (!app.InitInstance()) return app.ExitCode();
    return app.Run();
}
