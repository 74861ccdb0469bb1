#include "qbtool/commands.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <new>

#include "document/record.h"
#include "encoding/cp1252.h"
#include "qbtool/question_check.h"
#include "qbtool/question_table.h"
#include "qbtool/salvage_scan.h"

namespace qb {

namespace {

struct Command {
    std::string name;
    std::vector<std::string> files;
    bool force = false;
};

// The new file's stream while records are written to it: the record writer
// asks for the end and flushes after every record, which the file itself
// would turn into system calls; here the bytes go out in large batches.
class BatchedWriteStream final : public ByteStream {
public:
    static constexpr size_t kBatch = 1 << 20;

    explicit BatchedWriteStream(ByteStream& file) : file_(file) {}
    size_t Read(void*, size_t) override { return 0; }
    int GetByte() override { return -1; }
    void UngetByte(int) override {}
    bool Write(const void* data, size_t count) override {
        batch_.append(static_cast<const char*>(data), count);
        return batch_.size() < kBatch || Flush();
    }
    bool Seek(int64_t position) override { return position == Tell(); }
    bool SeekToEnd() override { return true; }
    int64_t Tell() override { return written_ + static_cast<int64_t>(batch_.size()); }
    bool Flush() override {
        if (!file_.Write(batch_.data(), batch_.size())) return false;
        written_ += static_cast<int64_t>(batch_.size());
        batch_.clear();
        return true;
    }
    bool Close() override { return Flush() && file_.Close(); }

private:
    ByteStream& file_;
    std::string batch_;
    int64_t written_ = 0;
};

// Writes a whole file; false when a write fails.
using FileWriter = std::function<bool(ByteStream& out)>;

class Tool {
public:
    Tool(FileSystem& files, ToolConsole& console) : files_(files), console_(console) {}

    int RunCheck(const Command& command) { return Check(command.files[0]); }
    int RunSalvage(const Command& command) { return Salvage(command.files[0], command.files[1], command.force); }
    int RunImport(const Command& command) { return Import(command.files[0], command.files[1], command.force); }
    int RunExport(const Command& command) { return Export(command.files[0], command.files[1], command.force); }

private:
    int Fail(const std::string& path, const std::string& message) {
        console_.err << path << ": " << message << "\n";
        return kExitFailed;
    }

    std::string Shown(const std::string& stored) const { return console_.showUtf8 ? Cp1252ToUtf8(stored) : stored; }

    // Opens and scans a test; false (reported) when it cannot be read at all.
    bool OpenScanned(const std::string& path, std::unique_ptr<ByteStream>& stream, TestFileScan& scan) {
        stream = files_.Open(path, OpenMode::Read);
        if (!stream || !ScanTestFile(*stream, scan)) {
            Fail(path, "cannot be opened");
            return false;
        }
        return true;
    }

    int Check(const std::string& path) {
        std::unique_ptr<ByteStream> stream = files_.Open(path, OpenMode::Read);
        if (!stream) return Fail(path, "cannot be opened");
        TestFileScan scan;
        const CheckReport report = CheckTestFile(files_, *stream, path, scan);
        if (scan.size < 0) return Fail(path, "cannot be opened");
        if (!scan.magicAccepted) return Fail(path, "is not a test file (its first line is not a test's)");
        for (const Finding& finding : report.findings) {
            console_.out << path << ": question " << finding.question << " \"" << Shown(finding.keyword)
                         << "\": " << Shown(finding.what) << "\n";
        }
        console_.out << report.questions << " questions, " << report.findings.size() << " findings\n";
        return report.findings.empty() ? kExitClean : kExitFindings;
    }

    int Salvage(const std::string& input, const std::string& output, bool force) {
        if (!MayWrite(input, output, force)) return kExitFailed;
        std::unique_ptr<ByteStream> stream;
        TestFileScan scan;
        if (!OpenScanned(input, stream, scan)) return kExitFailed;
        if (scan.recordCount == 0 && !scan.magicAccepted) return Fail(input, "holds no question that can be read");
        std::vector<QuestionRecord> records;
        int64_t skipped = 0;
        for (const FilePart& part : scan.parts) {
            if (part.damaged) {
                console_.out << input << ": skipped bytes " << part.start << " to " << part.end - 1 << " ("
                             << part.end - part.start << " bytes)\n";
                skipped += part.end - part.start;
                continue;
            }
            records.emplace_back();
            if (!ReadQuestionRecordOfSize(*stream, part.start, scan.size, records.back()))
                return Fail(input, "cannot be read at byte " + std::to_string(part.start));
        }
        if (!WriteTest(output, records, true, force)) return kExitFailed;
        console_.out << output << ": " << records.size() << " questions written, " << scan.damagedCount
                     << " damaged parts skipped (" << skipped << " bytes)\n";
        return kExitClean;
    }

    int Import(const std::string& table, const std::string& output, bool force) {
        const TableKind kind = TableKindOf(table);
        if (kind == TableKind::Unknown) return Fail(table, "a table must be a .csv, .tsv or .txt file");
        if (!MayWrite(table, output, force)) return kExitFailed;
        std::string bytes;
        if (!ReadWholeFile(table, bytes)) return Fail(table, "cannot be read");
        const QuestionTable questions = ReadQuestionTable(bytes, kind == TableKind::Tab ? '\t' : 0);
        for (const RowError& error : questions.errors) console_.err << table << ": " << DescribeRowError(error) << "\n";
        if (!questions.errors.empty()) return Fail(table, "nothing written");
        if (!WriteTest(output, questions.records, false, force)) return kExitFailed;
        console_.out << output << ": " << questions.records.size() << " questions written\n";
        return kExitClean;
    }

    int Export(const std::string& test, const std::string& table, bool force) {
        const TableKind kind = TableKindOf(table);
        if (kind == TableKind::Unknown) return Fail(table, "a table must be a .csv, .tsv or .txt file");
        if (!MayWrite(test, table, force)) return kExitFailed;
        std::unique_ptr<ByteStream> stream;
        TestFileScan scan;
        if (!OpenScanned(test, stream, scan)) return kExitFailed;
        if (!scan.magicAccepted) return Fail(test, "is not a test file (its first line is not a test's)");
        if (scan.damagedCount > 0) return Fail(test, "is damaged: salvage it first; nothing written");
        std::vector<QuestionRecord> records(scan.parts.size());
        for (size_t i = 0; i < records.size(); ++i) {
            if (!ReadQuestionRecordOfSize(*stream, scan.parts[i].start, scan.size, records[i]))
                return Fail(test, "cannot be read at byte " + std::to_string(scan.parts[i].start));
        }
        const std::string bytes = WriteQuestionTable(records, kind == TableKind::Tab ? '\t' : ',');
        if (!WriteFileReplacing(table, force, [&](ByteStream& out) { return out.Write(bytes.data(), bytes.size()); }))
            return kExitFailed;
        console_.out << table << ": " << records.size() << " questions written\n";
        return kExitClean;
    }

    // An existing output only with force, and never the input itself.
    bool MayWrite(const std::string& input, const std::string& output, bool force) {
        if (IsSameFile(input, output)) {
            Fail(output, "is the input file; choose another output");
            return false;
        }
        if (files_.Exists(output) && !force) {
            Fail(output, "exists already; add --force to replace it");
            return false;
        }
        return true;
    }

    static bool IsSameFile(const std::string& a, const std::string& b) {
        std::error_code error;
        const bool same = std::filesystem::equivalent(a, b, error);
        return error ? a == b : same;
    }

    bool ReadWholeFile(const std::string& path, std::string& bytes) {
        std::unique_ptr<ByteStream> stream = files_.Open(path, OpenMode::Read);
        const int64_t size = stream ? StreamSize(*stream) : -1;
        if (size < 0 || static_cast<uint64_t>(size) > SIZE_MAX / 2) return false;
        bytes.assign(static_cast<size_t>(size), '\0');
        return size == 0 || stream->Read(&bytes[0], bytes.size()) == bytes.size();
    }

    bool WriteTest(const std::string& path, const std::vector<QuestionRecord>& records, bool keepStatus, bool force) {
        for (const QuestionRecord& record : records) {
            if (IsWritableRecord(record)) continue;
            Fail(path, "question \"" + Shown(record.keyword) + "\" cannot be written; nothing written");
            return false;
        }
        return WriteFileReplacing(path, force, [&](ByteStream& file) {
            BatchedWriteStream out(file);
            return WriteTestFile(out, records, keepStatus ? StatusWritten::Kept : StatusWritten::Zero);
        });
    }

    // Written in full under a name beside the output first, so a failed
    // write leaves an existing output as it was.
    bool WriteFileReplacing(const std::string& path, bool force, const FileWriter& write) {
        const std::string partial = path + ".partial";
        std::unique_ptr<ByteStream> out = files_.Open(partial, OpenMode::CreateWrite);
        bool written = out && write(*out);
        written = out && out->Close() && written;
        if (written && force && files_.Exists(path)) written = files_.Remove(path);
        if (written) written = files_.Rename(partial, path);
        if (!written) {
            files_.Remove(partial);
            Fail(path, "cannot be written");
        }
        return written;
    }

    FileSystem& files_;
    ToolConsole& console_;
};

// What each command takes and which of the tool's handlers runs it.
struct CommandSpec {
    const char* name;
    const char* arguments;  // as the usage shows them
    size_t files;
    bool mayForce;  // --force replaces an existing output
    int (Tool::*handler)(const Command&);
};

const CommandSpec kCommands[] = {
    {"check", "TEST.tvt", 1, false, &Tool::RunCheck},
    {"salvage", "DAMAGED.tvt NEW.tvt", 2, true, &Tool::RunSalvage},
    {"import", "TABLE NEW.tvt", 2, true, &Tool::RunImport},
    {"export", "TEST.tvt TABLE", 2, true, &Tool::RunExport},
};

std::string Usage() {
    std::string usage;
    for (const CommandSpec& spec : kCommands) {
        usage += usage.empty() ? "usage: " : "       ";
        usage += std::string("qbtool ") + spec.name + " " + spec.arguments + (spec.mayForce ? " [--force]" : "") + "\n";
    }
    return usage + "TABLE is a .csv, .tsv or .txt file. --force replaces an existing output file.\n";
}

const CommandSpec* FindCommand(const std::string& name) {
    for (const CommandSpec& spec : kCommands)
        if (name == spec.name) return &spec;
    return nullptr;
}

// The command's entry in kCommands, or nullptr for a wrong use.
const CommandSpec* ParseCommand(const std::vector<std::string>& args, Command& command) {
    for (const std::string& arg : args) {
        if (arg == "--force")
            command.force = true;
        else if (arg.size() > 1 && arg[0] == '-')
            return nullptr;
        else if (command.name.empty())
            command.name = arg;
        else
            command.files.push_back(arg);
    }
    const CommandSpec* spec = FindCommand(command.name);
    if (!spec || command.files.size() != spec->files || (command.force && !spec->mayForce)) return nullptr;
    return spec;
}

}  // namespace

int RunQbtool(const std::vector<std::string>& args, FileSystem& files, ToolConsole& console) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "/?")) {
        console.out << Usage();
        return kExitClean;
    }
    Command command;
    const CommandSpec* spec = ParseCommand(args, command);
    if (!spec) {
        console.err << Usage();
        return kExitFailed;
    }
    try {
        Tool tool(files, console);
        return (tool.*spec->handler)(command);
    } catch (const std::bad_alloc&) {
        console.err << "qbtool: not enough memory\n";
        return kExitFailed;
    }
}

}  // namespace qb
