; The copy of Embra that runs from the install folder, found by its program's path so that
; a portable copy elsewhere is left alone: asked to end as the program means to be ended,
; and ended by force when it has not ended within a bounded time.
;
; Needs PROGRAM and TITLE, and the variable WasRunning.

; The main window, a dialog that holds the settings button (and is titled like the
; program), takes the quit command: it saves every setting and ends the program without
; asking.
!define SETTINGS_BUTTON 1002
!define QUIT_COMMAND 1013
; How long the program may take to save and end once asked, and how long ending it by
; force may take, in milliseconds.
!define QUIT_WAIT_MS 10000
!define KILL_WAIT_MS 5000
; Rounds of asking and ending, in case the program was started again meanwhile.
!define END_ROUNDS 3
!define /ifndef PROCESS_TERMINATE 0x0001
!define /ifndef PROCESS_QUERY_LIMITED_INFORMATION 0x1000
!define /ifndef SYNCHRONIZE 0x00100000
!define /math END_ACCESS ${SYNCHRONIZE} | ${PROCESS_TERMINATE}
!define /ifndef GENERIC_WRITE 0x40000000
; Others may read the file and delete it, as a running program lets them; a program that
; runs from the file, or one that holds it open to write, keeps it from being opened so.
!define WRITE_SHARING 5
!define /ifndef OPEN_EXISTING 3
!define INVALID_HANDLE -1
; Room for the ids of 8192 processes.
!define PROCESS_LIST_BYTES 32768

Var EndRound

!macro RUNNING_COPY_FUNCTIONS un

; $R0: the long form of the path in $R0, unchanged when the file does not exist.
; Uses $R1 and $R2.
Function ${un}LongPath
    System::Call 'kernel32::GetLongPathNameW(w R0, w .R1, i ${NSIS_MAX_STRLEN}) i .R2'
    ${If} $R2 > 0
    ${AndIf} $R2 < ${NSIS_MAX_STRLEN}
        StrCpy $R0 $R1
    ${EndIf}
FunctionEnd

; $R3: the id of a process whose program is $INSTDIR\embra.exe, 0 when none runs.
; Uses $R0 to $R9.
Function ${un}FindInstalledCopy
    StrCpy $R3 0
    StrCpy $R0 "$INSTDIR\${PROGRAM}"
    ${IfNot} ${FileExists} $R0
        Return
    ${EndIf}
    Call ${un}LongPath
    StrCpy $R4 $R0
    System::Alloc ${PROCESS_LIST_BYTES}
    Pop $R5
    System::Call 'kernel32::K32EnumProcesses(p R5, i ${PROCESS_LIST_BYTES}, *i .R6) i .R7'
    ${If} $R7 = 0
        StrCpy $R6 0
    ${EndIf}
    StrCpy $R7 0
    ${DoWhile} $R7 < $R6
        IntPtrOp $R8 $R5 + $R7
        System::Call '*$R8(i .R8)'
        System::Call 'kernel32::OpenProcess(i ${PROCESS_QUERY_LIMITED_INFORMATION}, i 0, i R8) p .R9'
        ${If} $R9 P<> 0
            System::Call 'kernel32::QueryFullProcessImageNameW(p R9, i 0, w .R0, *i ${NSIS_MAX_STRLEN}) i .R1'
            System::Call 'kernel32::CloseHandle(p R9)'
            ${If} $R1 <> 0
                Call ${un}LongPath
                ${If} $R0 == $R4
                    StrCpy $R3 $R8
                    ${ExitDo}
                ${EndIf}
            ${EndIf}
        ${EndIf}
        IntOp $R7 $R7 + 4
    ${Loop}
    System::Free $R5
FunctionEnd

; Posts the quit command to each main window of process $R3 (a dialog of that process
; holding the settings button, whatever its title, which a translation may change); $R6:
; how many it was posted to. Uses $R5 and $R7.
Function ${un}AskToEnd
    StrCpy $R6 0
    StrCpy $R5 0
    ${Do}
        FindWindow $R5 "#32770" "" "" $R5
        ${If} $R5 P= 0
            ${ExitDo}
        ${EndIf}
        GetDlgItem $R7 $R5 ${SETTINGS_BUTTON}
        ${If} $R7 P<> 0
            System::Call 'user32::GetWindowThreadProcessId(p R5, *i .R7) i'
            ${If} $R7 = $R3
                System::Call 'user32::PostMessageW(p R5, i ${WM_COMMAND}, p ${QUIT_COMMAND}, p 0)'
                IntOp $R6 $R6 + 1
            ${EndIf}
        ${EndIf}
    ${Loop}
FunctionEnd

; Ends the copy of Embra that runs from the install folder, if one does: asks it to end,
; waits for it, and ends the process by force when it has not ended. Sets $WasRunning to
; 1 when a copy ran. A copy this user may not end is left running, and its files in use
; (see FileInUse). Uses $R0 to $R9.
Function ${un}EndInstalledCopy
    ${For} $EndRound 1 ${END_ROUNDS}
        Call ${un}FindInstalledCopy
        ${If} $R3 = 0
            Return
        ${EndIf}
        StrCpy $WasRunning 1
        System::Call 'kernel32::OpenProcess(i ${END_ACCESS}, i 0, i R3) p .R4'
        ${If} $R4 P= 0
            Return
        ${EndIf}
        Call ${un}AskToEnd
        ${If} $R6 > 0
            System::Call 'kernel32::WaitForSingleObject(p R4, i ${QUIT_WAIT_MS}) i .R5'
        ${Else}
            StrCpy $R5 1
        ${EndIf}
        ${If} $R5 <> 0
            System::Call 'kernel32::TerminateProcess(p R4, i 1) i'
            System::Call 'kernel32::WaitForSingleObject(p R4, i ${KILL_WAIT_MS}) i'
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p R4)'
    ${Next}
FunctionEnd

; $R1: 1 when the file $R0 exists and cannot be opened for writing (a program runs from
; it, or another holds it open), else 0. Uses $R2.
Function ${un}FileInUse
    StrCpy $R1 0
    ${If} ${FileExists} $R0
        System::Call 'kernel32::CreateFileW(w R0, i ${GENERIC_WRITE}, i ${WRITE_SHARING}, p 0, i ${OPEN_EXISTING}, i 0, p 0) p .R2'
        ${If} $R2 P= ${INVALID_HANDLE}
            StrCpy $R1 1
        ${Else}
            System::Call 'kernel32::CloseHandle(p R2)'
        ${EndIf}
    ${EndIf}
FunctionEnd

!macroend

; $R0: 1 when a copy of Embra runs (one whose main window is open), else 0. Uses $R1.
Function un.AnyRunningCopy
    StrCpy $R0 0
    StrCpy $R1 0
    ${Do}
        FindWindow $R1 "#32770" "${TITLE}" "" $R1
        ${If} $R1 P= 0
            ${ExitDo}
        ${EndIf}
        GetDlgItem $R0 $R1 ${SETTINGS_BUTTON}
        ${If} $R0 P<> 0
            StrCpy $R0 1
            ${ExitDo}
        ${EndIf}
    ${Loop}
FunctionEnd
