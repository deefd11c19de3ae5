#include "framework/WinApp.h"
#include "framework/CommandLineInfo.h"
#include "framework/RegistryKey.h"
#include "framework/Wnd.h"
#include <stdlib.h>

namespace {
CWinApp* g_app = nullptr;
}

CWinApp* TheApp() {
    return g_app;
}

CWinApp::CWinApp() : m_previousApp(g_app) {
    g_app = this;
    m_hInstance = GetModuleHandleA(nullptr);
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length > 0 && length < sizeof path) {
        const char* name = path;
        for (const char* p = path; *p; p = CharNextA(p))
            if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
        m_appName = name;
        size_t dot = m_appName.rfind('.');
        if (dot != std::string::npos && dot > 0) m_appName.erase(dot);
    }
}

CWinApp::~CWinApp() {
    if (m_ddeApplication) GlobalDeleteAtom(m_ddeApplication);
    if (m_ddeTopic) GlobalDeleteAtom(m_ddeTopic);
    // Objects nest (tests make a second one for a while); the previous one comes back.
    if (g_app == this) g_app = m_previousApp;
}

std::string CWinApp::ModuleFolder() const {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return std::string();
    std::string folder(path, length);
    size_t slash = folder.rfind('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
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
}

void CWinApp::SetProfileLocation(const char* key, const char* appName) {
    m_registryKey = key ? key : "";
    m_appName = appName ? appName : "";
}

std::string CWinApp::ProfileKeyPath() const {
    return "Software\\" + m_registryKey + "\\" + m_appName;
}

bool CWinApp::OpenProfileSection(const char* section, RegistryKey& key) const {
    return key.Create(HKEY_CURRENT_USER, (ProfileKeyPath() + "\\" + section).c_str());
}

int CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue) {
    RegistryKey key;
    return OpenProfileSection(section, key) ? key.ReadInt(entry, defaultValue) : defaultValue;
}

std::string CWinApp::GetProfileString(const char* section, const char* entry, const char* defaultValue) {
    RegistryKey key;
    if (OpenProfileSection(section, key)) return key.ReadString(entry, defaultValue);
    return defaultValue ? defaultValue : "";
}

bool CWinApp::WriteProfileInt(const char* section, const char* entry, int value) {
    RegistryKey key;
    return OpenProfileSection(section, key) && key.SetDword(entry, static_cast<DWORD>(value));
}

bool CWinApp::WriteProfileString(const char* section, const char* entry, const char* value) {
    if (!entry) {
        RegistryKey application;
        return application.Create(HKEY_CURRENT_USER, ProfileKeyPath().c_str()) &&
               application.DeleteSubKey(section);
    }
    RegistryKey key;
    if (!OpenProfileSection(section, key)) return false;
    return value ? key.SetString(entry, value) : key.DeleteValue(entry);
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

int RunApplication(CWinApp& app, HINSTANCE instance) {
    app.m_hInstance = instance;
    if (!app.InitInstance()) return 0;
    return app.Run();
}
