// Questions as table rows: one question per row, the columns in slot order
// behind the keyword. Reading checks every row the way the question dialog
// checks its fields, and collects every error before anything is written.
#pragma once
#include <string>
#include <vector>

#include "authoring/table_text.h"
#include "base/byte_stream.h"
#include "document/document.h"
#include "document/record.h"

namespace qb {

// keyword, then one column per record slot.
constexpr int kTableColumnCount = 1 + kSlotCount;

// The column's name in the header row and in messages; column 0 is the keyword.
const char* ColumnName(int column);

struct RowError {
    size_t row = 0;    // counted from 1, empty rows and the header row included; 0 for the whole table
    int column = -1;   // -1 for the row as a whole
    std::string what;  // UTF-8, e.g. "'ł' (U+0142) has no Windows-1252 form"
};

// "row 7, keyword: longer than 20 characters"; the text alone for the whole table.
std::string DescribeRowError(const RowError& error);

enum class HeaderChoice { Detect, Header, NoHeader };

// What the reader is told instead of detecting it; a separator of 0 is detected.
struct TableOptions {
    EncodingChoice encoding = EncodingChoice::Detect;
    char separator = 0;
    HeaderChoice header = HeaderChoice::Detect;
};

// How a table is read: given or detected. The first row that is not empty
// is the header when its first cell is "keyword" in any case, or when told.
struct TableLayout {
    TableEncoding encoding = TableEncoding::Utf8;
    bool mixedEncodings = false;
    char separator = ',';
    bool hasHeader = false;
    size_t firstRow = 0;  // the first row that is not empty; 0 when there is none
};

// How the text will be read: options given, the rest detected.
TableLayout DetectTableLayout(const TableText& text, const TableOptions& options);

// Reads the question rows of a table one after another, keeping no more of
// them than the row at hand: a table of a million questions costs its bytes.
class QuestionTableReader {
public:
    explicit QuestionTableReader(std::string bytes, const TableOptions& options = {});
    // The row reader looks into the text it holds.
    QuestionTableReader(const QuestionTableReader&) = delete;
    QuestionTableReader& operator=(const QuestionTableReader&) = delete;

    const TableLayout& Layout() const { return layout_; }

    // The next row that makes a question, as the question dialog would make
    // it (Windows-1252, line breaks CR LF); rows with errors are skipped and
    // their errors collected. False behind the last row; a table without
    // errors and without questions then has one: "the table holds no questions".
    bool Next(QuestionRecord& record);
    const std::vector<RowError>& Errors() const { return errors_; }
    size_t QuestionsRead() const { return questionsRead_; }

    // Back to the first row, with no errors and no questions read.
    void Rewind();

private:
    bool TakeRow(const TableRow& cells, size_t row, QuestionRecord& record);

    TableText text_;
    TableLayout layout_;
    TableReader rows_;
    TableRow row_;  // the row at hand
    std::vector<RowError> errors_;
    size_t questionsRead_ = 0;
    bool endReached_ = false;
};

struct QuestionTable {
    TableLayout layout;
    std::vector<QuestionRecord> records;
    std::vector<RowError> errors;
};

// The whole table at once, for tables known to be small.
QuestionTable ReadQuestionTable(const std::string& bytes, const TableOptions& options = {});

// What the import dialog shows before anything is imported: how the table
// is read, and its first question rows as they stand in the table (no
// header, no empty rows), cut or filled to the question columns, in UTF-8.
constexpr size_t kPreviewRows = 20;
struct ImportPreview {
    TableLayout layout;
    std::vector<size_t> rowNumbers;  // counted as RowError counts them
    std::vector<TableRow> rows;
};
ImportPreview PreviewQuestionTable(std::string bytes, const TableOptions& options, size_t rowsShown = kPreviewRows);

// The table file's first bytes: a UTF-8 byte order mark and the header row.
std::string QuestionTableHeader(char separator);
// One record's row, in UTF-8.
std::string QuestionTableRow(const QuestionRecord& record, char separator);

// The header and one row per record, all eleven columns.
std::string WriteQuestionTable(const std::vector<QuestionRecord>& records, char separator);

// The header and one row per question of the open test, in index order,
// each read where its node points (the change journal's records included):
// the bytes a table exported from the saved test holds. Written in blocks, so
// a long test costs one block. False when a record cannot be read or a
// write fails.
bool WriteOpenTestTable(TestDocument& document, ByteStream& out, char separator);

}  // namespace qb
