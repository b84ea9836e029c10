; The texts the setup program and its uninstaller show of their own, in English; each
; translation file (resources/lang/<tag>.txt) gives them under the same names, and the
; build makes a LangString of each in every language (the script shows them as
; $(TEXT_...)). Modern UI's pages bring theirs in each of its languages. A text may name the
; install folder ($INSTDIR), which takes its value when the text is shown.

!define TEXT_START_NOW "Start Embra now"

; The setup program, when Embra could not be ended and its files cannot be replaced.
!define TEXT_SETUP_IN_USE "Embra is running from $INSTDIR and could not be ended, so the \
    setup cannot replace it. Nothing has been changed.$\r$\n$\r$\nEnd Embra (or restart \
    Windows), then click Retry."

; The setup program, when the folder chosen holds files that are not Embra's.
!define TEXT_FOLDER_NOT_EMPTY "$INSTDIR already holds other files.$\r$\n$\r$\nEmbra is \
    installed into a folder of its own, so that uninstalling it removes nothing of yours: \
    the setup suggests $INSTDIR\${PRODUCT} instead."

; The uninstaller, when Embra could not be ended and its files cannot be removed.
!define TEXT_UNINSTALL_IN_USE "Embra is running from $INSTDIR and could not be ended, so it \
    cannot be removed. Nothing has been removed.$\r$\n$\r$\nEnd Embra (or restart \
    Windows), then click Retry."

!define TEXT_DELETE_SETTINGS "Delete your Embra settings too?$\r$\n(They stay under \
    HKEY_CURRENT_USER\${SETTINGS_KEY} otherwise.)"

; The uninstaller, when the settings were to be deleted while another copy still runs.
!define TEXT_SETTINGS_KEPT "Your Embra settings have been kept: another copy of Embra is \
    still running, and it would save them again when it ends."
