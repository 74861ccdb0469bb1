// What an author should know before shipping a test: damage, empty or
// repeated keywords, empty texts, wrong answers the test run would take for
// right, attachments that are missing or cannot be shown or read.
#pragma once
#include <string>
#include <vector>

#include "base/byte_stream.h"
#include "base/paths.h"
#include "document/document.h"
#include "authoring/salvage_scan.h"

namespace qb {

struct Finding {
    int question = 0;     // records and damaged parts in file order, from 1
    std::string keyword;  // as stored (Windows-1252)
    std::string what;
    int32_t key = -1;  // the question's key in an open test; -1 in a file
};

// "question 3 "Sky": question picture "*sky.bmp" missing", as stored (Windows-1252).
std::string DescribeFinding(const Finding& finding);

struct CheckReport {
    int questions = 0;  // records read whole
    std::vector<Finding> findings;
};

// Where the attachment stored under storedName lies for the test at testPath,
// or "" when no file is there: the program's lookup, with programDirectory
// for a "*" name; without one, the test's folder stands for it (the
// installer puts tests there).
std::string FindAttachment(FileSystem& files, const std::string& storedName, const std::string& testPath,
                           const Directory& programDirectory = Directory());

// Scans stream, the test at testPath, into scan and checks every part as it
// is found; attachments are looked for as FindAttachment does. Nothing is
// checked when the stream's size cannot be taken (scan is then empty with a
// size of -1).
CheckReport CheckTestFile(FileSystem& files, ByteStream& stream, const std::string& testPath, TestFileScan& scan,
                          const Directory& programDirectory = Directory());

// Checks the open test's current questions in index order, each read where
// its node points (the change journal's records included), as CheckTestFile
// checks a file's records. Each finding carries its question's key, so the
// question list can select it. A record that cannot be read is reported as
// damaged.
CheckReport CheckOpenTest(TestDocument& document, const Directory& programDirectory);

}  // namespace qb
