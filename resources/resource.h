// Resource and control ids, shared by the resource script and the program.
#pragma once

// Dialog templates
#define IDD_MAIN 129
#define IDD_MAIN_LARGE 140
#define IDD_DATE_PICKER 130
#define IDD_OPTIONS 131
#define IDD_DIRECTORY_LIST 132
#define IDD_CONTACT 133
#define IDD_TEMPLATE 134
#define IDD_ABOUT 136
#define IDD_PERIODIC_TASK 137
#define IDD_FIND 141
#define IDD_OTHER_VERSIONS 142
#define IDD_SUBSCRIPTIONS 143
#define IDD_ADD_SUBSCRIPTION 144
#define IDD_QUICK_ADD 145

// Menu, accelerators, icons, bitmap
#define IDR_MAIN_MENU 109
#define IDR_SHORTCUTS 109
#define IDR_TRAY_MENU 146
#define IDI_APP_LARGE 107
#define IDI_APP_SMALL 108
#define IDB_ABOUT 135

// Strings
#define IDS_CAPTION 103
#define IDS_CREDIT 1212
#define IDS_NOTICE 1213
#define IDS_VERSION 1214

// Commands of the main window
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_MARK_IMPORTANT 32771
#define IDM_MARK_PRIMARY 32772
#define IDM_MARK_SECONDARY 32773
#define IDM_OPTIONS 32780
#define IDM_TEMPLATES 32781
#define IDM_CONTACTS 32782
#define IDM_CLOSE_EMPTY_TASKS 32783
#define IDM_HOME_PAGE 32788
#define IDM_USER_MANUAL 32789
#define IDM_MOVE_UP 32790
#define IDM_MOVE_DOWN 32791
#define IDM_CLEAR 32795
#define IDM_PERIODIC_TASKS 32800
#define IDM_CLOSE_CURRENT_DAY 32803
#define IDM_SORT_TASKS 32804
#define IDM_UNDO 32811
#define IDM_REDO 32812
#define IDM_FIND 32810
#define IDM_OTHER_VERSIONS 32813
#define IDM_IMPORT_CALENDAR 32820
#define IDM_CALENDAR_FILE 32821
#define IDM_SUBSCRIPTIONS 32822
#define IDM_QUICK_ADD 32830
#define IDM_SHOW_WINDOW 32831  // the tray icon's menu

// Controls of the main window
#define IDC_FIRST_SCHEDULE_LINE 1000  // 1000..1021
#define IDC_FIRST_SCHEDULE_DONE 1030  // 1030..1051
#define IDC_FIRST_HOUR_LABEL 1060     // 1060..1070, hours 8..18
#define IDC_DAY_NUMBER 1090
#define IDC_MONTH_NAME 1091
#define IDC_WEEKDAY_NAME 1092
#define IDC_CLOCK 1093
#define IDC_FIRST_TODO_LINE 1101  // 1101..1120
#define IDC_FIRST_NOTE_LINE 1121  // 1121..1122
#define IDC_FIRST_TODO_DONE 1151  // 1151..1170
#define IDC_PREVIOUS_DAY 1200
#define IDC_PICK_DATE 1201
#define IDC_NEXT_DAY 1202
#define IDC_SCHEDULE_HEADING 1203
#define IDC_TODO_HEADING 1204
#define IDC_OTHER_VERSION 1205  // shown only while the day has other versions
#define IDC_FIRST_MINUTE_LABEL 1229  // 1229..1250

// Controls of the date picker
#define IDC_DATE_CALENDAR 1206

// Controls of the Find dialog
#define IDC_FIND_TEXT 1300
#define IDC_FIND_ROWS 1301
#define IDC_FIND_COUNT 1302

// Controls of the Other versions dialog
#define IDC_VERSION_CHOICE 1320
#define IDC_VERSION_LINES 1321
#define IDC_KEEP_PAGE 1322

// The directory list dialog and the add/edit dialogs of its entries
#define IDC_SELECT_ENTRY 6
#define IDC_ADD_ENTRY 3
#define IDC_EDIT_ENTRY 4
#define IDC_DELETE_ENTRY 5
#define IDC_DIRECTORY_ROWS 1208
#define IDC_ENTRY_NAME 1209
#define IDC_ENTRY_PHONE 1210
#define IDC_ENTRY_EMAIL 1211
#define IDC_BIRTHDAY_MONTH 1212
#define IDC_ENTRY_DESCRIPTION 1213  // a contact's description
#define IDC_TASK_PERIOD 1213        // a periodic task's period box
#define IDC_BIRTHDAY_DAY 1214
#define IDC_BIRTHDAY_YEAR 1215
#define IDC_FIRST_WEEKDAY_BOX 1221  // 1221..1227, Sunday first
#define IDC_TASK_DAY 1090
#define IDC_TASK_MONTH 1092
#define IDC_TASK_DAY_LABEL 1255
#define IDC_TASK_MONTH_LABEL 1256
#define IDC_TASK_DAY_STEPPER 1228
#define IDC_TASK_MONTH_STEPPER 1229

// Controls of the Options and About dialogs
#define IDC_SET_DEFAULT 3
#define IDC_AUTORUN 1207
#define IDC_AM_PM 1208
#define IDC_SHOW_TIME 1209
#define IDC_LARGE_FONT 1210
#define IDC_QUICK_ADD_KEY 1216
#define IDC_QUICK_ADD_KEY_HELD 1217  // shown while another program holds the key chosen
#define IDC_ABOUT_PICTURE 1215
#define IDC_ABOUT_TITLE 1211
#define IDC_ABOUT_CREDIT 1212  // shows string 1212
#define IDC_ABOUT_NOTICE 1213  // shows string 1213

#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif

// The notification-area icon's callback message
#define WM_TRAY_ICON 1025
// Posted to the main window when a file could not be read, so the message waits until the window is up
#define WM_TELL_UNREADABLE 1040
// Posted to the main window when a calendar file or a line given with /add waits to be taken in
#define WM_ARRIVED 1041

// Posted to the main window by the worker when a subscription has been read
#define WM_SUBSCRIPTION_READ 1045

// Subscriptions
#define IDC_SUBSCRIPTION_LIST 1330
#define IDC_ADD_SUBSCRIPTION 1331
#define IDC_REMOVE_SUBSCRIPTION 1332
#define IDC_READ_SUBSCRIPTIONS 1333
#define IDC_SUBSCRIPTION_NAME 1334
#define IDC_SUBSCRIPTION_ADDRESS 1335

// Quick add
#define IDC_QUICK_TEXT 1340
#define IDC_QUICK_PREVIEW 1341
