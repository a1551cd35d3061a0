#pragma once
// Resource and control identifiers of CHIMO!. Shared by the resource script and the code, so
// it holds only #define lines (the resource compiler reads it too).

#define IDC_STATIC (-1)

#include "../framework/FrameworkIds.h"

// Dialogs, menus
#define IDD_ABOUT_BOX 100
#define IDD_CHIME 102
#define IDR_TRAY_MENU 132

// Texts (the STRINGTABLE): every text the program shows that no template holds
#define IDS_ABOUT_ITEM 101
// The tray's tooltips; %1 is a time as the user writes it, %2 why a quarter kept quiet
#define IDS_TIP_ACTIVE 200
#define IDS_TIP_DISABLED 201
#define IDS_TIP_SLEEPING 202
#define IDS_TIP_SILENT_UNTIL 203
#define IDS_TIP_RINGING 204
#define IDS_TIP_QUIET 205
#define IDS_QUIET_CALL 206
#define IDS_QUIET_FULL_SCREEN 207
#define IDS_QUIET_PRESENTATION 208
#define IDS_QUIET_DO_NOT_DISTURB 209
// The device list; %1 a device's name
#define IDS_DEFAULT_DEVICE 210
#define IDS_NOT_CONNECTED 211
// Beside the shortcut and the speech box
#define IDS_KEY_TAKEN 212
#define IDS_KEY_NEEDS_MODIFIER 213
#define IDS_NO_VOICE 214
// Questions and their captions
#define IDS_WARNING_CAPTION 215
#define IDS_FILE_NOT_FOUND 216
#define IDS_NOT_WAV_FILE 217
#define IDS_INVALID_TIME_CAPTION 218
#define IDS_INVALID_TIME 219
#define IDS_EXIT_CAPTION 220
#define IDS_EXIT_QUESTION 221
#define IDS_LEGACY_CAPTION 222
#define IDS_LEGACY_QUESTION 223
// The file dialog's filter, in the form "Name|*.ext||"
#define IDS_SOUND_FILTER 224
// A link's action, as a screen reader names it
#define IDS_LINK_ACTION 225
// Each slot's file dialog title, then each slot's caption of the question on OK (slot order)
#define IDS_BROWSE_HOUR 230
#define IDS_BROWSE_QUARTER_AFTER 231
#define IDS_BROWSE_HALF_PAST 232
#define IDS_BROWSE_QUARTER_TIL 233
#define IDS_MISSING_HOUR 234
#define IDS_MISSING_QUARTER_AFTER 235
#define IDS_MISSING_HALF_PAST 236
#define IDS_MISSING_QUARTER_TIL 237
// A link that would not open: the heading, then the system's reason (%1), or the code (%1)
#define IDS_OPEN_ERROR 240
#define IDS_OPEN_ERROR_UNKNOWN 241
// The ways of striking, in the order the profile numbers them
#define IDS_PATTERN_WESTMINSTER 250
#define IDS_PATTERN_QUARTER_STRIKES 251
#define IDS_PATTERN_SHIPS_BELLS 252
#define IDS_PATTERN_HALF_HOUR 253
// What the quiet hours do, in the order of the list, and the tooltip inside quieter hours (%1
// their end)
#define IDS_SLEEP_SILENT 254
#define IDS_SLEEP_QUIETER 255
#define IDS_TIP_QUIETER 256
// Why nobody was there to hear a quarter (the tooltip's %2)
#define IDS_QUIET_LOCKED 257
#define IDS_QUIET_DISPLAY_OFF 258
#define IDS_QUIET_AWAY 259
// The language list's first entry
#define IDS_WINDOWS_LANGUAGE 260
// The voice list's first entry, and a chosen voice that is no longer installed (%1 its name)
#define IDS_WINDOWS_VOICE 261
#define IDS_NOT_INSTALLED 262
// How the time is said, in the order the profile numbers them
#define IDS_SAY_AS_CLOCK 263
#define IDS_SAY_IN_WORDS 264
// How often the time is also told: never, or every %1 minutes
#define IDS_TELL_NEVER 265
#define IDS_TELL_MINUTES 266
// The reasons, as IDS_OPEN_ERROR_CODE + the code ShellExecute gave (0 to 32)
#define IDS_OPEN_ERROR_CODE 300

// Icons and the cursor
#define IDI_MAIN 128
#define IDI_TRAY_ACTIVE 129
#define IDI_TRAY_DISABLED 136
#define IDI_TRAY_SLEEPING 137
#define IDI_TRAY_RINGING 138
#define IDC_LINK_CURSOR 143

// Sounds (custom type "WAVE")
#define IDW_ABOUT_SOUND 131
#define IDW_CUE_NO 134
#define IDW_CUE_YES 135

// Settings window controls
#define ID_QUIT 3
#define IDC_SOUND_HOUR 1001
#define IDC_SOUND_QUARTER_AFTER 1002
#define IDC_SOUND_HALF_PAST 1003
#define IDC_SOUND_QUARTER_TIL 1004
#define IDC_USE_SAME 1006
#define IDC_DISABLE_SECONDARY 1007
#define IDC_ABOUT 1009
#define IDC_BROWSE_HOUR 1010
#define IDC_BROWSE_QUARTER_AFTER 1011
#define IDC_BROWSE_HALF_PAST 1012
#define IDC_BROWSE_QUARTER_TIL 1013
#define IDC_PLAY_HOUR 1014
#define IDC_PLAY_QUARTER_AFTER 1015
#define IDC_PLAY_HALF_PAST 1016
#define IDC_PLAY_QUARTER_TIL 1017
#define IDC_MULTI 1018
#define IDC_DISABLE 1019
#define IDC_SLEEP_TIMER 1020
#define IDC_SLEEP_START 1021
#define IDC_SLEEP_STOP 1022
#define IDC_VOLUME 1023
#define IDC_WAKE_SPEAKERS 1024
#define IDC_QUIET_WHEN_BUSY 1025
#define IDC_DEVICE 1030
#define IDC_TELL_KEY 1031
#define IDC_TELL_KEY_NOTE 1032
#define IDC_SPEAK_TIME 1033
#define IDC_SPEAK_NOTE 1034
#define IDC_PATTERN 1035
#define IDC_SLEEP_MODE 1036
#define IDC_SLEEP_VOLUME 1037
#define IDC_QUIET_WHEN_AWAY 1038
// The seven day boxes, in the order they show (the user's first day of the week first)
#define IDC_DAY_FIRST 1040
#define IDC_DAY_LAST 1046

#define IDC_LANGUAGE 1047
#define IDC_VOICE 1048
#define IDC_VOICE_RATE 1049
#define IDC_SPEAK_WORDS 1050
#define IDC_TELL_EVERY 1051
#define IDC_SPEAK_ONLY 1052
// The settings window's labels and group boxes: their ids give them their texts in each
// language (see res/lang)
#define IDC_PRIMARY_GROUP 1100
#define IDC_HOUR_LABEL 1101
#define IDC_PATTERN_LABEL 1102
#define IDC_SECONDARY_GROUP 1103
#define IDC_QUARTER_AFTER_LABEL 1104
#define IDC_HALF_PAST_LABEL 1105
#define IDC_QUARTER_TIL_LABEL 1106
#define IDC_SOUND_GROUP 1107
#define IDC_VOLUME_LABEL 1108
#define IDC_DEVICE_LABEL 1109
#define IDC_TELL_GROUP 1110
#define IDC_TELL_KEY_LABEL 1111
#define IDC_SLEEP_START_LABEL 1112
#define IDC_SLEEP_STOP_LABEL 1113
#define IDC_SLEEP_MODE_LABEL 1114
#define IDC_SLEEP_VOLUME_LABEL 1115
#define IDC_DAYS_LABEL 1116
#define IDC_LANGUAGE_LABEL 1117
#define IDC_VOICE_GROUP 1118
#define IDC_VOICE_LABEL 1119
#define IDC_VOICE_RATE_LABEL 1128
#define IDC_SPEAK_WORDS_LABEL 1129
#define IDC_TELL_EVERY_LABEL 1130
// About box controls
#define IDC_WEB_LINK 1026
#define IDC_MAIL_LINK_A 1027
#define IDC_MAIL_LINK_B 1028
#define IDC_VERSION 1029
#define IDC_ABOUT_WRITTEN 1120
#define IDC_ABOUT_FREE 1121
#define IDC_ABOUT_WHOLE 1122
#define IDC_ABOUT_WARRANTY 1123
#define IDC_ABOUT_LATEST 1124
#define IDC_ABOUT_WEB 1125
#define IDC_ABOUT_MAIL 1126
#define IDC_ABOUT_OR 1127
// The About box's caption, and its controls' texts as this + their ids
#define IDT_ABOUT_BOX 2000

// Tray menu commands (the others share the ids of the buttons they stand for)
#define ID_SETTINGS 32776
#define ID_SLEEP 32782
#define ID_SNOOZE 32783
#define ID_TELL_TIME 32784

// System menu item; ids 16 to 31 all open the About box
#define IDM_ABOUT_SYS 16

// The help command routed to the application object
#define ID_HELP 0xE146
