// Answers the modal dialogs an in-process test opens: a thread timer, which also fires
// inside modal loops, hands each new dialog of this thread to the next queued action.
#pragma once
#include <windows.h>
#include <deque>
#include <functional>

class DialogRobot {
public:
    using Action = std::function<void(HWND dialog)>;
    DialogRobot();
    ~DialogRobot();
    DialogRobot(const DialogRobot&) = delete;
    DialogRobot& operator=(const DialogRobot&) = delete;

    // The next dialog that appears gets this action (in the order queued).
    void Then(Action action);
    // Dialogs that appeared, in order, with their captions at that moment.
    int DialogsSeen() const { return m_seen; }
    bool AllActionsUsed() const { return m_actions.empty(); }

    // Common actions.
    static Action Press(int buttonId);   // BM_CLICK on an enabled, visible button
    static Action Close();               // WM_CLOSE (the close box)
    static Action Key(WORD virtualKey);  // a key press sent to the dialog's focused control

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Poll();
    std::deque<Action> m_actions;
    HWND m_lastDialog = nullptr;
    int m_seen = 0;
    UINT_PTR m_timer = 0;
};

// Runs the thread's message loop for about ms milliseconds.
void PumpMessages(DWORD ms);
