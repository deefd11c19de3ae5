; Velkator's installer and uninstaller: per user, without administrator rights.
; Built by tools/release.sh, which passes:
;   VERSION  the program's version, four numbers
;   FILES    a folder holding Install.nsh and Uninstall.nsh, the File and Delete lines
;            for the product files (the list is kept in one place, release.sh)
;   OUTFILE  the installer to write
; Command line: /S installs or uninstalls silently with the defaults; the uninstaller
; also takes /RemoveSettings, which ticks "Also remove my shortcuts and settings".

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velkator"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Shareware\Velkator"
!define PUBLISHER "The Velkator developers"

Name "Velkator"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Velkator"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "UninstallString"
BrandingText "Velkator ${VERSION}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

Var WasRunning
Var Elevated

!define MUI_ICON "${__FILEDIR__}/../res/icons/velkator.ico"
!define MUI_UNICON "${__FILEDIR__}/../res/icons/velkator.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(StartNow)"
!define MUI_FINISHPAGE_RUN_FUNCTION StartVelkator
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishPageShow
!insertmacro MUI_PAGE_FINISH

!define MUI_COMPONENTSPAGE_TEXT_TOP "$(UninstallTop)"
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the fallback for every language but German.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!include "${__FILEDIR__}/Texts.nsh"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Velkator"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Velkator Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "© ${PUBLISHER}"

; Asks a running Velkator to end with the request its own Close command sends (its tray
; icons go), waits for the process, and lets the user retry or give up when it stays.
!macro CLOSE_VELKATOR UN
Function ${UN}CloseVelkator
  StrCpy $WasRunning 0
  retry:
  FindWindow $0 "QX:Velkator"
  ${If} $0 == 0
    Return
  ${EndIf}
  StrCpy $WasRunning 1
  System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
  System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2"  ; SYNCHRONIZE
  SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  StrCpy $3 0
  ${If} $2 P<> 0
    System::Call "kernel32::WaitForSingleObject(p r2, i 5000) i .r3"
    System::Call "kernel32::CloseHandle(p r2)"
  ${EndIf}
  FindWindow $0 "QX:Velkator"
  ${If} $0 == 0
  ${AndIf} $3 == 0
    Return
  ${EndIf}
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY retry
  SetErrorLevel 3
  Abort "$(StillRunning)"
FunctionEnd
!macroend
!insertmacro CLOSE_VELKATOR ""
!insertmacro CLOSE_VELKATOR "un."

; Velkator runs with the rights of the signed-in user: started through the shell, and not at all
; by an installer that runs as administrator (every shortcut would then start elevated unasked).
Function StartVelkator
  ${If} $Elevated == 0
    ExecShell "open" "$INSTDIR\Velkator.exe"
  ${EndIf}
FunctionEnd

Function FinishPageShow
  ${If} $Elevated != 0
    SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
    ShowWindow $mui.FinishPage.Run ${SW_HIDE}
  ${EndIf}
FunctionEnd

Section "-Velkator" SecProgram
  Call CloseVelkator
  SetOutPath "$INSTDIR"
  !include "${FILES}/Install.nsh"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Velkator.lnk" "$INSTDIR\Velkator.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Velkator"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Velkator.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  ; An upgrade that clears the option takes the program out of the start-up list again.
  DeleteRegValue HKCU "${RUN_KEY}" "Velkator"
SectionEnd

Section "$(StartWithWindows)" SecAutostart
  WriteRegStr HKCU "${RUN_KEY}" "Velkator" '"$INSTDIR\Velkator.exe"'
SectionEnd

Section "-Restart"
  ; A silent upgrade has no finish page: bring back the Velkator it closed.
  ${If} ${Silent}
  ${AndIf} $WasRunning == 1
    Call StartVelkator
  ${EndIf}
SectionEnd

Function .onInit
  System::Call "shell32::IsUserAnAdmin() i .r0"
  StrCpy $Elevated $0
  ; An upgrade keeps the earlier choice about starting with Windows.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "UninstallString"
  ClearErrors
  ReadRegStr $1 HKCU "${RUN_KEY}" "Velkator"
  ${If} $0 != ""
  ${AndIf} ${Errors}
    SectionSetFlags ${SecAutostart} 0
  ${EndIf}
FunctionEnd

Section "-un.Velkator"
  Call un.CloseVelkator
  !include "${FILES}/Uninstall.nsh"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Velkator.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "Velkator"
  ; The Explorer verbs the program may have written under the user's classes: for every file,
  ; for folders, and (earlier versions) for the file type that ".exe" names. A machine-wide one
  ; is not this per-user copy's to remove.
  DeleteRegKey HKCU "Software\Classes\*\shell\zzVelkator"
  DeleteRegKey HKCU "Software\Classes\Directory\shell\zzVelkator"
  ReadRegStr $0 HKCR ".exe" ""
  ${If} $0 != ""
    DeleteRegKey HKCU "Software\Classes\$0\shell\zzVelkator"
  ${EndIf}
SectionEnd

Section /o "un.$(RemoveSettings)" SecRemoveSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Shareware"
SectionEnd

Section "-un.Entry"
  ; Last, so that an uninstall that stopped half-way can be run again from the list.
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/RemoveSettings" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecRemoveSettings} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
