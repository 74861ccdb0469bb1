// The file names of a test and of the files the program keeps beside it: the
// extension, the companions of a save, the change journal, the journal kept
// after a failed recovery and the recovered tests.
#pragma once
#include <string>
#include <vector>

#include "base/paths.h"

namespace qb {

// The extension of a test file, without its dot (as file dialogs take it).
constexpr char kTestExtension[] = "tvt";
// The extension with its dot, as names and patterns end (".tvt").
std::string Extension();

// The companions of a save (WinPath::Companion): the new file while it is
// written, the previous file afterwards, the test.
constexpr char kTemporarySuffix[] = "TMP";
constexpr char kBackupSuffix[] = "BAK";
constexpr char kSavedSuffix[] = "TVT";

// The change journal, one per program directory.
constexpr char kJournalName[] = "CHANGINGS.TMP";
// Where a journal is kept when its records could not be put anywhere else.
constexpr char kKeptJournalName[] = "CHANGINGS.OLD";
// "<test> recovered.tvt", then "<test> recovered 2.tvt" up to this number.
constexpr int kMaxRecoveryNumber = 999;

// The journal's path in the program directory.
WinPath JournalPathFor(const Directory& programDirectory);

// The name a test recovered from a journal gets: the lost test's name
// without its extension, " recovered", " number" from 2 on, and ".tvt".
std::string RecoveredTestName(const std::string& testStem, int number);

// A file dialog's filter for tests ("Tests (*.tvt)" and its pattern), with
// "All Files (*.*)" behind it when wanted; double-zero terminated.
std::string TestFileFilter(bool withAllFiles);

// The patterns of every file a test leaves in a directory, in the order
// Uninstall removes them: the journal, the kept journal, the companions of a
// save, the recovered tests and the tests themselves.
std::vector<std::string> TestFilePatterns();

}  // namespace qb
