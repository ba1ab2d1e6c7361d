// Resource and command ids of the picture editor, shared by risovik.rc and
// the C++ code.
#pragma once

#define IDR_MAIN_MENU 101
#define IDB_ABOUT 103
#define IDD_ABOUT 104

// Child controls; each button's id is the command it sends.
#define IDC_LINE_TOOL 1
#define IDC_RECTANGLE_TOOL 2
#define IDC_ELLIPSE_TOOL 3
#define IDC_TEXT_TOOL 4
#define IDC_RED 5
#define IDC_GREEN 6
#define IDC_BLUE 7
#define IDC_MAGENTA 8
#define IDC_TEXT_FIELD 10
#define IDC_ROTATE 12
#define IDC_SCALE 13

// Menu 101.
#define IDM_NEW 40001
#define IDM_OPEN_FILE 40002
#define IDM_SAVE_FILE 40003
#define IDM_EXIT 40004
#define IDM_ABOUT 40005
#define IDM_ROTATE_90 40006
#define IDM_ROTATE_180 40007
#define IDM_SCALE_X2 40008
#define IDM_SCALE_X4 40009
#define IDM_OPEN_META_1 40012
#define IDM_OPEN_META_2 40013
#define IDM_OPEN_META_3 40014
#define IDM_SAVE_META_1 40016
#define IDM_SAVE_META_2 40017
#define IDM_SAVE_META_3 40018
