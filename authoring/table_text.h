// Tables as spreadsheets write them: CSV or tab-separated text, one row per
// line, cells in double quotes where they hold a separator, a quote or a
// line break, a quote inside such a cell doubled.
#pragma once
#include <string>
#include <vector>

namespace qb {

using TableRow = std::vector<std::string>;

enum class TableKind {
    Unknown,
    Csv,  // .csv: the separator is detected on reading, a comma on writing
    Tab,  // .tsv and .txt
};

// By the file name's extension, in any case.
TableKind TableKindOf(const std::string& path);

// Tab, semicolon or comma, in this order the first that occurs outside quotes
// in the first row; a comma when none does (a table of one column).
char DetectSeparator(const std::string& text);

enum class TableEncoding { Utf8, Cp1252 };

// The text of a table file: a UTF-8 byte order mark is dropped; bytes that are
// not valid UTF-8 are taken as Windows-1252.
struct TableText {
    std::string text;
    TableEncoding encoding = TableEncoding::Utf8;
};
TableText DecodeTableBytes(const std::string& bytes);

// Reads a table row by row. A line break inside quotes (CR LF, LF or a lone
// CR) stays in its cell as CR LF; a quote inside a cell's text is kept as it is.
class TableReader {
public:
    TableReader(const std::string& text, char separator) : text_(text), separator_(separator) {}
    // The next row; false at the end of the text or at a quote never closed.
    bool Next(TableRow& row);
    bool Unclosed() const { return unclosed_; }
    size_t RowsRead() const { return rowsRead_; }

private:
    // The quoted part of a cell, behind its opening quote, up to its closing one.
    bool TakeQuoted(std::string& cell);

    const std::string& text_;
    const char separator_;
    size_t at_ = 0;
    size_t rowsRead_ = 0;
    bool unclosed_ = false;
};

// Splits text into rows of cells. A line break inside quotes (CR LF, LF or a
// lone CR) stays in its cell as CR LF. False when the last quote is never
// closed; unclosedRow is then its row, counted from 1.
bool ParseTable(const std::string& text, char separator, std::vector<TableRow>& rows, size_t& unclosedRow);

// One row with its CR LF, each cell quoted when it needs to be.
std::string FormatTableRow(const TableRow& cells, char separator);

constexpr const char* kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace qb
