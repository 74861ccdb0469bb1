#include "qbtool/commands.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <new>

#include "authoring/question_check.h"
#include "authoring/question_table.h"
#include "authoring/salvage_scan.h"
#include "authoring/table_text.h"
#include "base/batched_write_stream.h"
#include "base/decimal.h"
#include "document/record.h"
#include "encoding/cp1252.h"
#include "webpage/page_export.h"
#include "webpage/web_page.h"

namespace qb {

namespace {

struct Command {
    std::string name;
    std::vector<std::string> files;
    bool force = false;
    bool tableOptionGiven = false;
    TableOptions table;
};

// Writes a whole file; false when a write fails or the writer reported why it stopped.
using FileWriter = std::function<bool(ByteStream& out)>;
// The next record to write; false behind the last one or when the source
// reported why it stopped.
using RecordSource = std::function<bool(QuestionRecord& record)>;

class Tool {
public:
    Tool(FileSystem& files, ToolConsole& console) : files_(files), console_(console) {}

    int RunCheck(const Command& command) { return Check(command.files[0]); }
    int RunSalvage(const Command& command) { return Salvage(command.files[0], command.files[1], command.force); }
    int RunImport(const Command& command) {
        return Import(command.files[0], command.files[1], command.table, command.force);
    }
    int RunExport(const Command& command) { return Export(command.files[0], command.files[1], command.force); }

private:
    int Fail(const std::string& path, const std::string& message) {
        console_.err << path << ": " << message << "\n";
        ++failures_;
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
        for (const Finding& finding : report.findings)
            ReportFinding(path, finding);
        console_.out << CountedNoun(report.questions, "question") << ", "
                     << CountedNoun(report.findings.size(), "finding") << "\n";
        return report.findings.empty() ? kExitClean : kExitFindings;
    }

    int Salvage(const std::string& input, const std::string& output, bool force) {
        if (!MayWrite(input, output, force)) return kExitFailed;
        std::unique_ptr<ByteStream> stream;
        TestFileScan scan;
        if (!OpenScanned(input, stream, scan)) return kExitFailed;
        if (scan.recordCount == 0 && !scan.magicAccepted) return Fail(input, "holds no question that can be read");
        int64_t skipped = 0;
        for (const FilePart& part : scan.parts) {
            if (!part.damaged) continue;
            console_.out << input << ": skipped bytes " << part.start << " to " << part.end - 1 << " ("
                         << part.end - part.start << " bytes)\n";
            skipped += part.end - part.start;
        }
        size_t next = 0;
        const RecordSource whole = [&](QuestionRecord& record) {
            while (next < scan.parts.size() && scan.parts[next].damaged) ++next;
            if (next == scan.parts.size()) return false;
            const int64_t start = scan.parts[next++].start;
            if (ReadQuestionRecordOfSize(*stream, start, scan.size, record)) return true;
            Fail(input, "cannot be read at byte " + std::to_string(start));
            return false;
        };
        if (!WriteTest(output, whole, true, force)) return kExitFailed;
        console_.out << output << ": " << CountedNoun(scan.recordCount, "question") << " written, "
                     << CountedNoun(scan.damagedCount, "damaged part") << " skipped (" << skipped << " bytes)\n";
        return kExitClean;
    }

    // Every row is checked in a first pass; only a table without errors is
    // read a second time, into the new test.
    int Import(const std::string& table, const std::string& output, const TableOptions& options, bool force) {
        if (TableKindOf(table) == TableKind::Unknown) return Fail(table, "a table must be a .csv, .tsv or .txt file");
        if (!MayWrite(table, output, force)) return kExitFailed;
        std::string bytes;
        if (!ReadWholeFile(table, bytes)) return Fail(table, "cannot be read");
        QuestionTableReader reader(std::move(bytes), options);
        const TableLayout& layout = reader.Layout();
        if (options.header == HeaderChoice::Detect && !layout.hasHeader && layout.firstRow > 0) {
            console_.out << table << ": note: row " << layout.firstRow
                         << " was read as a question, as its first cell is not \"keyword\"; --header skips it\n";
        }
        QuestionRecord record;
        while (reader.Next(record)) {}
        for (const RowError& error : reader.Errors()) console_.err << table << ": " << DescribeRowError(error) << "\n";
        if (!reader.Errors().empty()) return Fail(table, "nothing written");
        reader.Rewind();
        const RecordSource rows = [&](QuestionRecord& next) { return reader.Next(next); };
        if (!WriteTest(output, rows, false, force)) return kExitFailed;
        console_.out << output << ": " << CountedNoun(reader.QuestionsRead(), "question") << " written\n";
        return kExitClean;
    }

    void ReportFinding(const std::string& path, const Finding& finding) {
        console_.out << path << ": " << Shown(DescribeFinding(finding)) << "\n";
    }

    int Export(const std::string& test, const std::string& table, bool force) {
        const TableKind kind = TableKindOf(table);
        if (kind == TableKind::Unknown && !IsWebPageName(table))
            return Fail(table, "a table must be a .csv, .tsv or .txt file");
        if (!MayWrite(test, table, force)) return kExitFailed;
        std::unique_ptr<ByteStream> stream;
        TestFileScan scan;
        if (!OpenScanned(test, stream, scan)) return kExitFailed;
        if (!scan.magicAccepted) return Fail(test, "is not a test file (its first line is not a test's)");
        if (scan.damagedCount > 0) return Fail(test, "is damaged: salvage it first; nothing written");
        if (IsWebPageName(table)) {
            std::vector<QuestionRecord> records(scan.parts.size());
            for (size_t i = 0; i < records.size(); ++i) {
                if (!ReadQuestionRecordOfSize(*stream, scan.parts[i].start, scan.size, records[i]))
                    return Fail(test, "cannot be read at byte " + std::to_string(scan.parts[i].start));
            }
            return ExportWebPage(test, table, records, force);
        }
        const char separator = kind == TableKind::Tab ? '\t' : ',';
        const bool written = WriteFileReplacing(table, force, [&](ByteStream& file) {
            BatchedWriteStream out(file);
            const std::string header = QuestionTableHeader(separator);
            bool ok = out.Write(header.data(), header.size());
            QuestionRecord record;  // reused: its strings keep their memory from row to row
            for (size_t i = 0; ok && i < scan.parts.size(); ++i) {
                if (!ReadQuestionRecordOfSize(*stream, scan.parts[i].start, scan.size, record)) {
                    Fail(test, "cannot be read at byte " + std::to_string(scan.parts[i].start));
                    return false;
                }
                const std::string row = QuestionTableRow(record, separator);
                ok = out.Write(row.data(), row.size());
            }
            return ok && out.HandOn();
        });
        if (!written) return kExitFailed;
        console_.out << table << ": " << CountedNoun(scan.parts.size(), "question") << " written\n";
        return kExitClean;
    }

    // Missing attachments are reported as check reports them; the page is
    // written all the same and shows nothing in their place.
    int ExportWebPage(const std::string& test, const std::string& page, const std::vector<QuestionRecord>& records,
                      bool force) {
        const WebPage web = BuildWebPage(PageTitleOf(test), records, files_,
                                         [&](const std::string& name) { return FindAttachment(files_, name, test); });
        for (const PageFinding& finding : web.findings)
            ReportFinding(test, Finding{finding.question, finding.keyword, DescribePageFinding(finding)});
        if (!WriteFileReplacing(page, force,
                                [&](ByteStream& out) { return out.Write(web.html.data(), web.html.size()); }))
            return kExitFailed;
        console_.out << page << ": " << CountedNoun(records.size(), "question") << " written\n";
        return web.findings.empty() ? kExitClean : kExitFindings;
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

    // The magic line, the records and the closing empty line.
    bool WriteTest(const std::string& path, const RecordSource& next, bool keepStatus, bool force) {
        return WriteFileReplacing(path, force, [&](ByteStream& file) {
            BatchedWriteStream out(file);
            TestFileWriter test(out);
            bool ok = test.Start();
            QuestionRecord record;  // reused: its strings keep their memory from record to record
            while (ok && next(record)) {
                if (!IsWritableRecord(record)) {
                    Fail(path, "question \"" + Shown(record.keyword) + "\" cannot be written; nothing written");
                    return false;
                }
                ok = (keepStatus ? WriteQuestionRecordWithStatus(out, record) : WriteQuestionRecord(out, record)) >= 0;
                test.Counted(1);
            }
            return ok && test.Finish() && out.HandOn();
        });
    }

    // Written in full under a name beside the output first, so a failed
    // write leaves an existing output as it was.
    bool WriteFileReplacing(const std::string& path, bool force, const FileWriter& write) {
        const std::string partial = path + ".partial";
        const size_t failuresBefore = failures_;
        std::unique_ptr<ByteStream> out = files_.Open(partial, OpenMode::CreateWrite);
        bool written = out && write(*out) && failures_ == failuresBefore;
        written = out && out->Close() && written;
        if (written && force && files_.Exists(path)) written = files_.Remove(path);
        if (written) written = files_.Rename(partial, path);
        if (!written) {
            files_.Remove(partial);
            if (failures_ == failuresBefore) Fail(path, "cannot be written");
        }
        return written;
    }

    FileSystem& files_;
    ToolConsole& console_;
    size_t failures_ = 0;  // messages reported so far
};

// The value of an option by its name on the command line; false for an unknown one.
bool TakeTableOption(const std::string& option, const std::string& value, TableOptions& table) {
    static const struct {
        const char* option;
        const char* value;
        char separator;
        EncodingChoice encoding;
    } kValues[] = {
        {"--separator", "tab", '\t', EncodingChoice::Detect},
        {"--separator", "semicolon", ';', EncodingChoice::Detect},
        {"--separator", "comma", ',', EncodingChoice::Detect},
        {"--encoding", "utf-8", 0, EncodingChoice::Utf8},
        {"--encoding", "windows-1252", 0, EncodingChoice::Cp1252},
        {"--encoding", "utf-16", 0, EncodingChoice::Utf16},
    };
    for (const auto& known : kValues) {
        if (option != known.option || value != known.value) continue;
        if (known.separator != 0) table.separator = known.separator;
        if (known.encoding != EncodingChoice::Detect) table.encoding = known.encoding;
        return true;
    }
    return false;
}

// What each command takes and which of the tool's handlers runs it. A
// command may have several forms (rows of the same name); the first gives
// its rules.
struct CommandForm {
    const char* name;
    const char* arguments;  // as the usage shows them
    size_t files;
    bool mayForce;            // --force replaces an existing output
    bool takesTableOptions;   // --header, --no-header, --separator, --encoding
    int (Tool::*handler)(const Command&);
};

const CommandForm kCommands[] = {
    {"check", "TEST.tvt", 1, false, false, &Tool::RunCheck},
    {"salvage", "DAMAGED.tvt NEW.tvt", 2, true, false, &Tool::RunSalvage},
    {"import", "TABLE NEW.tvt", 2, true, true, &Tool::RunImport},
    {"export", "TEST.tvt TABLE", 2, true, false, &Tool::RunExport},
    {"export", "TEST.tvt PAGE.html", 2, true, false, &Tool::RunExport},
};

const char kTableOptionsUsage[] =
    " [--header | --no-header]\n"
    "                     [--separator tab|semicolon|comma] [--encoding utf-8|windows-1252|utf-16]";

std::string Usage() {
    std::string usage;
    for (const CommandForm& form : kCommands) {
        usage += usage.empty() ? "usage: " : "       ";
        usage += std::string("qbtool ") + form.name + " " + form.arguments + (form.mayForce ? " [--force]" : "") +
                 (form.takesTableOptions ? kTableOptionsUsage : "") + "\n";
    }
    return usage + "TABLE is a .csv, .tsv or .txt file. --force replaces an existing output file.\n";
}

const CommandForm* FindCommand(const std::string& name) {
    for (const CommandForm& form : kCommands)
        if (name == form.name) return &form;
    return nullptr;
}

// The command's entry in kCommands, or nullptr for a wrong use.
const CommandForm* ParseCommand(const std::vector<std::string>& args, Command& command) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--separator" || arg == "--encoding";
        if (arg == "--force") {
            command.force = true;
        } else if (arg == "--header" || arg == "--no-header") {
            if (command.table.header != HeaderChoice::Detect) return nullptr;
            command.table.header = arg == "--header" ? HeaderChoice::Header : HeaderChoice::NoHeader;
            command.tableOptionGiven = true;
        } else if (takesValue) {
            if (i + 1 >= args.size() || !TakeTableOption(arg, args[++i], command.table)) return nullptr;
            command.tableOptionGiven = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return nullptr;
        } else if (command.name.empty()) {
            command.name = arg;
        } else {
            command.files.push_back(arg);
        }
    }
    const CommandForm* form = FindCommand(command.name);
    if (!form || command.files.size() != form->files || (command.force && !form->mayForce) ||
        (command.tableOptionGiven && !form->takesTableOptions))
        return nullptr;
    return form;
}

}  // namespace

int RunQbtool(const std::vector<std::string>& args, FileSystem& files, ToolConsole& console) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "/?")) {
        console.out << Usage();
        return kExitClean;
    }
    Command command;
    const CommandForm* form = ParseCommand(args, command);
    if (!form) {
        console.err << Usage();
        return kExitFailed;
    }
    try {
        Tool tool(files, console);
        return (tool.*form->handler)(command);
    } catch (const std::bad_alloc&) {
        console.err << "qbtool: not enough memory\n";
        return kExitFailed;
    }
}

}  // namespace qb
