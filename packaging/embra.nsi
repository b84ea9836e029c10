; The per-user setup program of Embra: installs without administrator rights into
; %LOCALAPPDATA%\Programs\Embra, adds a Start-menu shortcut and an entry in the user's list
; of installed programs, and writes an uninstaller that removes all of it again.
;
; The build passes:
;   VERSION  the project's version (major.minor.patch)
;   STAGE    the folder holding embra.exe (stripped), README.txt and LICENSE.txt
;   ICON     the program's icon
;   OUTFILE  the setup program to write
;
; Switches of the uninstaller: /S runs it silently; /DELETESETTINGS deletes the settings
; (HKCU\Software\Lumavist\Embra) without asking. Without that switch a silent uninstall
; keeps them, and the interactive one asks, with "No" as the default answer.
; A 64-bit Unicode setup program, like the program it installs: it runs where embra.exe
; runs, also where Windows (or Wine) has no 32-bit layer.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"

!define PRODUCT "Embra"
!define PUBLISHER "Lumavist"
!define PROGRAM "embra.exe"
; The program's title: its main window's text and the name of its start-up shortcut.
!define TITLE "Embra desktop decoration"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SETTINGS_KEY "Software\Lumavist\Embra"
!define MENU_SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define STARTUP_SHORTCUT "$SMSTARTUP\${TITLE}.lnk"
; The main window's settings button, which tells it from the program's message boxes, and
; the command that ends the program without asking, saving every setting.
!define SETTINGS_BUTTON 1002
!define QUIT_COMMAND 1013
; How long the program may take to save and end, in milliseconds.
!define QUIT_WAIT_MS 20000
!define SYNCHRONIZE 0x00100000

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!define MUI_FINISHPAGE_RUN_TEXT "Start Embra now"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var WasRunning
Var DeleteSettings

; Ends a running Embra the way it is meant to be ended: its main window (a dialog titled
; like the program, holding the settings button) is sent the quit command, which saves
; every setting and ends the program without asking; then waits for the process to end.
; Sets $WasRunning to 1 when a program was ended.
!macro END_RUNNING_EMBRA un
Function ${un}EndRunningEmbra
    StrCpy $WasRunning 0
    StrCpy $R0 0
    ${Do}
        FindWindow $R0 "#32770" "${TITLE}" "" $R0
        ${If} $R0 == 0
            Return
        ${EndIf}
        GetDlgItem $R1 $R0 ${SETTINGS_BUTTON}
    ${LoopUntil} $R1 != 0
    StrCpy $WasRunning 1
    System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R2) i'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i R2) p .R3'
    SendMessage $R0 ${WM_COMMAND} ${QUIT_COMMAND} 0 /TIMEOUT=${QUIT_WAIT_MS}
    ${If} $R3 P<> 0
        System::Call 'kernel32::WaitForSingleObject(p R3, i ${QUIT_WAIT_MS}) i'
        System::Call 'kernel32::CloseHandle(p R3)'
    ${EndIf}
FunctionEnd
!macroend
!insertmacro END_RUNNING_EMBRA ""
!insertmacro END_RUNNING_EMBRA "un."

Section "Embra"
    Call EndRunningEmbra
    SetOutPath "$INSTDIR"
    File "${STAGE}\${PROGRAM}"
    File "${STAGE}\README.txt"
    File "${STAGE}\LICENSE.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "${MENU_SHORTCUT}" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0 \
        SW_SHOWNORMAL "" "${TITLE}"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"

    ; The program that was ended for the update runs again, with the settings it saved.
    ${If} $WasRunning == 1
        Exec '"$INSTDIR\${PROGRAM}"'
    ${EndIf}
SectionEnd

Function un.onInit
    StrCpy $DeleteSettings 0
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/DELETESETTINGS" $1
    ${IfNot} ${Errors}
        StrCpy $DeleteSettings 1
    ${EndIf}
FunctionEnd

Section "Uninstall"
    Call un.EndRunningEmbra
    Delete "$INSTDIR\${PROGRAM}"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "${MENU_SHORTCUT}"
    ; The program's "Start with Windows" shortcut: nothing may start a removed program.
    Delete "${STARTUP_SHORTCUT}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"

    ${If} $DeleteSettings == 0
        MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
            "Delete your Embra settings too?$\r$\n(They stay under HKEY_CURRENT_USER\${SETTINGS_KEY} otherwise.)" \
            /SD IDNO IDNO keep
        StrCpy $DeleteSettings 1
        keep:
    ${EndIf}
    ${If} $DeleteSettings == 1
        DeleteRegKey HKCU "${SETTINGS_KEY}"
        DeleteRegKey /ifempty HKCU "Software\Lumavist"
    ${EndIf}
SectionEnd
