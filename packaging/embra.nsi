; The per-user setup program of Embra: installs without administrator rights into
; %LOCALAPPDATA%\Programs\Embra, adds a Start-menu shortcut and an entry in the user's list
; of installed programs, and writes an uninstaller that removes all of it again.
;
; The build passes:
;   VERSION   the project's version (major.minor.patch)
;   STAGE     the folder holding embra.exe (stripped), README.txt and LICENSE.txt
;   ICON      the program's icon
;   PICTURES  the folder holding the setup's pictures, drawn by the artwork generator
;   LANGUAGES the setup's languages and its texts in each, made from the translation files
;   OUTFILE   the setup program to write
;
; Setup and uninstaller touch only what belongs to the installed copy: the program that
; runs from the install folder (found by its path; a portable copy elsewhere keeps
; running), the files setup listed there, and the shortcuts that start that program.
;
; Switches of the uninstaller: /S runs it silently; /DELETESETTINGS deletes the settings
; (HKCU\Software\Lumavist\Embra) without asking. Without that switch a silent uninstall
; keeps them, and the interactive one asks, with "No" as the default answer.
;
; Exit codes besides NSIS's own (0 done, 1 cancelled, 2 aborted):
;   3  Embra runs from the install folder and could not be ended; nothing was changed
;   4  the folder chosen holds other files; nothing was changed
;   5  uninstalled, but the settings were kept because another copy of Embra still runs
;
; A 64-bit Unicode setup program, like the program it installs: it runs where embra.exe
; runs, also where Windows (or Wine) has no 32-bit layer.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!addincludedir "${__FILEDIR__}"
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "TextFunc.nsh"
!include "WinCore.nsh"
!include "WinMessages.nsh"
!include "WordFunc.nsh"
!include "Win\COM.nsh"

!define PRODUCT "Embra"
!define PUBLISHER "Lumavist"
!define PROGRAM "embra.exe"
; The program's title: its main window's text and the name of its start-up shortcut.
!define TITLE "Embra desktop decoration"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SETTINGS_KEY "Software\Lumavist\Embra"
!define MENU_SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define STARTUP_SHORTCUT "$SMSTARTUP\${TITLE}.lnk"
!define EXIT_IN_USE 3
!define EXIT_FOLDER_NOT_EMPTY 4
!define EXIT_SETTINGS_KEPT 5
; From this DPI on (150 % and more) the pages show the pictures drawn at twice the size.
!define LARGE_PICTURES_DPI 132
; The directory page's folder field.
!define FOLDER_FIELD 1019
; The header's picture on every page but the welcome and finish pages.
!define HEADER_PICTURE 1046

!include "Texts.nsh"

Var WasRunning
Var DeleteSettings

!include "RunningCopy.nsh"
!insertmacro RUNNING_COPY_FUNCTIONS ""
!insertmacro RUNNING_COPY_FUNCTIONS "un."
!include "InstalledFiles.nsh"

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
!define MUI_WELCOMEFINISHPAGE_BITMAP "${PICTURES}\setup-welcome.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${PICTURES}\setup-header.bmp"
!define MUI_CUSTOMFUNCTION_GUIINIT TakeLargePictures
!define MUI_CUSTOMFUNCTION_UNGUIINIT un.TakeLargePictures
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!define MUI_FINISHPAGE_RUN_TEXT "$(TEXT_START_NOW)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE OnFolderChosen
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; Modern UI's languages and the setup's own texts in each (made by the build from
; resources/lang/); the setup speaks Windows' display language where it has it.
!include "${LANGUAGES}"

; On a screen of high DPI the pages take the pictures drawn for it: Modern UI stretches
; whichever picture it has to the size of its place on the page.
!macro LARGE_PICTURES un
Function ${un}TakeLargePictures
    System::Call 'user32::GetDC(p 0) p .R0'
    System::Call 'gdi32::GetDeviceCaps(p R0, i ${LOGPIXELSX}) i .R1'
    System::Call 'user32::ReleaseDC(p 0, p R0)'
    ${If} $R1 >= ${LARGE_PICTURES_DPI}
        !if "${un}" == ""
            File "/oname=$PLUGINSDIR\modern-wizard.bmp" "${PICTURES}\setup-welcome-2x.bmp"
        !endif
        File "/oname=$PLUGINSDIR\modern-header.bmp" "${PICTURES}\setup-header-2x.bmp"
        SetBrandingImage /IMGID=${HEADER_PICTURE} /RESIZETOFIT "$PLUGINSDIR\modern-header.bmp"
    ${EndIf}
FunctionEnd
!macroend
!insertmacro LARGE_PICTURES ""
!insertmacro LARGE_PICTURES "un."

; A folder that holds other files is refused; the field then offers a folder of Embra's
; own inside it, as Browse names one.
Function OnFolderChosen
    Call CheckInstallFolder
    ${If} $R0 = 0
        MessageBox MB_OK|MB_ICONEXCLAMATION "$(TEXT_FOLDER_NOT_EMPTY)"
        FindWindow $R1 "#32770" "" $HWNDPARENT
        GetDlgItem $R1 $R1 ${FOLDER_FIELD}
        SendMessage $R1 ${WM_SETTEXT} 0 "STR:$INSTDIR\${PRODUCT}"
        Abort
    ${EndIf}
FunctionEnd

; $R3: 1 when a file setup replaces cannot be written. Uses $R0 to $R2.
Function SetupFileInUse
    StrCpy $R0 "$INSTDIR\${PROGRAM}"
    Call FileInUse
    StrCpy $R3 $R1
    StrCpy $R0 "$INSTDIR\README.txt"
    Call FileInUse
    IntOp $R3 $R3 | $R1
    StrCpy $R0 "$INSTDIR\LICENSE.txt"
    Call FileInUse
    IntOp $R3 $R3 | $R1
FunctionEnd

; Ends the installed copy until the files the function `check` looks at are free. While
; they stay in use, asks to retry, and stops with nothing changed when the user cancels (at
; once when silent); the copy that was ended then runs again.
!macro END_COPY_OR_STOP un check text
    StrCpy $WasRunning 0
    ${Do}
        Call ${un}EndInstalledCopy
        Call ${check}
        ${If} $R3 = 0
            ${ExitDo}
        ${EndIf}
        ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONSTOP "${text}" /SD IDCANCEL IDRETRY`
            ${If} $WasRunning == 1
                Exec '"$INSTDIR\${PROGRAM}"'
            ${EndIf}
            SetErrorLevel ${EXIT_IN_USE}
            Abort
        ${EndIf}
    ${Loop}
!macroend

Section "Embra"
    Call CheckInstallFolder
    ${If} $R0 = 0
        SetErrorLevel ${EXIT_FOLDER_NOT_EMPTY}
        Abort
    ${EndIf}
    !insertmacro END_COPY_OR_STOP "" SetupFileInUse "$(TEXT_SETUP_IN_USE)"

    SetOutPath "$INSTDIR"
    File "${STAGE}\${PROGRAM}"
    File "${STAGE}\README.txt"
    File "${STAGE}\LICENSE.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    Call OpenFileList
    !insertmacro LIST_FILE "${PROGRAM}"
    !insertmacro LIST_FILE "README.txt"
    !insertmacro LIST_FILE "LICENSE.txt"
    !insertmacro LIST_FILE "uninstall.exe"
    Call CloseFileList
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
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $ListSize

    ; The installed copy that was ended for the update runs again, with the settings it saved.
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

; $R3: 1 when a listed file (the uninstaller itself aside, which may be the one running)
; cannot be removed. Uses $R0 to $R9.
Function un.ListedFileInUse
    StrCpy $R3 0
    ClearErrors
    FileOpen $ListIn "$INSTDIR\${FILE_LIST}" r
    ${If} ${Errors}
        StrCpy $R0 "$INSTDIR\${PROGRAM}"
        Call un.FileInUse
        StrCpy $R3 $R1
        Return
    ${EndIf}
    ${Do}
        Call un.NextListed
        ${If} $R8 == ""
            ${ExitDo}
        ${EndIf}
        ${If} $R8 != "uninstall.exe"
            StrCpy $R0 "$INSTDIR\$R8"
            Call un.FileInUse
            IntOp $R3 $R3 | $R1
        ${EndIf}
    ${Loop}
    FileClose $ListIn
FunctionEnd

; Removes the files setup listed (or, without a list, those the setups that kept none
; wrote), then the list.
Function un.RemoveListedFiles
    ClearErrors
    FileOpen $ListIn "$INSTDIR\${FILE_LIST}" r
    ${If} ${Errors}
        Delete "$INSTDIR\${PROGRAM}"
        Delete "$INSTDIR\README.txt"
        Delete "$INSTDIR\LICENSE.txt"
        Return
    ${EndIf}
    ${Do}
        Call un.NextListed
        ${If} $R8 == ""
            ${ExitDo}
        ${EndIf}
        Delete "$INSTDIR\$R8"
    ${Loop}
    FileClose $ListIn
    Delete "$INSTDIR\${FILE_LIST}"
FunctionEnd

Section "Uninstall"
    !insertmacro END_COPY_OR_STOP "un." un.ListedFileInUse "$(TEXT_UNINSTALL_IN_USE)"

    ; The shortcuts first, while the program they start is there to compare with.
    StrCpy $R0 "${MENU_SHORTCUT}"
    Call un.DeleteOwnShortcut
    ; The program's "Start with Windows" shortcut: nothing may start a removed program.
    StrCpy $R0 "${STARTUP_SHORTCUT}"
    Call un.DeleteOwnShortcut
    Call un.RemoveListedFiles
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    ; The entry, when it is this copy's (another setup may have installed elsewhere since).
    ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R0 == $INSTDIR
        DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ${EndIf}

    ${If} $DeleteSettings == 0
    ${AndIf} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(TEXT_DELETE_SETTINGS)" /SD IDNO IDYES`
        StrCpy $DeleteSettings 1
    ${EndIf}
    ${If} $DeleteSettings == 1
        ; A copy still running would write the settings again when it ends.
        Call un.AnyRunningCopy
        ${If} $R0 = 1
            MessageBox MB_OK|MB_ICONINFORMATION "$(TEXT_SETTINGS_KEPT)" /SD IDOK
            SetErrorLevel ${EXIT_SETTINGS_KEPT}
        ${Else}
            DeleteRegKey HKCU "${SETTINGS_KEY}"
            DeleteRegKey /ifempty HKCU "Software\Lumavist"
        ${EndIf}
    ${EndIf}
SectionEnd
