// Every dialog, control, command and string id of Creator. Plain defines so
// the resource script, the program and the end-to-end driver share them.
#pragma once

#define IDD_DESTINATION 101
#define IDD_EXPORT 102

#define IDC_DESTINATION_NAME 1000
#define IDC_PROGRAM_DIRECTORY 1001
#define IDC_EXPORT_LIST 1002
#define IDC_STATIC_TEXT -1

// Sent by the export dialog to itself at its first paint.
#define IDM_EXPORT_START 40101

#define IDS_CREATOR_CAPTION 1
#define IDS_GREETING 2
#define IDS_NOT_INSTALLED 4
#define IDS_SELECT_TEST 5
#define IDS_ABORTED_CAPTION 6
#define IDS_NOTHING_EXPORTED 7
#define IDS_NAME_REQUIRED 8
#define IDS_DESTINATION_CAPTION 9
#define IDS_DIRECTORY_NOT_MADE 10
#define IDS_EXPORT_CAPTION 11
#define IDS_EXPORT_FAULTY 12
#define IDS_EXPORT_COMPLETE 13
#define IDS_FILE_NOT_COPIED 14
#define IDS_PRODUCT_WORD 15
#define IDS_ACCESS_DENIED 16
#define IDS_FILE_NOT_CREATED 17
#define IDS_CHECK_CAPTION 18
#define IDS_CHECK_FOUND 19
#define IDS_CHECK_EXPORT_ANYWAY 20
