// Resource ids of polzun, shared by polzun.rc and the window layer.
#pragma once

#define IDS_APP_TITLE 103    // window title
#define IDS_WINDOW_CLASS 109 // window class name
#define IDI_POLZUN 107       // large icon, 32 x 32 and 16 x 16
#define IDI_SMALL 108        // small icon, 16 x 16
#define IDR_MAIN_MENU 109
#define IDR_ACCELERATORS 109
#define IDD_ABOUTBOX 103

#define IDM_ABOUT 104
#define IDM_EXIT 105

#define IDC_ABOUT_ICON 2 // the icon control of the About box
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
