// Every resource, command, control and string id of the main program. Included
// by the resource scripts, the C++ sources and the end-to-end tests, so no
// number is written twice. Plain #defines: windres reads this file too.
#pragma once
// The question editor's dialogs, their controls and the strings they show.
#include "editor/resource_ids.h"

// Icons, bitmaps, accelerators, dialogs
#define IDI_PROGRAM 101
#define IDI_PROGRAM_SMALL 103
#define IDB_TOOLBAR 104
#define IDA_MAIN 107
#define IDI_ANSWER_MARKER 110
#define IDI_QUESTION_MARKER 111
#define IDI_DOCUMENT 114
#define IDI_ABOUT 115
#define IDD_ABOUT 116
#define IDD_FINDINGS 130
#define IDD_IMPORT 131
#define IDB_LIST_SINGLE 119
#define IDB_LIST_SINGLE_ANSWERED 120
#define IDB_LIST_MULTI 121
#define IDB_LIST_MULTI_ANSWERED 122
// The same bitmaps drawn at 24 and 32 pixels: the 16-pixel art's id plus one
// or two steps (the art sizes' order in shell/session/display_scale.h).
#define ART_ID_STEP 1000
#define IDB_TOOLBAR_24 1104
#define IDB_LIST_SINGLE_24 1119
#define IDB_LIST_SINGLE_ANSWERED_24 1120
#define IDB_LIST_MULTI_24 1121
#define IDB_LIST_MULTI_ANSWERED_24 1122
#define IDB_TOOLBAR_32 2104
#define IDB_LIST_SINGLE_32 2119
#define IDB_LIST_SINGLE_ANSWERED_32 2120
#define IDB_LIST_MULTI_32 2121
#define IDB_LIST_MULTI_ANSWERED_32 2122

// The main menu is a named resource.
#define MAIN_MENU_NAME "Quorbelind"

// Commands: menu items, toolbar buttons and accelerators
#define IDM_HELP 40001
#define IDM_ABOUT 40002
#define IDM_EXIT 40003
#define IDM_FILE_NEW 40004
#define IDM_FILE_OPEN 40005
#define IDM_FILE_SAVE 40006
#define IDM_FILE_SAVE_AS 40007
#define IDM_FILE_CLOSE 40008
#define IDM_QUESTION_NEW 40009
#define IDM_QUESTION_EDIT 40010
#define IDM_QUESTION_REMOVE 40011
#define IDM_TEST_ASK 40016
#define IDM_TEST_SHOW_ANSWER 40017
#define IDM_TEST_MARK_ANSWERED 40018
#define IDM_TEST_RESET_ALL 40020
#define IDM_TEST_RESET 40032
#define IDM_FONT 40033
#define IDM_FILE_EXPORT_WEB_PAGE 40034
// The authors' table and check commands of the File menu
#define IDM_FILE_EXPORT_QUESTIONS 40051
#define IDM_FILE_CHECK_TEST 40052
#define IDM_FILE_IMPORT_QUESTIONS 40053
// Options: the question list as a plain list or with its columns
#define IDM_OPTIONS_DETAILS 40060
// Learning from misses: Undo, missed questions first, answers from the keyboard
#define IDM_EDIT_UNDO 40071
#define IDM_TEST_MISSED_FIRST 40072
#define IDM_TEST_ANSWER_1 40073
#define IDM_TEST_ANSWER_2 40074
#define IDM_TEST_ANSWER_3 40075
#define IDM_TEST_ANSWER_4 40076
#define IDM_TEST_ANSWER_5 40077
// Sent to the Bild pane: lay the picture out again and repaint.
#define IDM_PICTURE_LAYOUT 40030

// Children of the main window
#define IDC_STATUS_BAR 40100
#define IDC_TOOLBAR 40101
#define IDC_QUESTION_LIST 40102
#define IDC_TEST_PANE 40103
#define IDC_RICH_TEXT 40106
// Children of the Test pane
#define IDC_QUESTION_MARKER 40107
#define IDC_ANSWER_MARKER_FIRST 40108
#define IDC_ANSWER_MARKER_LAST 40112
#define IDC_QUESTION_BOX 40113
#define IDC_ANSWER_BOX_FIRST 40114
#define IDC_KEYWORD_LABEL 40119

// Controls of the About box (beyond IDOK)
#define IDC_ABOUT_PROGRAM_ICON 1001
#define IDC_ABOUT_ICON 1002
// The findings dialog of Check test
#define IDC_FINDINGS_LIST 1101
#define IDC_REPORT_HINT 1102
// The import dialog
#define IDC_IMPORT_ENCODING 1103
#define IDC_IMPORT_SEPARATOR 1104
#define IDC_IMPORT_HEADER 1105
#define IDC_IMPORT_PREVIEW 1106
#define IDC_IMPORT_HELP 1107
#define IDS_FINDINGS_HINT 99
#define IDS_ROW_ERRORS_HINT 100
#define IDS_HELP_KEY_IMPORT 101
#define IDS_MORE_ROW_ERRORS 102

// String table
#define IDS_PROGRAM_TITLE 1
#define IDS_NEW_TEST_TITLE 3
#define IDS_TEXT_PANE_CAPTION 4
#define IDS_PICTURE_PANE_CAPTION 5
#define IDS_OPEN_TEST_TITLE 6
#define IDS_BUSY_OPENING 7
#define IDS_BUSY_CLOSING 8
#define IDS_NO_QUESTIONS_TO_SAVE 18
#define IDS_SAVE_AS_TITLE 19
#define IDS_BUSY_SAVING 20
#define IDS_ASK_TO_SAVE 21
#define IDS_DISPLAY_FAILED 23
#define IDS_NO_QUESTION_DISPLAYED 24
#define IDS_NOT_POSSIBLE_NOW 25
#define IDS_DEFINE_QUESTION_CAPTION 31
#define IDS_NEED_OPEN_TEST 32
#define IDS_STARTUP_HINT 33
#define IDS_HELP_HINT 34
#define IDS_LABEL_CORRECT 35
#define IDS_LABEL_ASKED 36
#define IDS_LABEL_REMAINING 37
#define IDS_ALL_ANSWERED 38
#define IDS_CONFIRM_DELETE 39
#define IDS_DELETE_CAPTION 40
#define IDS_BUSY_ANSWER 42
#define IDS_BUSY_RESETTING 43
#define IDS_BUSY_QUESTION 44
// Start-up after an end that was not proper: the change journal left behind
#define IDS_RECOVERY_CAPTION 60
#define IDS_RECOVERY_QUESTION 61
#define IDS_DAMAGED_TEST 64
#define IDS_DAMAGED_FILE_KEPT 65
// Export as web page
#define IDS_WEB_PAGE_CAPTION 66
#define IDS_WEB_PAGE_TITLE 67
#define IDS_BUSY_WEB_PAGE 68
#define IDS_EXPORT_INCOMPLETE 69
#define IDS_WEB_PAGE_NAME 70
// Export, Check and Import of questions
#define IDS_EXPORT_TITLE 80
#define IDS_EXPORT_CAPTION 81
#define IDS_BUSY_EXPORTING 82
#define IDS_QUESTIONS_EXPORTED 83
#define IDS_QUESTION_EXPORTED 84
#define IDS_NOT_A_TABLE 85
#define IDS_CHECK_CAPTION 86
#define IDS_BUSY_CHECKING 87
#define IDS_NO_PROBLEMS_FOUND 88
#define IDS_FINDING_KEYWORD 89
#define IDS_FINDING_TEXT 90
#define IDS_IMPORT_TITLE 91
#define IDS_IMPORT_CAPTION 92
#define IDS_BUSY_IMPORTING 93
#define IDS_QUESTIONS_IMPORTED 94
#define IDS_QUESTION_IMPORTED 95
#define IDS_ERROR_ROW 96
#define IDS_ERROR_COLUMN 97
#define IDS_ERROR_TEXT 98
// The second column of the question list's details view; the first is IDS_FINDING_KEYWORD.
#define IDS_LIST_MISSED 103
// The Undo menu item's text: nothing to undo, or the step it takes back
#define IDS_UNDO 120
#define IDS_UNDO_MARK_ANSWERED 121
#define IDS_UNDO_RESET_QUESTION 122
#define IDS_UNDO_RESET_ALL 123
#define IDS_UNDO_MISSED 124
// The tooltip of a toolbar button is the string whose id is its command id.
