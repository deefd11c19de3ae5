// Where the settings are kept: in "<program name>-settings.ini" when that file lies beside the
// program (a portable copy, which then writes nothing to the registry), else in the registry.
#pragma once
#include <string>

class SettingsChoice {
public:
    // Makes the file the application's store when it is there; call it after SetRegistryKey.
    void Choose();
    // Says what became of a file that could not be read (nothing when quiet); false when the
    // program must end rather than run on and overwrite it.
    bool Report(bool quiet) const;

private:
    enum class Outcome { Registry, File, MovedAside, Unreadable };
    Outcome m_outcome = Outcome::Registry;
    std::string m_path;
    std::string m_movedTo;
};

// From now on a failed save of the settings is told, once, when the message loop next runs.
void ReportSaveFailures();
