// The string ids of what the document's operations tell the user. The texts
// are in the main program's string table, whose id header includes this one
// through the editor's; the document itself includes nothing of either. The
// numbers are the ones the main program has always given them.
// Plain #defines: windres reads this file too.
#pragma once

#define IDS_VERSION_REFUSED 2
#define IDS_ERROR_CAPTION 12
#define IDS_FILE_ERROR 13
#define IDS_NO_MEMORY 14
#define IDS_ATTENTION 15
#define IDS_SAVE_CAPTION 16
#define IDS_NO_TEST_OPENED 17
