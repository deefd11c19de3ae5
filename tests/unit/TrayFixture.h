// A real, hidden main window on a private profile with the tray, shell and sound calls recorded.
#pragma once
#include "DialogRobot.h"
#include "RecordingSystem.h"
#include "TestSupport.h"
#include "tray/MainWnd.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

class TrayFixture : public testing::Test {
protected:
    PrivateProfile profile;
    RecordingSystem system;
    std::unique_ptr<CMainWnd> window;

    void TearDown() override;
    // Stores application shortcuts ("name=path") and special items in this order, then makes the window.
    void CreateWindowWith(const std::vector<std::string>& tokens);
    // Sends the tray callback for item number (1-based) with a mouse message.
    void Click(int itemNumber, UINT mouseMessage);
    std::string Order() const;
    bool WindowAlive() const { return window && window->m_hWnd && IsWindow(window->m_hWnd); }
};
