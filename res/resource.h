// Resource ids of VelmoraTallyPad. The numbers are fixed: other code and
// stored data refer to them.
#pragma once

#define IDI_TALLYPAD 1

// Floating button of the minimised frame: normal and high-resolution picture.
#define IDB_FLOATBUTTON 108
#define IDB_FLOATBUTTON_HI 400

// Main frame: menu texts and the settings key
#define IDS_ABOUT 16
#define IDS_EXIT 17
#define IDS_OPTIONS 18
#define IDS_NOTE_FOLDER 19
#define IDS_LOAD_ON_STARTUP 20
#define IDS_RECENT_FILES 21
#define IDS_OPEN_FILES 22
#define IDS_NEW 23
#define IDS_ANIMATION_BUTTON 36
#define IDS_SETTINGS_KEY 38
#define IDS_DELETE 46
#define IDS_SAVE 48
#define IDS_SHOW_ICON 81
#define IDS_FEEDBACK_VIBRO 89
#define IDS_USE_DRAWING 110

// Main menu commands
#define IDM_ABOUT 22152
#define IDM_NOTE_COPY 22153
#define IDM_NOTE_PASTE 22154
#define IDM_EXIT 22155
#define IDM_NOTE_FOLDER 22156
#define IDM_NEW 22157
#define IDM_OPEN_FILES 22158
#define IDM_DELETE 22159
#define IDM_SAVE 22160
#define IDM_RECENT_FIRST 22161 // ... 22164
#define IDM_LOAD_ON_STARTUP 22166
#define IDM_ANIMATION_BUTTON 22167
#define IDM_SHOW_ICON 22168
#define IDM_FEEDBACK_VIBRO 22169
#define IDM_USE_DRAWING 22170

// Window toolkit
#define IDS_VERSION 31 // "Version 4.4", the About box and the message-box titles
#define IDD_ABOUT 145
#define IDD_ABOUT_HI 481
#define IDC_ABOUT_VERSION 1004
#define IDB_ABOUT_OK 147 // OK button of the About box, normal and pressed side by side
#define IDB_ABOUT_OK_HI 329
#define IDD_MESSAGE 285
#define IDB_MESSAGE_OK 321 // OK button of the message box
#define IDB_MESSAGE_OK_HI 431
#define IDB_MESSAGE_HEADER_LEFT 323
#define IDB_MESSAGE_HEADER_LEFT_HI 403
#define IDB_MESSAGE_HEADER_MIDDLE 324
#define IDB_MESSAGE_HEADER_MIDDLE_HI 402
#define IDB_MESSAGE_HEADER_RIGHT 325
#define IDB_MESSAGE_HEADER_RIGHT_HI 401

// Desk and bars
// Tab bar: background and back button (two looks side by side).
#define IDB_TABBAR 144
#define IDB_TABBAR_HI 340
#define IDB_TAB_BACK 107
#define IDB_TAB_BACK_HI 338
// Bottom bar: left cap, right cap, stretched middle.
#define IDB_BOTTOM_LEFT 112
#define IDB_BOTTOM_LEFT_HI 477
#define IDB_BOTTOM_RIGHT 113
#define IDB_BOTTOM_RIGHT_HI 476
#define IDB_BOTTOM_MIDDLE 114
#define IDB_BOTTOM_MIDDLE_HI 475
// Bottom-bar buttons (two looks side by side).
#define IDB_BTN_MENU 117
#define IDB_BTN_MENU_HI 341
#define IDB_BTN_COPY 115
#define IDB_BTN_COPY_HI 434
#define IDB_BTN_PASTE 162
#define IDB_BTN_PASTE_HI 368
#define IDB_BTN_NEW 122
#define IDB_BTN_NEW_HI 377
#define IDB_BTN_NEXT_RECENT 121
#define IDB_BTN_NEXT_RECENT_HI 376
#define IDB_BTN_MINIMISE 172
#define IDB_BTN_MINIMISE_HI 478
// Desk icons of the eight tools.
#define IDB_ICON_CALCULATOR 142
#define IDB_ICON_CALCULATOR_HI 446
#define IDB_ICON_NOTE 153
#define IDB_ICON_NOTE_HI 372
#define IDB_ICON_CONVERTER 169
#define IDB_ICON_CONVERTER_HI 435
#define IDB_ICON_CALENDAR 145
#define IDB_ICON_CALENDAR_HI 445
#define IDB_ICON_STOPWATCH 179
#define IDB_ICON_STOPWATCH_HI 342
#define IDB_ICON_TIMER 263
#define IDB_ICON_TIMER_HI 336
#define IDB_ICON_ALARM 257
#define IDB_ICON_ALARM_HI 332
#define IDB_ICON_WORLD_CLOCK 286
#define IDB_ICON_WORLD_CLOCK_HI 333
// Key balloons: pictures and the masks their window regions are cut from.
// Portrait (40 x 78 units, the wide one 83 x 78).
#define IDB_BALLOON_PLAIN 223
#define IDB_BALLOON_PLAIN_HI 357
#define IDB_BALLOON_MASK 224
#define IDB_BALLOON_MASK_HI 356
#define IDB_BALLOON_WIDE 228
#define IDB_BALLOON_WIDE_HI 365
#define IDB_BALLOON_WIDE_MASK 229
#define IDB_BALLOON_WIDE_MASK_HI 364
#define IDB_BALLOON_PLUS_MINUS 226
#define IDB_BALLOON_PLUS_MINUS_HI 362
#define IDB_BALLOON_ROOT 227
#define IDB_BALLOON_ROOT_HI 363
#define IDB_BALLOON_BACKSPACE 225
#define IDB_BALLOON_BACKSPACE_HI 366
// Landscape (46 x 66 units).
#define IDB_BALLOON_LAND_PLAIN 221
#define IDB_BALLOON_LAND_PLAIN_HI 359
#define IDB_BALLOON_LAND_MASK 222
#define IDB_BALLOON_LAND_MASK_HI 358
#define IDB_BALLOON_LAND_PLUS_MINUS 230
#define IDB_BALLOON_LAND_PLUS_MINUS_HI 352
#define IDB_BALLOON_LAND_ROOT 232
#define IDB_BALLOON_LAND_ROOT_HI 354
#define IDB_BALLOON_LAND_BACKSPACE 231
#define IDB_BALLOON_LAND_BACKSPACE_HI 360
// Screen titles shown in the tab bar.
#define IDS_TITLE_DESK 170
#define IDS_TITLE_CALCULATOR 171
#define IDS_TITLE_NOTE 172
#define IDS_TITLE_CONVERTER 173
#define IDS_TITLE_CALENDAR 174
#define IDS_TITLE_STOPWATCH 175
#define IDS_TITLE_TIMER 27
#define IDS_TITLE_ALARM 26
#define IDS_TITLE_WORLD_CLOCK 65
// Texts of the bars, the waiting window and the balloons.
#define IDS_GO_TODAY 1301
#define IDS_INITIALIZING 1302
#define IDS_BALLOON_LOAD_ERROR 1303
#define IDS_BALLOON_LOAD_ERROR_TITLE 1304

// Calculator: keys (two looks side by side), display frame and signs.
// Portrait keys (41 x 30 units, the wide equals key 83 x 30).
#define IDB_CALC_KEY_PORT 601
#define IDB_CALC_KEY_PORT_HI 701
#define IDB_CALC_KEY_PORT_OP 602
#define IDB_CALC_KEY_PORT_OP_HI 702
#define IDB_CALC_KEY_PORT_WIDE 603
#define IDB_CALC_KEY_PORT_WIDE_HI 703
#define IDB_CALC_KEY_PORT_BACK 604
#define IDB_CALC_KEY_PORT_BACK_HI 704
#define IDB_CALC_KEY_PORT_SIGN 605
#define IDB_CALC_KEY_PORT_SIGN_HI 705
#define IDB_CALC_KEY_PORT_ROOT 606
#define IDB_CALC_KEY_PORT_ROOT_HI 706
// Landscape keys (46 x 24 units).
#define IDB_CALC_KEY_LAND 611
#define IDB_CALC_KEY_LAND_HI 711
#define IDB_CALC_KEY_LAND_OP 612
#define IDB_CALC_KEY_LAND_OP_HI 712
#define IDB_CALC_KEY_LAND_BACK 614
#define IDB_CALC_KEY_LAND_BACK_HI 714
#define IDB_CALC_KEY_LAND_SIGN 615
#define IDB_CALC_KEY_LAND_SIGN_HI 715
#define IDB_CALC_KEY_LAND_ROOT 616
#define IDB_CALC_KEY_LAND_ROOT_HI 716
// Display frame: left end, stretched middle, right end.
#define IDB_CALC_LCD_LEFT 621
#define IDB_CALC_LCD_LEFT_HI 721
#define IDB_CALC_LCD_MIDDLE 622
#define IDB_CALC_LCD_MIDDLE_HI 722
#define IDB_CALC_LCD_RIGHT 623
#define IDB_CALC_LCD_RIGHT_HI 723
// Display signs: memory, then + - x / % in the order of the operator sign.
#define IDB_CALC_SIGN_MEMORY 631
#define IDB_CALC_SIGN_MEMORY_HI 731
#define IDB_CALC_SIGN_PLUS 632
#define IDB_CALC_SIGN_PLUS_HI 732
#define IDB_CALC_SIGN_MINUS 633
#define IDB_CALC_SIGN_MINUS_HI 733
#define IDB_CALC_SIGN_TIMES 634
#define IDB_CALC_SIGN_TIMES_HI 734
#define IDB_CALC_SIGN_DIVIDE 635
#define IDB_CALC_SIGN_DIVIDE_HI 735
#define IDB_CALC_SIGN_PERCENT 636
#define IDB_CALC_SIGN_PERCENT_HI 736

// Selectable lists: title-bar background (a tile), the title bar's left and
// right buttons (two looks side by side) and the row icons of simple lists
// (20 x 20 units each: chevron, tick, ring, folder).
#define IDB_LIST_TITLE 254
#define IDB_LIST_TITLE_HI 479
#define IDB_LIST_BACK 255
#define IDB_LIST_BACK_HI 480
#define IDB_LIST_DONE 256
#define IDB_LIST_DONE_HI 482
#define IDB_LIST_ICONS 258
#define IDB_LIST_ICONS_HI 483

// The note screen: the notebar's buttons (two looks side by side), the zoom
// menu's texts, the edit menu's texts and the delete question.
#define IDB_NOTE_ZOOM 901
#define IDB_NOTE_ZOOM_HI 911
#define IDB_NOTE_MODE 902
#define IDB_NOTE_MODE_HI 912
#define IDB_NOTE_KEYBOARD 903
#define IDB_NOTE_KEYBOARD_HI 913
#define IDS_ZOOM_75 2001 // ... IDS_ZOOM_300 2005, in the order of the zoom commands
#define IDS_ZOOM_100 2002
#define IDS_ZOOM_150 2003
#define IDS_ZOOM_200 2004
#define IDS_ZOOM_300 2005
#define IDS_EDIT_CUT 2011 // ... in the order of the edit commands 22141..22150
#define IDS_EDIT_COPY 2012
#define IDS_EDIT_PASTE 2013
#define IDS_EDIT_CLEAR 2014
#define IDS_EDIT_SELECT_ALL 2015
#define IDS_EDIT_CLEAR_ALL 2016
#define IDS_EDIT_RECOGNIZE 2017
#define IDS_EDIT_UNDO 2018
#define IDS_EDIT_REDO 2019
#define IDS_EDIT_INSERT_DATE 2020
#define IDS_DELETE_NOTE 2021

// Note screen commands: zoom 75..300 (22136..22140), then the edit menu.
#define IDM_ZOOM_FIRST 22136
#define IDM_CUT 22141
#define IDM_COPY 22142
#define IDM_PASTE 22143
#define IDM_CLEAR 22144
#define IDM_SELECT_ALL 22145
#define IDM_CLEAR_ALL 22146
#define IDM_RECOGNIZE 22147
#define IDM_UNDO 22148
#define IDM_REDO 22149
#define IDM_INSERT_DATE 22150
// Note pickers: row icons (a folder, a note file, and the sign at the right
// end of rows that open a folder) and their texts.
#define IDB_NOTE_ROW_FOLDER 941
#define IDB_NOTE_ROW_FOLDER_HI 944
#define IDB_NOTE_ROW_FILE 942
#define IDB_NOTE_ROW_FILE_HI 945
#define IDB_NOTE_ROW_OPEN 943
#define IDB_NOTE_ROW_OPEN_HI 946
#define IDS_SELECT_FOLDER 2101
#define IDS_OPEN_FILE 2102
#define IDS_SELECT_NOTE_DIR 2103
#define IDS_NOTE_FILES 2104
#define IDS_SELECT_NOTE_FILE 2105
#define IDS_DEFAULT_NAME 2106
#define IDS_PICKER_CAPTION 2107
// Converter: value field frames (normal, focus look, digit pad), unit list
// rows, selector caps (two looks side by side) and the pad's "ok" key
#define IDB_CONV_FIELD_LEFT 950
#define IDB_CONV_FIELD_LEFT_HI 951
#define IDB_CONV_FIELD_MIDDLE 952
#define IDB_CONV_FIELD_MIDDLE_HI 953
#define IDB_CONV_FIELD_RIGHT 954
#define IDB_CONV_FIELD_RIGHT_HI 955
#define IDB_CONV_FIELD_FOCUS_LEFT 956
#define IDB_CONV_FIELD_FOCUS_LEFT_HI 957
#define IDB_CONV_FIELD_FOCUS_MIDDLE 958
#define IDB_CONV_FIELD_FOCUS_MIDDLE_HI 959
#define IDB_CONV_FIELD_FOCUS_RIGHT 960
#define IDB_CONV_FIELD_FOCUS_RIGHT_HI 961
#define IDB_CONV_PAD_FIELD_LEFT 962
#define IDB_CONV_PAD_FIELD_LEFT_HI 963
#define IDB_CONV_PAD_FIELD_MIDDLE 964
#define IDB_CONV_PAD_FIELD_MIDDLE_HI 965
#define IDB_CONV_PAD_FIELD_RIGHT 966
#define IDB_CONV_PAD_FIELD_RIGHT_HI 967
#define IDB_CONV_ROW 968
#define IDB_CONV_ROW_HI 969
#define IDB_CONV_ROW_SELECTED 970
#define IDB_CONV_ROW_SELECTED_HI 971
#define IDB_CONV_KEY_OK 972
#define IDB_CONV_KEY_OK_HI 973
#define IDB_CONV_CMB_LEFT 974
#define IDB_CONV_CMB_LEFT_HI 975
#define IDB_CONV_CMB_MIDDLE 976
#define IDB_CONV_CMB_MIDDLE_HI 977
#define IDB_CONV_CMB_RIGHT 978
#define IDB_CONV_CMB_RIGHT_HI 979

// Calendar: header, its buttons, and the grid's cell, selection and today
// pictures
#define IDB_CAL_HEADER 1011
#define IDB_CAL_HEADER_HI 1012
#define IDB_CAL_PREVIOUS 1013
#define IDB_CAL_PREVIOUS_HI 1014
#define IDB_CAL_NEXT 1015
#define IDB_CAL_NEXT_HI 1016
#define IDB_CAL_CELL 1017
#define IDB_CAL_CELL_HI 1018
#define IDB_CAL_SELECTED 1019
#define IDB_CAL_SELECTED_HI 1020
#define IDB_CAL_TODAY 1021
#define IDB_CAL_TODAY_HI 1022
#define IDS_CAL_TODAY 2201

// World clock: the bar below the city list (background; Edit, Done and Add
// buttons, two looks side by side), the edit-mode row icons (delete, up,
// down), and its texts
#define IDB_WORLD_BAR 1031
#define IDB_WORLD_BAR_HI 1032
#define IDB_WORLD_EDIT 1033
#define IDB_WORLD_EDIT_HI 1034
#define IDB_WORLD_DONE 1035
#define IDB_WORLD_DONE_HI 1036
#define IDB_WORLD_ADD 1037
#define IDB_WORLD_ADD_HI 1038
#define IDB_WORLD_ROW_ICONS 1039
#define IDB_WORLD_ROW_ICONS_HI 1040
#define IDS_WORLD_KEY 2231
#define IDS_WORLD_TITLE_EDIT 2233
#define IDS_WORLD_TITLE_ADD 2234
#define IDS_WORLD_TODAY 2235
#define IDS_WORLD_YESTERDAY 2236
#define IDS_WORLD_TOMORROW 2237
#define IDS_WORLD_AM 2238
#define IDS_WORLD_PM 2239
#define IDS_WORLD_DELETE_QUESTION 2240
#define IDS_WORLD_QUESTION_CAPTION 2241
#define IDS_WORLD_NO_LIST 2242
#define IDS_WORLD_ERROR_CAPTION 2243
// Stopwatch and timer: push button, set button, "When Timer Ends" button,
// background; the texts without a number of their own
#define IDB_TIMING_BUTTON 1061
#define IDB_TIMING_BUTTON_HI 1062
#define IDB_TIMER_SET 1063
#define IDB_TIMER_SET_HI 1064
#define IDB_TIMER_ENDS 1065
#define IDB_TIMER_ENDS_HI 1066
#define IDB_TIMING_BACK 1067
#define IDB_TIMING_BACK_HI 1068
#define IDS_TIMER_DONE 3
#define IDS_WHEN_TIMER_ENDS 86
#define IDS_STOP 87
#define IDS_START 88
#define IDS_RESET 2261
#define IDS_LAP 2262
// Alarm screens and the ring pickers: the on/off switch (on and off looks
// side by side), the alarm list's Add button and title icon (two looks
// side by side), and their texts.
#define IDB_ALARM_SWITCH 1131
#define IDB_ALARM_SWITCH_HI 1132
#define IDB_ALARM_ADD 1133
#define IDB_ALARM_ADD_HI 1134
#define IDB_ALARM_TITLE 1135
#define IDB_ALARM_TITLE_HI 1136
#define IDS_RING_SOUND 28        // "Sound": the ring-tone picker's title
#define IDS_ADD_ALARM 49         // "Add Alarm"
#define IDS_EDIT_ALARM 50        // "Edit Alarm"
#define IDS_REPEAT 51            // "Repeat"
#define IDS_ALARM_SOUND 52       // "Sound": the editor's row
#define IDS_LABEL 54             // "Label"
#define IDS_RING_FILE 63         // "File"
#define IDS_ALARM_TIME 64        // "Time"
#define IDS_DELETE_ALARM 67      // "Delete this alarm really?"
#define IDS_CONFIRM 68           // "Confirm"
#define IDS_RING_VOLUME_ROW 70   // "Volume"
#define IDS_RING_VOLUME 71       // "Ring Volume"
#define IDS_VIBRO 72             // "Vibro"
#define IDS_MULTIMEDIA_FILES 2291 // "Multimedia Files"
