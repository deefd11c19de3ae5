// The Options page: click style, click sound, language, the password lock, the Explorer verb,
// the taskbar option and the two confirmations. Sounds and languages are the files beside the
// program.
#pragma once
#include "dialogs/ContextHelp.h"
#include "sheet/SheetState.h"
#include <string>
#include <vector>

class COptionsPage : public CContextHelpPage {
public:
    explicit COptionsPage(SheetState& state);

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnApply() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    const HelpTableEntry* GetHelpTable() const override;

private:
    LRESULT SendToItem(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    std::string SoundText() const;
    // The entry of the sound list whose text is text (any letter case), or -1.
    int FindSound(const std::string& text) const;
    // The file a sound text stands for: a listed sound's own file, a bare name in the program's
    // folder, ".wav" added to a file name without an extension.
    std::string SoundPath(const std::string& text) const;
    bool IsPlayableSound() const;
    void FillSoundList(const std::string& current);
    void FillLanguageList(WORD current);
    void ApplyLockState();
    void OnSoundEdited();
    void OnSoundChosen();
    void PlayChosenSound() const;
    void BrowseForSound();
    // Sets, unlocks or changes the password in force; true when the dialog ended with OK.
    bool RunSecurityDialog(bool changeMode);

    SheetState& m_state;
    std::string m_programDirectory;
    // The settings live beside the program: the options that write to the registry are off.
    bool m_portable;
    // File names of the listed sounds; a listed entry's item data is its index here.
    std::vector<std::string> m_soundFiles;
};
