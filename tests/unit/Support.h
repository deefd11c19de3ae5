// What the in-process tests share: a private profile and folder per test, registry checks, a robot
// that answers modal dialogs, recorders for the calls that leave the program, and the real hidden
// main window built on them.
#pragma once
#include "app/TrayApp.h"
#include "framework/RegistryKey.h"
#include "framework/SystemCalls.h"
#include "framework/WinApp.h"
#include "lang/Language.h"
#include "res/resource.h"
#include "tray/MainWnd.h"
#include <gtest/gtest.h>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

inline std::string UniqueName(const char* stem) {
    static int sequence = 0;
    return std::string(stem) + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) +
           "-" + std::to_string(++sequence);
}

inline void DeleteRegistryTree(const std::string& path) { RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str()); }
inline bool RegistryKeyExists(const std::string& path) { return RegistryKey().Open(HKEY_CURRENT_USER, path.c_str()); }

// Points the application's profile at "Software\VelkatorTests\<unique>" for one test, then deletes it.
class PrivateProfile {
public:
    PrivateProfile() : m_previousName(TheApp()->AppName()), m_name(UniqueName("Run")) {
        TheApp()->SetProfileLocation("VelkatorTests", m_name.c_str());
    }
    ~PrivateProfile() {
        DeleteRegistryTree(KeyPath());
        TheApp()->SetProfileLocation("VelkatorTests", m_previousName.c_str());
    }
    PrivateProfile(const PrivateProfile&) = delete;
    PrivateProfile& operator=(const PrivateProfile&) = delete;
    std::string KeyPath(const char* section = nullptr) const {
        return "Software\\VelkatorTests\\" + m_name + (section ? std::string("\\") + section : "");
    }

private:
    std::string m_previousName, m_name;
};

// A fresh temporary folder, removed with its files afterwards.
class TemporaryFolder {
public:
    TemporaryFolder() {
        char base[MAX_PATH] = "";
        GetTempPathA(sizeof base, base);
        m_path = base + UniqueName("velkator-test");
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~TemporaryFolder() {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(File("*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA(File(found.cFileName).c_str());
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        RemoveDirectoryA(m_path.c_str());
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::string& Path() const { return m_path; }
    std::string File(const char* name) const { return m_path + "\\" + name; }
    void Write(const char* name, const std::string& content) const {
        OwnedHandle file(CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    }

private:
    std::string m_path;
};

inline std::string TextOf(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Handles the thread's queued messages, then goes on until done holds; false when it did not in 10 s.
inline bool PumpMessages(const std::function<bool()>& done = [] { return true; }) {
    MSG message;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 10000;
         MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT)) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        if (done()) return true;
    }
    return false;
}

// Answers the modal dialogs a test opens: a thread timer, which also fires inside modal loops,
// hands each dialog of this thread that appears (or comes back on top) to the next queued action.
// A new dialog with no action waiting fails the test at once, with its title, and is closed; so is
// one left open for 10 s, so that a test whose actions went wrong fails instead of hanging.
class DialogRobot {
public:
    using Action = std::function<void(HWND dialog)>;
    DialogRobot() : m_timer(SetTimer(nullptr, 0, 30, &DialogRobot::OnTimer)) { current = this; }
    ~DialogRobot() {
        KillTimer(nullptr, m_timer);
        current = nullptr;
    }
    DialogRobot(const DialogRobot&) = delete;
    DialogRobot& operator=(const DialogRobot&) = delete;
    void Then(Action action) { m_actions.push_back(std::move(action)); }
    int DialogsSeen() const { return m_seen; }

    static Action Press(int buttonId) {  // BM_CLICK on an enabled, visible button
        return [buttonId](HWND dialog) {
            HWND button = GetDlgItem(dialog, buttonId);
            if (button && IsWindowEnabled(button) && IsWindowVisible(button)) SendMessageA(button, BM_CLICK, 0, 0);
        };
    }
    static Action Close() {  // the close box
        return [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); };
    }
    static Action Key(WORD key) {  // a key press sent to the focused control
        return [key](HWND dialog) {
            HWND focus = GetFocus();
            HWND target = focus && (focus == dialog || IsChild(dialog, focus)) ? focus : dialog;
            PostMessageA(target, WM_KEYDOWN, key, 1);
            PostMessageA(target, WM_KEYUP, key, 0xC0000001);
        };
    }
    static Action NoteMessage(std::string& text) {  // notes a message box's text and presses OK
        return [&text](HWND box) {
            text = TextOf(GetDlgItem(box, IDC_MESSAGE_TEXT));
            SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        };
    }

private:
    static inline DialogRobot* current = nullptr;
    static BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
        char name[16];
        if (!IsWindowVisible(window) || !GetClassNameA(window, name, sizeof name) || lstrcmpA(name, "#32770") != 0)
            return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    static void Fail(HWND dialog, const char* why) {
        ADD_FAILURE() << "window \"" << TextOf(dialog) << "\" " << why;
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        DialogRobot* robot = current;
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (!robot || !dialog) return;
        if (dialog == robot->m_lastDialog) {
            if (GetTickCount() - robot->m_since >= 10000) { Fail(dialog, "left open"); robot->m_since = GetTickCount(); }
            return;
        }
        robot->m_lastDialog = dialog;
        robot->m_since = GetTickCount();
        ++robot->m_seen;
        const bool known = !robot->m_known.insert(dialog).second;
        if (robot->m_actions.empty()) {
            if (!known) Fail(dialog, "unexpected");
            return;
        }
        Action action = std::move(robot->m_actions.front());
        robot->m_actions.pop_front();
        action(dialog);
    }

    std::deque<Action> m_actions;
    std::set<HWND> m_known;
    HWND m_lastDialog = nullptr;
    DWORD m_since = 0;
    int m_seen = 0;
    UINT_PTR m_timer;
};

struct NotifyCall {
    DWORD message;
    NOTIFYICONDATAA data;
};

// Replaces the calls that leave the program (tray, shell, sound) with recorders, and silences beeps, for one test.
class RecordingSystem {
public:
    std::vector<NotifyCall> notifications;
    std::vector<std::string> launches;  // their verbs (what they started is seen end to end)
    std::vector<std::pair<std::string, UINT>> sounds;  // sound and flags
    std::vector<UINT> allowedMessages;  // let through the message filter
    std::set<UINT> shown;               // icons the tray has: only those can be changed
    std::vector<int> menuModes;         // asked of uxtheme
    INT_PTR shellExecuteResult = 42;    // greater than 32 is success
    DWORD shellExecuteError = 0;        // the last error a failed launch leaves
    bool trayTakesIcons = true;         // it does not while the shell starts
    DWORD windowsBuild = 0;             // none known: no dark menus

    RecordingSystem() {
        current = this;
        System = {&Notify, &Execute, &ExecuteEx, &Play, &Beep, &Allow, &Build, &MenuMode};
    }
    ~RecordingSystem() {
        System = RealSystemCalls;
        current = nullptr;
    }
    RecordingSystem(const RecordingSystem&) = delete;
    RecordingSystem& operator=(const RecordingSystem&) = delete;
    std::vector<NotifyCall> NotificationsOf(DWORD message) const {
        std::vector<NotifyCall> calls;
        for (const NotifyCall& call : notifications)
            if (call.message == message) calls.push_back(call);
        return calls;
    }
    void Clear() {
        notifications.clear();
        launches.clear();
        sounds.clear();
    }

private:
    static inline RecordingSystem* current = nullptr;
    static std::string Text(LPCSTR text) { return text ? text : ""; }
    static BOOL WINAPI Notify(DWORD message, PNOTIFYICONDATAA data) {
        RecordingSystem& tray = *current;
        tray.notifications.push_back({message, *data});
        switch (message) {
        case NIM_ADD: return tray.trayTakesIcons && tray.shown.insert(data->uID).second;
        case NIM_MODIFY: case NIM_SETVERSION: return tray.shown.count(data->uID) != 0;
        case NIM_DELETE: return tray.shown.erase(data->uID) != 0;
        }
        return FALSE;
    }
    static HINSTANCE WINAPI Execute(HWND, LPCSTR verb, LPCSTR, LPCSTR, LPCSTR, INT) {
        current->launches.push_back(Text(verb));
        SetLastError(current->shellExecuteError);
        return reinterpret_cast<HINSTANCE>(current->shellExecuteResult);
    }
    static BOOL WINAPI ExecuteEx(SHELLEXECUTEINFOA* info) {
        current->launches.push_back(Text(info->lpVerb));
        info->hInstApp = reinterpret_cast<HINSTANCE>(current->shellExecuteResult);
        return current->shellExecuteResult > 32;
    }
    static BOOL WINAPI Play(LPCSTR sound, UINT flags) {
        current->sounds.push_back({Text(sound), flags});
        return TRUE;
    }
    static BOOL WINAPI Beep(UINT) { return TRUE; }
    static BOOL WINAPI Allow(HWND, UINT message, DWORD action, PCHANGEFILTERSTRUCT) {
        if (action == MSGFLT_ALLOW) current->allowedMessages.push_back(message);
        return TRUE;
    }
    static DWORD Build() { return current->windowsBuild; }
    static bool MenuMode(int mode) {
        current->menuModes.push_back(mode);
        return true;
    }
};

// A real, hidden main window on a private profile with the calls that leave the program recorded.
class TrayFixture : public testing::Test {
protected:
    PrivateProfile profile;
    RecordingSystem system;
    std::unique_ptr<CMainWnd> window;

    void TearDown() override {
        DestroyMainWindow();
        App().m_pMainWnd = nullptr;
        App().ModalDepth = 0;
        OpenLanguageLibrary(9);
    }
    // Stores application shortcuts ("name=path") and special items in this order, then makes the window.
    void CreateWindowWith(const std::vector<std::string>& tokens) {
        std::string order;
        for (const std::string& token : tokens) {
            size_t equals = token.find('=');
            std::string name = token.substr(0, equals);
            if (equals != std::string::npos) {
                TheApp()->Settings().WriteText("Shortcuts", name.c_str(), "Installed");
                TheApp()->Settings().WriteText(name.c_str(), "Path", token.substr(equals + 1).c_str());
            }
            order += name + "|";
        }
        TheApp()->Settings().WriteText("Shortcuts", "Order", order.c_str());
        DestroyMainWindow();
        CMainWnd::RegisterWindowClass(GetModuleHandleA(nullptr));
        window.reset(new CMainWnd);
        ASSERT_TRUE(window->Create());
        App().m_pMainWnd = window.get();
    }
    // The tray callback for item number (1-based) with a mouse message.
    void Click(int itemNumber, UINT mouseMessage) {
        int iconId = window->Shortcuts().At(itemNumber - 1).IconId;
        SendMessageA(window->m_hWnd, TrayCallbackMessage, static_cast<WPARAM>(iconId), mouseMessage);
    }
    std::string Order() const { return TheApp()->Settings().ReadText("Shortcuts", "Order", "<none>"); }
    // Message 143 for item number (1-based): a launch as a click makes it.
    void Launch(WPARAM itemNumber) { SendMessageA(window->m_hWnd, LaunchItemMessage, itemNumber, 0); }
    // The icons of the tray calls of one kind, in the order made.
    std::vector<UINT> IconIds(DWORD message) const {
        std::vector<UINT> ids;
        for (const NotifyCall& call : system.NotificationsOf(message)) ids.push_back(call.data.uID);
        return ids;
    }
    bool WindowAlive() const { return window && window->m_hWnd && IsWindow(window->m_hWnd); }

private:
    // Destroying the main window posts WM_QUIT; a later test's dialog must not see it.
    void DestroyMainWindow() {
        if (!WindowAlive()) return;
        window->DestroyWindow();
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
};
