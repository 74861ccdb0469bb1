// Tables as spreadsheets write them: CSV or tab-separated text, one row per
// line, cells in double quotes where they hold a separator, a quote or a
// line break, a quote inside such a cell doubled.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace qb {

using TableRow = std::vector<std::string>;

enum class TableKind {
    Unknown,
    Csv,  // .csv: a comma on writing
    Tab,  // .tsv and .txt: a tab on writing
};

// A row without any text: skipped wherever rows are read.
bool IsBlankRow(const TableRow& row);

// By the file name's extension, in any case.
TableKind TableKindOf(const std::string& path);

// The separators in the order a tie between them is decided.
constexpr char kSeparators[] = {'\t', ';', ','};

// How many of the first non-empty rows the separator is detected from.
constexpr size_t kSeparatorSampleRows = 20;

// The separator that splits the first up to 20 non-empty rows (outside
// quotes) into the same number of columns, at least three; on a tie tab, then
// semicolon, then comma. When none does, the one that splits the first
// non-empty row into the most columns, and a comma when none splits it.
char DetectSeparator(std::string_view text);

enum class TableEncoding { Utf8, Cp1252, Utf16Le, Utf16Be };

// The encoding a reader is told to use instead of detecting it. Utf16 is
// little-endian unless a byte order mark says otherwise.
enum class EncodingChoice { Detect, Utf8, Cp1252, Utf16 };

// The text of a table file, its byte order mark dropped. Detected: a UTF-8
// mark means UTF-8, a UTF-16 mark UTF-16 of its byte order; without a mark,
// valid UTF-8 is UTF-8, text that holds valid multi-byte UTF-8 and also
// bytes that are not UTF-8 is taken as UTF-8 and marked mixed (so those bytes
// are reported), and anything else is Windows-1252. UTF-16 is converted to
// UTF-8; for the others the text is the file's own bytes from textStart on.
struct TableText {
    std::string text;
    size_t textStart = 0;
    TableEncoding encoding = TableEncoding::Utf8;
    bool mixed = false;

    std::string_view View() const { return std::string_view(text).substr(textStart); }
};
TableText DecodeTableBytes(std::string bytes, EncodingChoice choice = EncodingChoice::Detect);

// Reads a table row by row. A line break inside quotes (CR LF, LF or a lone
// CR) stays in its cell as CR LF; a quote inside a cell's text is kept as it is.
class TableReader {
public:
    TableReader(std::string_view text, char separator) : text_(text), separator_(separator) {}
    // The next row; false at the end of the text or at a quote never closed.
    bool Next(TableRow& row);
    bool Unclosed() const { return unclosed_; }
    size_t RowsRead() const { return rowsRead_; }

private:
    // The quoted part of a cell, behind its opening quote, up to its closing one.
    bool TakeQuoted(std::string& cell);

    std::string_view text_;
    char separator_;
    size_t at_ = 0;
    size_t rowsRead_ = 0;
    bool unclosed_ = false;
};

// One row with its CR LF, each cell quoted when it needs to be.
std::string FormatTableRow(const TableRow& cells, char separator);

constexpr const char* kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* kUtf16LeByteOrderMark = "\xFF\xFE";
constexpr const char* kUtf16BeByteOrderMark = "\xFE\xFF";

}  // namespace qb
