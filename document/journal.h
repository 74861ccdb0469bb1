// The change journal: its first line names the test it belongs to, and the
// question records follow. A journal left behind by an instance that did not
// end properly is read back here, and its complete records are kept in a new
// test file before anything empties the journal.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "base/byte_stream.h"
#include "base/path_limits.h"
#include "base/paths.h"
#include "document/record.h"

namespace qb {

// A test's path fits a path buffer; the first line is read with room for it
// and its line end, so a longer line names no test.
constexpr size_t kJournalFirstLineBuffer = kMaxPathLength + 2;

// Creates (or empties) the journal at journalPath, held exclusively, with
// testPath as its first line, flushed at once. nullptr when that fails; a
// journal this call created and could not start is removed again.
std::unique_ptr<ByteStream> StartJournal(FileSystem& files, const std::string& journalPath,
                                         const std::string& testPath);

// What a journal holds: the test its first line names and the complete
// records behind it. They lie back to back from recordsStart to recordsEnd,
// read by the same rules as a test file's records; the scan ends at the
// first record that is not whole.
struct JournalScan {
    std::string testPath;  // empty when the journal has no first line
    int64_t recordsStart = 0;
    int64_t recordsEnd = 0;
    int32_t recordCount = 0;

    bool IsRecoverable() const { return !testPath.empty() && recordCount > 0; }
};
JournalScan ScanJournal(ByteStream& journal);

// "<test's name without extension> recovered.tvt", or with " 2", " 3", ...
// before the extension: the first such name that does not exist, beside the
// lost test or in folder. Empty when every number is taken.
std::string RecoveryFileName(FileSystem& files, const WinPath& lostTest);
std::string RecoveryFileName(FileSystem& files, const Directory& folder, const WinPath& lostTest);

// Writes a test file at path: the magic line, the scanned records byte for
// byte and the closing empty line. A file that cannot be finished is removed.
bool WriteRecoveryFile(FileSystem& files, ByteStream& journal, const JournalScan& scan, const std::string& path);

// A journal found at start-up that is worth asking about. The journal stays
// held exclusively until Recover or Discard, so no other instance empties
// it meanwhile.
struct LeftJournal {
    std::string journalPath;
    std::unique_ptr<ByteStream> stream;
    JournalScan scan;
    std::string recoveryPath;  // the name proposed beside the lost test
};

// True when the journal exists, is not held by another instance, names a
// test and holds at least one complete record. The proposed name lies beside
// the lost test, or in the program directory when no name is free there.
bool FindLeftJournal(FileSystem& files, const std::string& journalPath, const Directory& programDirectory,
                     LeftJournal& found);

// Yes: writes the recovery file at the proposed name, or when that folder
// cannot be written at a free name in the program directory, and deletes the
// journal. Returns the path written, or empty when it could be written
// nowhere; the journal is then kept as "CHANGINGS.OLD" in the program
// directory (replacing an older one). Only if even that fails does the
// stream stay open in found, so that no Open of this instance empties it.
std::string RecoverLeftJournal(FileSystem& files, LeftJournal& found, const Directory& programDirectory);

// No: deletes the journal.
void DiscardLeftJournal(FileSystem& files, LeftJournal& found);

// Neither: keeps the journal as "CHANGINGS.OLD" in the program directory, or
// holds it on in found when it cannot be moved there.
void KeepLeftJournal(FileSystem& files, LeftJournal& found, const Directory& programDirectory);

}  // namespace qb
