/* The numbers of the program's texts in the string tables of res/veltrin.rc, one table per
   language. Plain numbers, because the resource compiler reads this file too. */
#pragma once

#define TEXT_PRODUCT_NAME 1
#define TEXT_ABOUT_DESCRIPTION 2
#define TEXT_OWNER_WINDOW_TITLE 3
#define TEXT_RUNNING_COPY 4
#define TEXT_RUNNING_COPY_STUCK 5
#define TEXT_NO_NOTIFY_AREA 6
#define TEXT_WAIT 7
#define TEXT_MENU_OPTIONS 8
#define TEXT_MENU_HELP 9
#define TEXT_MENU_VERSION 10
#define TEXT_MENU_EXIT 11
#define TEXT_HELP_FILE 12
#define TEXT_HELP_CHOICE 13
#define TEXT_NO_HELP_FILE 14
#define TEXT_OPTIONS_TITLE 15
#define TEXT_CANCEL 16
#define TEXT_DEFAULTS 17
#define TEXT_SENSING_GROUP 18
#define TEXT_HOTKEY_GROUP_1 19
#define TEXT_HOTKEY_GROUP_2 20
#define TEXT_HOTKEY_GROUP_3 21
#define TEXT_EDGE_TOP 22
#define TEXT_EDGE_DOWN 23
#define TEXT_EDGE_LEFT 24
#define TEXT_EDGE_RIGHT 25
#define TEXT_FLAT 26
#define TEXT_HIDE 27
#define TEXT_RESIZE 28
#define TEXT_ALPHA 29
#define TEXT_NO_KEY 30
#define TEXT_NO_WAY_BACK 31
#define TEXT_NOT_SAVED 32
#define TEXT_HOTKEY_TAKEN 33
#define TEXT_SHIFT_KEYPAD 34
#define TEXT_SHORTCUT_CLASH 35
#define TEXT_VERSION_TITLE 36
/* The clock tooltip: a printf format of year, month, day and weekday name, then the seven
   weekday names from Sunday. Empty where the user's own long date format is shown instead. */
#define TEXT_CLOCK_TIP_FORMAT 37
#define TEXT_WEEKDAY_FIRST 38
/* Key names and the version's words, the same in both languages. */
#define TEXT_OK 45
#define TEXT_SHIFT 46
#define TEXT_CTRL 47
#define TEXT_ALT 48
#define TEXT_WIN 49
#define TEXT_CAPTION_VERSION 50
#define TEXT_ABOUT_VERSION 51
#define TEXT_COPYRIGHT 52
/* The refused start where the taskbar draws the notification area itself. */
#define TEXT_TRAY_DRAWN_BY_TASKBAR 53
/* Keys that English names its own way; the Japanese table has none of them. */
#define TEXT_KEY_BACKSPACE 54
#define TEXT_KEY_PAGE_UP 55
#define TEXT_KEY_PAGE_DOWN 56
#define TEXT_COUNT 57
