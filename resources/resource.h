#pragma once

// Numbers of the resources in the program's module and of the controls and commands in
// its dialog templates. Plain defines, so that both the resource compiler and C++ read
// this header.

// Dialog templates.
#define IDD_ABOUT 103
#define IDD_MAIN 129
#define IDD_SETTINGS 137
#define IDD_SETTINGS_COMMON 138
#define IDD_SETTINGS_LIST 139
#define IDD_EMBRA_SETTINGS 153
#define IDD_GLIMRA_SETTINGS 160
#define IDD_RIPLA_SETTINGS 165

// The program's icon (the artwork).
#define IDI_EMBRA 107

// The interface's bitmaps (the artwork): the big buttons' pictures, their textures and
// highlights, and the navigation pane's tool pictures.
#define IDB_START 136
#define IDB_EMBER_TEXTURE 138
#define IDB_STOP 139
#define IDB_STOP_TEXTURE 140
#define IDB_START_HIGHLIGHT 141
#define IDB_STOP_HIGHLIGHT 142
#define IDB_SETTINGS 149
#define IDB_SETTINGS_HIGHLIGHT 150
#define IDB_MARK_OFF 155
#define IDB_MARK_ON 156
#define IDB_EFFECT_SCREEN 157
#define IDB_EFFECT_SETTINGS 158

// String table.
#define IDS_EXIT 1
#define IDS_ABOUT 2
// The picture buttons' names, which screen readers announce.
#define IDS_START_EFFECT 3
#define IDS_STOP_EFFECT 4
#define IDS_SETTINGS_BUTTON 5
// The start after a crash: the box's heading, its text ("%1": the report's path) and its
// buttons.
#define IDS_CRASH_HEADING 60
#define IDS_CRASH_NOTICE 61
#define IDS_OPEN_FOLDER 62
#define IDS_CLOSE 63
// The box of a command line that cannot be carried out: what is wrong ("%1": the switch as
// typed, "%2": its value), then the valid switches ("%1": the longest pause in minutes, "%2":
// the effects' keys).
#define IDS_CMD_UNKNOWN 64
#define IDS_CMD_NO_VALUE 65
#define IDS_CMD_BAD_VALUE 66
#define IDS_CMD_SECOND 67
#define IDS_CMD_USAGE 68

// Main dialog: the picture buttons and the commands of its buttons and system menu. The
// start button takes the stop command's id while the effect runs.
#define IDC_STOP 1001
#define IDC_SETTINGS 1002
#define IDM_EXIT 1012
#define IDM_QUIT 1013
#define IDC_START 1014
#define IDM_ABOUT 1015
#define IDM_PAUSE_HOUR 1040

// About box: its picture and texts.
#define IDC_ABOUT_ICON 1003
#define IDC_ABOUT_TITLE 1004
#define IDC_ABOUT_NOTE 1005

// Settings window and its two pages.
#define IDC_SETTINGS_TAB 1016
#define IDC_START_WITH_WINDOWS 1017
#define IDC_START_MINIMIZED 1018
#define IDC_PAUSE_FULL_SCREEN 1019
#define IDC_PAUSE_ON_BATTERY 1020
#define IDC_EFFECT_LIST 1018
#define IDC_HOTKEY_LABEL 1021
#define IDC_HOTKEY 1022
#define IDC_HOTKEY_NOTE 1023
#define IDC_EVERY_MONITOR 1050
// The "Common" page's groups.
#define IDC_GROUP_STARTING 1051
#define IDC_GROUP_PAUSING 1052
#define IDC_GROUP_SHOWING 1053

// The tools of an effect's entry in the "Items list" page's pane: its settings and its mark.
#define IDT_EFFECT_SETTINGS 1002
#define IDT_EFFECT_MARK 1026

// Effect settings dialogs: one edit box, spin control and slider per row.
#define IDC_ITEMS_EDIT 1007
#define IDC_ITEMS_SLIDER 1008
#define IDC_COLOR_CHANGE_EDIT 1009
#define IDC_COLOR_CHANGE_SLIDER 1010
#define IDC_SIZE_EDIT 1011
#define IDC_SIZE_SLIDER 1012
#define IDC_DURATION_EDIT 1013
#define IDC_DURATION_SLIDER 1014
#define IDC_OPAQUE_EDIT 1019
#define IDC_OPAQUE_SPIN 1021
#define IDC_OPAQUE_SLIDER 1022
#define IDC_ITEMS_SPIN 1023
#define IDC_COLOR_CHANGE_SPIN 1024
#define IDC_FLAME_FORM 1024
#define IDC_SIZE_SPIN 1025
#define IDC_DURATION_SPIN 1026
