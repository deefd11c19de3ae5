#include "sheet/OptionsPage.h"
#include "dialogs/SecurityDlg.h"
#include "framework/FileDialog.h"
#include "framework/SystemCalls.h"
#include "framework/Path.h"
#include "framework/WinApp.h"
#include "lang/Language.h"
#include "lang/LanguageNames.h"
#include "res/resource.h"
#include "store/ExplorerVerb.h"
#include "store/Options.h"
#include <mmsystem.h>
#include <algorithm>
#include <string.h>

namespace {
const HelpTableEntry OptionsPageHelpTable[] = {
    {IDC_OPG_SOUND, "hlpOptWaveFile"},
    {IDC_OPG_SOUND_BROWSE, "hlpOptWaveBrowse"},
    {IDC_OPG_PLAY, "hlpOptWavePlay"},
    {IDC_OPG_CLICK, "hlpOptClickCombo"},
    {IDC_OPG_QUICKNEW, "hlpAdvQuickNew"},
    {IDC_OPG_CONFIRM_EXIT, "hlpAdvExitConfirm"},
    {IDC_OPG_CONFIRM_DELETE, "hlpAdvDeleteConfirm"},
    {IDC_OPG_SECURITY, "hlpAdvSecurityState"},
    {IDC_OPG_CHANGE_PASSWORD, "hlpAdvPassword"},
    {IDC_OPG_LANGUAGE, "hlpAdvLanguage"},
    {IDC_OPG_SHOW_NEW_ICONS, "hlpOptShowNewIcons"},
    {0, nullptr},
};

const int LockableControls[] = {IDC_OPG_SOUND, IDC_OPG_SOUND_BROWSE, IDC_OPG_PLAY, IDC_OPG_CLICK,
                                IDC_OPG_LANGUAGE, IDC_OPG_QUICKNEW, IDC_OPG_CONFIRM_DELETE, IDC_OPG_CONFIRM_EXIT,
                                IDC_OPG_SHOW_NEW_ICONS};
const struct {
    int id;
    const IntOption& option;
    bool writesRegistry;  // off in a portable copy, which leaves the registry alone
} CheckBoxes[] = {
    {IDC_OPG_QUICKNEW, Option::QuickNew, true},
    {IDC_OPG_CONFIRM_DELETE, Option::ConfirmDelete, false},
    {IDC_OPG_CONFIRM_EXIT, Option::ConfirmExit, false},
    {IDC_OPG_SHOW_NEW_ICONS, Option::ShowNewIcons, true},
};
const LPARAM NoSoundFile = -1;  // item data of the no-sound entry and of sounds given by their path

// Whether a file name is a short 8.3 name as it stands (DING.WAV), as such names read better in
// lower case. Asked of the name itself: volumes without short names report no short name at all.
bool IsOwnShortName(const std::string& name) {
    const size_t dot = name.find('.');
    const size_t stem = std::min(dot, name.size());
    const size_t extension = dot == std::string::npos ? 0 : name.size() - dot - 1;
    if (stem == 0 || stem > 8 || extension > 3 || name.find('.', stem + 1) != std::string::npos) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (i != dot && (c <= ' ' || c >= 0x80 || strchr("\"*+,/:;<=>?[\\]|", c))) return false;
    }
    return true;
}

// Hidden files and folders are not offered.
bool IsListable(const WIN32_FIND_DATAA& found) {
    return !(found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY));
}
}  // namespace

COptionsPage::COptionsPage(SheetState& state)
    : CContextHelpPage(IDD_OPTIONS_PAGE), m_state(state), m_programDirectory(TheApp()->ModuleFolder()),
      m_portable(TheApp()->Settings().IsPortable()) {
    SetCaption(GetText("opgTitle"));
}

LRESULT COptionsPage::SendToItem(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam);
}

std::string COptionsPage::SoundText() const {
    return WindowText(GetDlgItem(m_hWnd, IDC_OPG_SOUND));
}

BOOL COptionsPage::OnInitDialog() {
    LocaliseDialog(m_hWnd);
    CContextHelpPage::OnInitDialog();
    SendToItem(IDC_OPG_SOUND, CB_LIMITTEXT, MAX_PATH - 1);
    if (ReadOption(Option::PlayWave) != 0) {
        std::string current = ReadOption(Option::WaveFile);
        if (lstrcmpiA(current.c_str(), Option::WaveFile.Default) == 0) current = m_programDirectory + "\\click.wav";
        FillSoundList(current);
    } else {
        FillSoundList("");
    }
    for (const char* key : {"opgSingleClick", "opgDoubleClick"})
        SendToItem(IDC_OPG_CLICK, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetText(key).c_str()));
    SendToItem(IDC_OPG_CLICK, CB_SETCURSEL, ReadClickStyle() == ClickStyle::Double ? 1 : 0);
    // A portable copy shows what is in force, and keeps the stored choice for the registry.
    for (const auto& box : CheckBoxes) {
        const bool on = ReadOption(box.option) != 0 && !(m_portable && box.writesRegistry);
        CheckDlgButton(m_hWnd, box.id, on ? BST_CHECKED : BST_UNCHECKED);
    }
    ShowWindow(GetDlgItem(m_hWnd, IDC_OPG_PORTABLE_NOTE), m_portable ? SW_SHOW : SW_HIDE);
    FillLanguageList(CurrentLanguage());
    ApplyLockState();
    return TRUE;
}

void COptionsPage::FillSoundList(const std::string& current) {
    struct Sound {
        std::string shown, file;
    };
    std::vector<Sound> sounds;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((m_programDirectory + "\\*.wav").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!IsListable(found)) continue;
            std::string shown = found.cFileName;
            shown.erase(std::min(shown.rfind('.'), shown.size()));
            if (IsOwnShortName(found.cFileName) && !shown.empty()) CharLowerA(&shown[0]);
            sounds.push_back({shown, found.cFileName});
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(sounds.begin(), sounds.end(),
              [](const Sound& a, const Sound& b) { return lstrcmpiA(a.shown.c_str(), b.shown.c_str()) < 0; });
    m_soundFiles.clear();
    SendToItem(IDC_OPG_SOUND, CB_RESETCONTENT);
    SendToItem(IDC_OPG_SOUND, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetText("opgNoWave").c_str()));
    SendToItem(IDC_OPG_SOUND, CB_SETITEMDATA, 0, NoSoundFile);
    for (const Sound& sound : sounds) {
        LRESULT entry = SendToItem(IDC_OPG_SOUND, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sound.shown.c_str()));
        if (entry < 0) continue;
        SendToItem(IDC_OPG_SOUND, CB_SETITEMDATA, static_cast<WPARAM>(entry), static_cast<LPARAM>(m_soundFiles.size()));
        m_soundFiles.push_back(sound.file);
    }
    if (current.empty()) {
        SendToItem(IDC_OPG_SOUND, CB_SETCURSEL, 0);
        return;
    }
    const std::string path = current.find('\\') == std::string::npos ? m_programDirectory + "\\" + current : current;
    // A sound of the program's own folder is chosen by its listed name; any other by its path.
    std::string name = FileNameOf(path);
    size_t dot = name.rfind('.');
    int entry = -1;
    if (lstrcmpiA(FolderOf(path).c_str(), m_programDirectory.c_str()) == 0 && dot != std::string::npos &&
        lstrcmpiA(name.c_str() + dot, ".wav") == 0)
        entry = FindSound(name.substr(0, dot));
    if (entry <= 0) {
        entry = static_cast<int>(SendToItem(IDC_OPG_SOUND, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str())));
        SendToItem(IDC_OPG_SOUND, CB_SETITEMDATA, static_cast<WPARAM>(entry), NoSoundFile);
    }
    SendToItem(IDC_OPG_SOUND, CB_SETCURSEL, static_cast<WPARAM>(entry));
}

void COptionsPage::FillLanguageList(WORD current) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((m_programDirectory + "\\" + LanguageFilePattern).c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!IsListable(found)) continue;
            const WORD language = LanguageFromFileName(found.cFileName);
            std::string name = LanguageDisplayName(language);
            if (name.empty()) name = std::to_string(language);  // a number the system has no name for
            LRESULT entry = SendToItem(IDC_OPG_LANGUAGE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
            if (entry < 0) continue;
            SendToItem(IDC_OPG_LANGUAGE, CB_SETITEMDATA, static_cast<WPARAM>(entry), language);
            if (language == current) SendToItem(IDC_OPG_LANGUAGE, CB_SETCURSEL, static_cast<WPARAM>(entry));
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    if (SendToItem(IDC_OPG_LANGUAGE, CB_GETCURSEL) < 0 && SendToItem(IDC_OPG_LANGUAGE, CB_GETCOUNT) > 0)
        SendToItem(IDC_OPG_LANGUAGE, CB_SETCURSEL, 0);
}

int COptionsPage::FindSound(const std::string& text) const {
    LRESULT entry = SendToItem(IDC_OPG_SOUND, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(text.c_str()));
    return entry == CB_ERR ? -1 : static_cast<int>(entry);
}

std::string COptionsPage::SoundPath(const std::string& text) const {
    const int entry = FindSound(text);
    if (entry > 0) {
        LRESULT file = SendToItem(IDC_OPG_SOUND, CB_GETITEMDATA, static_cast<WPARAM>(entry));
        if (file >= 0 && static_cast<size_t>(file) < m_soundFiles.size())
            return m_programDirectory + "\\" + m_soundFiles[static_cast<size_t>(file)];
    }
    std::string path = text.find('\\') == std::string::npos ? m_programDirectory + "\\" + text : text;
    // Only the file name counts: the program's folder may have a dot in its name.
    if (FileNameOf(path).find('.') == std::string::npos) path += ".wav";
    return path;
}

bool COptionsPage::IsPlayableSound() const {
    const std::string text = SoundText();
    if (text.empty()) return false;
    const int entry = FindSound(text);
    if (entry >= 0) return entry > 0;
    const std::string path = SoundPath(text);
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || lstrcmpiA(path.c_str() + dot, ".wav") != 0) return false;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

void COptionsPage::ApplyLockState() {
    const bool locked = m_state.IsLocked();
    for (int id : LockableControls) EnableWindow(GetDlgItem(m_hWnd, id), !locked);
    for (const auto& box : CheckBoxes)
        if (m_portable && box.writesRegistry) EnableWindow(GetDlgItem(m_hWnd, box.id), FALSE);
    if (!locked) EnableWindow(GetDlgItem(m_hWnd, IDC_OPG_PLAY), IsPlayableSound());
    EnableWindow(GetDlgItem(m_hWnd, IDC_OPG_CHANGE_PASSWORD), locked);
    SetDlgItemTextA(m_hWnd, IDC_OPG_SECURITY, GetText(locked ? "secDeactivate" : "secActivate").c_str());
}

bool COptionsPage::OnSetActive() {
    ApplyLockState();
    return true;
}

void COptionsPage::OnSoundEdited() {
    SetModified(true);
    EnableWindow(GetDlgItem(m_hWnd, IDC_OPG_PLAY), IsPlayableSound());
}

void COptionsPage::OnSoundChosen() {
    SetModified(true);
    const bool playable = !m_state.IsLocked() && SendToItem(IDC_OPG_SOUND, CB_GETCURSEL) > 0;
    HWND play = GetDlgItem(m_hWnd, IDC_OPG_PLAY);
    EnableWindow(play, playable);
    // Posted: the field shows the chosen entry's text only after this notification.
    if (playable) PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_OPG_PLAY, BN_CLICKED), reinterpret_cast<LPARAM>(play));
}

void COptionsPage::PlayChosenSound() const {
    const std::string text = SoundText();
    if (text.empty() || FindSound(text) == 0) return;
    System.playSound(SoundPath(text).c_str(), SND_ASYNC);
}

void COptionsPage::BrowseForSound() {
    std::string filter = GetText("opgBrowseFilterName1") + "|*.wav|" + GetText("opgBrowseFilterName2") + "|*.*||";
    CFileDialog dialog(true, "wav", SoundText().c_str(), CFileDialog::OpenExisting, filter.c_str(), GetParent(m_hWnd));
    dialog.Title = GetText("opgBrowseTitle");
    if (dialog.DoModal() != IDOK) return;
    SetDlgItemTextA(m_hWnd, IDC_OPG_SOUND, dialog.GetPathName().c_str());
    OnSoundEdited();
}

bool COptionsPage::RunSecurityDialog(bool changeMode) {
    CSecurityDlg dialog(m_hWnd, m_state.ActivePassword, changeMode);
    return dialog.DoModal() == IDOK;
}

bool COptionsPage::OnCommand(UINT id, UINT code, HWND) {
    switch (id) {
    case IDC_OPG_CLICK:
    case IDC_OPG_LANGUAGE:
        if (code == CBN_SELCHANGE) SetModified(true);
        return true;
    case IDC_OPG_QUICKNEW:
    case IDC_OPG_CONFIRM_DELETE:
    case IDC_OPG_CONFIRM_EXIT:
    case IDC_OPG_SHOW_NEW_ICONS:
        if (code == BN_CLICKED) SetModified(true);
        return true;
    case IDC_OPG_SOUND:
        if (code == CBN_EDITCHANGE) OnSoundEdited();
        if (code == CBN_SELCHANGE) OnSoundChosen();
        return true;
    case IDC_OPG_PLAY:
        if (code == BN_CLICKED) PlayChosenSound();
        return true;
    case IDC_OPG_SOUND_BROWSE:
        if (code == BN_CLICKED) BrowseForSound();
        return true;
    case IDC_OPG_SECURITY:
    case IDC_OPG_CHANGE_PASSWORD:
        if (code == BN_CLICKED && RunSecurityDialog(id == IDC_OPG_CHANGE_PASSWORD)) {
            ApplyLockState();
            SetModified(true);
        }
        return true;
    }
    return false;
}

bool COptionsPage::OnApply() {
    SettingsBatch batch(TheApp()->Settings());
    const std::string sound = SoundText();
    // The no-sound entry, or nothing at all, turns the sound off and keeps the file for later.
    if (sound.empty() || FindSound(sound) == 0) {
        WriteOption(Option::PlayWave, 0);
    } else {
        WriteOption(Option::PlayWave, 1);
        WriteOption(Option::WaveFile, SoundPath(sound));
    }
    WriteClickStyle(SendToItem(IDC_OPG_CLICK, CB_GETCURSEL) != 0 ? ClickStyle::Double : ClickStyle::Single);
    // A password set or changed here is stored; one unlocked at the start goes only when its
    // relock box was cleared.
    if (m_state.IsLocked() || ReadOption(Option::RelockPassword) == 0)
        WriteOption(Option::Security, m_state.ActivePassword);
    for (const auto& box : CheckBoxes)
        if (!(m_portable && box.writesRegistry))
            WriteOption(box.option, IsDlgButtonChecked(m_hWnd, box.id) == BST_CHECKED ? 1 : 0);
    if (ReadOption(Option::QuickNew) != 0)
        WriteQuickNewVerb(GetText("advQuickNewMenu"));
    else
        RemoveQuickNewVerb();
    const LRESULT language = SendToItem(IDC_OPG_LANGUAGE, CB_GETCURSEL);
    if (language >= 0)  // the sheet reloads the language once it has closed
        SetLanguage(static_cast<WORD>(SendToItem(IDC_OPG_LANGUAGE, CB_GETITEMDATA, static_cast<WPARAM>(language))));
    return true;
}

const HelpTableEntry* COptionsPage::GetHelpTable() const {
    return OptionsPageHelpTable;
}
