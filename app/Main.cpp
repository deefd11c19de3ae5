// Entry point: the application object lives for the whole process.
#include "app/TrayApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    TrayApp app;
    return RunApplication(app, instance);
}
