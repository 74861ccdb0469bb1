// Ids of the question editor: its two dialogs, their controls and the strings
// they show. The dialogs and strings (editor.rc) are resources of the main
// program, whose id header includes this one; the editor itself includes
// nothing of the shell. The numbers are the ones the main program has always
// given them; its own ids never reuse them.
// Plain #defines: windres reads this file too.
#pragma once
// The document's strings, which the editor shows too (the error caption, the file error, ...).
#include "document/resource_ids.h"

// Dialogs
#define IDD_QUESTION 108
#define IDD_ATTACH 112

// Controls of the question dialog and the attach dialog
#define IDC_QUESTION_TEXT 1004
#define IDC_QUESTION_RIGHT_ANSWER 1005
#define IDC_QUESTION_WRONG_ANSWER1 1006
#define IDC_QUESTION_WRONG_ANSWER2 1007
#define IDC_QUESTION_WRONG_ANSWER3 1008
#define IDC_QUESTION_WRONG_ANSWER4 1009
#define IDC_QUESTION_KEYWORD 1012
#define IDC_ATTACH_QUESTION_TEXT 1018
#define IDC_ATTACH_QUESTION_PICTURE 1019
#define IDC_ATTACH_ANSWER_TEXT 1020
#define IDC_ATTACH_ANSWER_PICTURE 1021
// The Help button of both dialogs; the number is the main menu's Help command's.
#define IDC_DIALOG_HELP 40001
#define IDC_QUESTION_ATTACH_FILES 40029

// Strings only the editor shows, in editor.rc
#define IDS_NEED_QUESTION_TEXT 9
#define IDS_NEED_RIGHT_ANSWER 10
#define IDS_NEED_KEYWORD 11
#define IDS_ATTACH_QUESTION_TEXT 26
#define IDS_ATTACH_QUESTION_PICTURE 27
#define IDS_ATTACH_ANSWER_TEXT 28
#define IDS_ATTACH_ANSWER_PICTURE 29
#define IDS_EDIT_QUESTION_TITLE 30
#define IDS_HELP_KEY_DEFINE 51
#define IDS_HELP_KEY_EDIT 52
#define IDS_HELP_KEY_ATTACH 53

// Strings of the main program's table that the editor shows as well
#define IDS_NO_QUESTION_AVAILABLE 22
