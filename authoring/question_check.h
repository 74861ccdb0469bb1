// What an author should know before shipping a test: damage, empty or
// repeated keywords, empty texts, wrong answers the test run would take for
// right, attachments that are missing or cannot be shown or read.
#pragma once
#include <string>
#include <vector>

#include "base/byte_stream.h"
#include "authoring/salvage_scan.h"

namespace qb {

struct Finding {
    int question = 0;     // records and damaged parts in file order, from 1
    std::string keyword;  // as stored (Windows-1252)
    std::string what;
};

struct CheckReport {
    int questions = 0;  // records read whole
    std::vector<Finding> findings;
};

// Where the attachment stored under storedName lies for the test at testPath,
// or "" when no file is there: the program's lookup, with the test's folder
// standing for the program directory of a "*" name (the installer puts
// tests there).
std::string FindAttachment(FileSystem& files, const std::string& storedName, const std::string& testPath);

// Scans stream, the test at testPath, into scan and checks every part as it
// is found. Nothing is checked when the stream's size cannot be taken (scan
// is then empty with a size of -1).
CheckReport CheckTestFile(FileSystem& files, ByteStream& stream, const std::string& testPath, TestFileScan& scan);

}  // namespace qb
