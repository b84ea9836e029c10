; What belongs to the installed copy: the files setup wrote into the install folder, kept
; in a list there at install time, and the shortcuts that start the installed program.
;
; Needs PROGRAM, UNINSTALL_KEY and RunningCopy.nsh's LongPath.

; The list: one file name a line, in UTF-16.
!define FILE_LIST "installed-files.txt"

; The list being read, the one being written, the names written to it (each between |),
; and the listed files' size.
Var ListIn
Var ListOut
Var Listed
Var ListSize

!macro INSTALLED_FILES_FUNCTIONS un

; $R9: 1 when $R8 names a file of the install folder itself: not empty, not "." or "..",
; without folder, drive or wildcard characters; else 0. A list edited by hand reaches no
; file elsewhere. Uses $R6 and $R7.
Function ${un}IsPlainName
    StrCpy $R9 0
    ${If} $R8 == ""
    ${OrIf} $R8 == "."
    ${OrIf} $R8 == ".."
        Return
    ${EndIf}
    StrCpy $R7 0
    ${Do}
        StrCpy $R6 $R8 1 $R7
        ${If} $R6 == ""
            StrCpy $R9 1
            Return
        ${EndIf}
        ${If} $R6 == "\"
        ${OrIf} $R6 == "/"
        ${OrIf} $R6 == ":"
        ${OrIf} $R6 == "*"
        ${OrIf} $R6 == "?"
            Return
        ${EndIf}
        IntOp $R7 $R7 + 1
    ${Loop}
FunctionEnd

; $R8: the next plain name on the list open as $ListIn, without its line end; empty at the
; list's end. Lines that are no plain name are passed over. Uses $R6, $R7 and $R9.
Function ${un}NextListed
    ${Do}
        ClearErrors
        FileReadUTF16LE $ListIn $R8
        ${If} ${Errors}
            StrCpy $R8 ""
            Return
        ${EndIf}
        ${TrimNewLines} $R8 $R8
        Call ${un}IsPlainName
        ${If} $R9 = 1
            Return
        ${EndIf}
    ${Loop}
FunctionEnd

!macroend

!insertmacro INSTALLED_FILES_FUNCTIONS ""
!insertmacro INSTALLED_FILES_FUNCTIONS "un."

; $R1: 1 when the shortcut $R0 starts the installed program, else 0. The target is read
; from the link's item list, which keeps every folder's Unicode name (Wine's GetPath gives
; the link's code-page copy of the path). Uses $R0 to $R4.
Function un.StartsInstalledCopy
    StrCpy $R4 $R0
    StrCpy $R0 ""
    !insertmacro ComHlpr_CreateInProcInstance ${CLSID_ShellLink} ${IID_IShellLink} R2 ""
    ${If} $R2 P<> 0
        ${IUnknown::QueryInterface} $R2 '("${IID_IPersistFile}", .R3)'
        ${If} $R3 P<> 0
            ${IPersistFile::Load} $R3 '("$R4", ${STGM_READ}).R1'
            ${If} $R1 = 0
                ${IShellLink::GetIDList} $R2 '(.R1)'
                System::Call 'shell32::SHGetPathFromIDListW(p R1, w .R0)'
                System::Call 'ole32::CoTaskMemFree(p R1)'
            ${EndIf}
            ${IUnknown::Release} $R3 ""
        ${EndIf}
        ${IUnknown::Release} $R2 ""
    ${EndIf}
    StrCpy $R3 0
    ${If} $R0 != ""
        Call un.LongPath
        StrCpy $R4 $R0
        StrCpy $R0 "$INSTDIR\${PROGRAM}"
        Call un.LongPath
        ${If} $R0 == $R4
            StrCpy $R3 1
        ${EndIf}
    ${EndIf}
    StrCpy $R1 $R3
FunctionEnd

; Deletes the shortcut $R0 when it starts the installed program. Uses $R0 to $R5.
Function un.DeleteOwnShortcut
    StrCpy $R5 $R0
    Call un.StartsInstalledCopy
    ${If} $R1 = 1
        Delete $R5
    ${EndIf}
FunctionEnd

; $R0: 1 when $INSTDIR may take Embra, else 0: a folder not there yet or empty, one an
; earlier setup kept its list in, or the folder of the installed copy (an earlier setup
; that kept no list). A folder that holds anything else, the user's own files, is not
; Embra's to fill and empty. Uses $R1 and $R2.
Function CheckInstallFolder
    StrCpy $R0 1
    ${DirState} "$INSTDIR" $R1
    ${If} $R1 = 1
    ${AndIfNot} ${FileExists} "$INSTDIR\${FILE_LIST}"
        ReadRegStr $R2 HKCU "${UNINSTALL_KEY}" "InstallLocation"
        ${If} $R2 != $INSTDIR
            StrCpy $R0 0
        ${EndIf}
    ${EndIf}
FunctionEnd

; Writing the list: OpenFileList, then ListFile for each file this setup wrote, then
; CloseFileList, which keeps on the list the files an earlier list names that are still
; there, so that an uninstall removes what any setup wrote. $ListSize: the listed files'
; size in KiB, for the uninstall entry.

Function OpenFileList
    StrCpy $ListSize 0
    StrCpy $Listed "|"
    FileOpen $ListOut "$INSTDIR\${FILE_LIST}.new" w
    FileWriteUTF16LE /BOM $ListOut ""
FunctionEnd

!macro LIST_FILE name
    StrCpy $R8 "${name}"
    Call ListFile
!macroend

; Lists $R8, a file of the install folder. Uses $R1 and $R2.
Function ListFile
    FileWriteUTF16LE $ListOut "$R8$\r$\n"
    StrCpy $Listed "$Listed$R8|"
    ClearErrors
    FileOpen $R1 "$INSTDIR\$R8" r
    ${IfNot} ${Errors}
        FileSeek $R1 0 END $R2
        IntOp $ListSize $ListSize + $R2
        FileClose $R1
    ${EndIf}
FunctionEnd

; Uses $R1 to $R9.
Function CloseFileList
    ClearErrors
    FileOpen $ListIn "$INSTDIR\${FILE_LIST}" r
    ${IfNot} ${Errors}
        ${Do}
            Call NextListed
            ${If} $R8 == ""
                ${ExitDo}
            ${EndIf}
            ${WordFind} $Listed "|$R8|" "E+1{" $R3
            ${If} ${Errors}
            ${AndIf} ${FileExists} "$INSTDIR\$R8"
                Call ListFile
            ${EndIf}
        ${Loop}
        FileClose $ListIn
    ${EndIf}
    FileClose $ListOut
    Delete "$INSTDIR\${FILE_LIST}"
    Rename "$INSTDIR\${FILE_LIST}.new" "$INSTDIR\${FILE_LIST}"
    IntOp $ListSize $ListSize + 1023
    IntOp $ListSize $ListSize / 1024
FunctionEnd
