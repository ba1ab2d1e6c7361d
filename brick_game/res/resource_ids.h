// Resource and command ids of the brick game, shared by plitoboy.rc and the
// window layer. Plain #defines only: windres reads this file too.
#pragma once

// Menu bar, pictures and pointer.
#define IDR_MAIN_MENU 101
#define IDI_GAME 102
#define IDC_GAME_POINTER 103
#define IDB_LOGO 117
#define IDI_LIFE 132

// Information dialogs.
#define IDD_ABOUT 104
#define IDD_AUTHOR 106
#define IDD_RULES 113

// "Файл"
#define IDM_START 40001
#define IDM_PAUSE 40010
#define IDM_EXIT 40002
// "Управление"
#define IDM_KEYBOARD 40003
#define IDM_MOUSE 40004
// "Скорость", slowest to fastest
#define IDM_SPEED_VERY_SLOW 40011
#define IDM_SPEED_SLOW 40005
#define IDM_SPEED_NORMAL 40006
#define IDM_SPEED_FAST 40007
#define IDM_SPEED_VERY_FAST 40012
// "Звук"
#define IDM_SOUND_ON 40026
#define IDM_SOUND_OFF 40027
// "Цвет"
#define IDM_COLOUR_BRICKS 40028
#define IDM_COLOUR_BALL 40029
#define IDM_COLOUR_PADDLE 40030
// "Справка"
#define IDM_RULES 40016
#define IDM_ABOUT 40008
#define IDM_AUTHOR 40009

// Controls without an id of their own.
#define IDC_NONE (-1)
