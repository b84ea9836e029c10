#pragma once

// The binding test dialog: one control of every kind a parameter binding drives.
#define IDD_BINDING_TEST 9200
#define IDC_BIND_EDIT 2001
#define IDC_BIND_SPIN 2002
#define IDC_BIND_SLIDER 2003
#define IDC_BIND_EDIT2 2004
#define IDC_BIND_CHECK 2005
#define IDC_BIND_CHECK3 2006
#define IDC_BIND_COMBO_DATA 2007
#define IDC_BIND_COMBO_TEXT 2008
#define IDC_BIND_RADIO_A 2010
#define IDC_BIND_RADIO_B 2011
#define IDC_BIND_RADIO_C 2012
#define IDC_BIND_AFTER_RADIOS 2013
#define IDC_BIND_PROP_A 2020
#define IDC_BIND_PROP_B 2021
#define IDC_BIND_PROP_C 2022
#define IDC_BIND_COLOUR 2030
#define IDC_BIND_HOTKEY 2040
