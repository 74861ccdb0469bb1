// Every dialog, control, icon and string id of Uninstall. Plain defines so the
// resource script, the portable core and the end-to-end driver share them.
#pragma once

#define IDD_CHOICE 101
#define IDI_UNINSTALL 102
#define IDD_REMOVAL 103

#define IDC_KIND_PROGRAM_FILES 1000
#define IDC_KIND_TESTS 1001
#define IDC_KIND_TEXT_FILES 1002
#define IDC_KIND_BITMAPS 1003
#define IDC_CHOICE_DIRECTORY 1004
#define IDC_KIND_SYSTEM_ENTRIES 1009
#define IDC_REMOVAL_START_WORK 40101

#define IDS_NOT_REMOVED 1
#define IDS_UNINSTALL_CAPTION 2
#define IDS_ERROR_CAPTION 3
#define IDS_DIRECTORY_NOT_FOUND 4
#define IDS_REMOVED 8
