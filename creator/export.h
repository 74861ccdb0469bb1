// The export of one test into a distribution directory: the list file, the
// copies of the program files, the derived test T0000001 and the numbered
// copies of every attached file. Files are reached through FileSystem and
// FileCopier, and everything the user has to see goes to ExportReporter, so
// the whole procedure runs (and is tested) without a window.
#pragma once
#include "base/byte_stream.h"
#include "base/paths.h"
#include "document/format.h"

#include <memory>
#include <string>

namespace qb::creator {

enum class ExportProblem {
    ListFileNotCreated,    // text: the list file's path
    ProgramFileNotCopied,  // text: the program file's source path
    TestFileNotCreated,    // text: the path of T0000001
    TestNotOpened,         // text: the test's path
    AttachmentNotCopied,   // text: the stored name, as the test holds it
    FileNotWritten,        // text: the path of the list file or of T0000001
};

class ExportReporter {
public:
    virtual ~ExportReporter() = default;
    virtual void Report(ExportProblem problem, const std::string& text) = 0;
    // An attachment was copied and listed; listText is the whole new list.
    virtual void ListGrew(const std::string& listText) = 0;
};

class FileCopier {
public:
    virtual ~FileCopier() = default;
    // Copies a file; fails when the destination exists already.
    virtual bool CopyNew(const std::string& source, const std::string& destination) = 0;
};

struct ExportSettings {
    Directory programDirectory;
    std::string productWord;  // names the main program and the help file
    std::string testPath;
    Directory destinationPath;
};

class TestExport {
public:
    TestExport(ExportSettings settings, FileSystem& files, FileCopier& copier, ExportReporter& reporter);
    ~TestExport();
    TestExport(const TestExport&) = delete;
    TestExport& operator=(const TestExport&) = delete;

    // Creates the list file and writes the test's file name as its first line.
    // False (already reported) when that fails; the export is then over.
    bool Open();

    // Copies and writes everything; every file is closed on return. True only
    // when nothing failed.
    bool Run();

    // The list shown to the user: the test's file name, then one line per
    // copied attachment, separated by CR LF.
    const std::string& ListText() const { return listText_; }

private:
    enum class RecordResult { Exported, SourceEnded, Broken };

    void RunSteps();
    void CopyProgramFiles();
    RecordResult ExportRecord(TestFileWriter& test);
    RecordResult CopyAttachments(const std::string (&storedNames)[kFileSlotCount],
                                 const std::string (&baseNames)[kFileSlotCount]);
    RecordResult WriteFailed();
    // Writes name as the next line of the list file.
    bool WriteList(const std::string& name);
    void CloseOutput(std::unique_ptr<ByteStream>& stream, const std::string& path);
    void Fail() { exportOk_ = false; }

    ExportSettings settings_;
    FileSystem& files_;
    FileCopier& copier_;
    ExportReporter& reporter_;
    std::string testFileName_;
    std::string listPath_;
    std::string outputPath_;
    std::unique_ptr<ByteStream> list_;
    std::unique_ptr<ByteStream> output_;
    std::unique_ptr<ByteStream> source_;
    std::string listText_;
    int attachmentCounter_ = 1;
    bool exportOk_ = true;
    bool writeFailed_ = false;
};

}  // namespace qb::creator
