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
#define IDD_SETTINGS_PROGRAMS 170
#define IDD_ADD_PROGRAM 171

// The program's icon (the artwork).
#define IDI_EMBRA 107

// The effects' bitmaps (the artwork): the fire's sprite sheet and colour strip, the water's
// splash.
#define IDB_FLAME_SHEET 135
#define IDB_COLOUR_STRIP 144
#define IDB_SPLASH 164

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
// The tray menu's other items.
#define IDS_PAUSE_HOUR 6
#define IDS_SETTINGS_MENU 7
// The boxes: the question before quitting, the title of an error at start.
#define IDS_QUIT 8
#define IDS_ERROR 9
// The tray tip's second line: the version ("%1": the version) or why the effect pauses
// ("%1": the end of the hour's pause, hh:mm, or the program a rule pauses for).
#define IDS_TIP_VERSION 10
#define IDS_PAUSED_HOUR 11
#define IDS_PAUSED_FULL_SCREEN 12
#define IDS_PAUSED_SESSION_LOCKED 13
#define IDS_PAUSED_DISPLAY_OFF 14
#define IDS_PAUSED_BATTERY_SAVER 15
#define IDS_PAUSED_ON_BATTERY 16
// The box of a hotkey another program holds ("%1": the hotkey's name), and the names of
// its modifier keys and of a key without a name ("%1": its number).
#define IDS_HOTKEY_TAKEN 17
#define IDS_KEY_CTRL 18
#define IDS_KEY_SHIFT 19
#define IDS_KEY_ALT 20
#define IDS_KEY_NUMBER 21
// The settings window's tabs and the effects' names in its list.
#define IDS_TAB_LIST 22
#define IDS_TAB_COMMON 23
#define IDS_EFFECT_FIRE 24
#define IDS_EFFECT_LIGHTS 25
#define IDS_EFFECT_WATER 26
// The "Language" choice: following Windows, and each language's name in its own language.
#define IDS_LANGUAGE_WINDOWS 27
#define IDS_LANGUAGE_NAME 28
#define IDS_PAUSED_COVERED 29
// A timed pause of another length than the hour ("%1": its end, hh:mm).
#define IDS_PAUSED_UNTIL 30
#define IDS_PAUSED_REMOTE 40
#define IDS_PAUSED_CAMERA 41
#define IDS_PAUSED_ANIMATIONS 42
#define IDS_PAUSED_PROGRAM_IN_FRONT 43
#define IDS_PAUSED_PROGRAM_RUNNING 44
// The tray menu's rule for the program that was in front ("%1": its file name).
#define IDS_PAUSE_IN_FRONT 45
// The "Programs" page: its tab, the list's columns, the actions' names and the filter of
// the dialog that browses for a program.
#define IDS_TAB_PROGRAMS 46
#define IDS_PROGRAM_COLUMN 47
#define IDS_ACTION_COLUMN 48
#define IDS_ACTION_FRONT 49
#define IDS_ACTION_RUNNING 50
#define IDS_ACTION_IGNORE 51
#define IDS_PROGRAM_FILTER 52
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
#define IDM_PAUSE_IN_FRONT 1041

// About box: its picture and texts.
#define IDC_ABOUT_ICON 1003
#define IDC_ABOUT_TITLE 1004
#define IDC_ABOUT_NOTE 1005

// Settings window and its pages.
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
#define IDC_GROUP_LANGUAGE 1054
#define IDC_LANGUAGE 1055
#define IDC_PAUSE_REMOTE 1060
#define IDC_PAUSE_CAMERA 1061
#define IDC_ANIMATIONS_LABEL 1062
#define IDC_ANIMATIONS_FOLLOW 1063
#define IDC_ANIMATIONS_ALWAYS 1064
#define IDC_HIDE_FROM_CAPTURE 1065
#define IDC_CAPTURE_NOTE 1066
#define IDC_PLACEMENT_LABEL 1080
#define IDC_PLACEMENT_OVER 1081
#define IDC_PLACEMENT_UNDER 1082
#define IDC_GROUP_PERFORMANCE 1083
#define IDC_EFFICIENCY 1084

// The "Programs" page and the dialog that adds a program to it.
#define IDC_PROGRAM_LIST 1070
#define IDC_ACTION_LABEL 1071
#define IDC_PROGRAM_ACTION 1072
#define IDC_ADD_PROGRAM 1073
#define IDC_REMOVE_PROGRAM 1074
#define IDC_WINDOW_PROGRAMS_LABEL 1075
#define IDC_WINDOW_PROGRAMS 1076
#define IDC_BROWSE_PROGRAM 1077

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
