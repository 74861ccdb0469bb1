#include "authoring/question_table.h"

#include <cctype>
#include <cstdio>

#include "encoding/cp1252.h"

namespace qb {

namespace {

const char* const kColumnNames[kTableColumnCount] = {
    "keyword",        "question",           "right answer",     "wrong answer 1",   "wrong answer 2", "wrong answer 3",
    "wrong answer 4", "question text file", "question picture", "answer text file", "answer picture",
};

const char kNoQuestionsMessage[] = "the table holds no questions";

bool IsHeaderCell(const std::string& cell) {
    const std::string expected = kColumnNames[0];
    if (cell.size() != expected.size()) return false;
    for (size_t i = 0; i < expected.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(cell[i])) != expected[i]) return false;
    return true;
}

std::string CodePointName(uint32_t codePoint) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
    return name;
}

std::string ByteName(unsigned char byte) {
    char name[8];
    std::snprintf(name, sizeof name, "0x%02X", byte);
    return name;
}

// Why the UTF-8 cell cannot be read at offset.
std::string Utf8Failure(const std::string& cell, size_t offset, const TableLayout& layout) {
    uint32_t codePoint = 0;
    const size_t length = DecodeUtf8(cell, offset, codePoint);
    if (length > 0)
        return "'" + cell.substr(offset, length) + "' (" + CodePointName(codePoint) + ") has no Windows-1252 form";
    if (layout.encoding == TableEncoding::Utf16Le || layout.encoding == TableEncoding::Utf16Be)
        return "holds a UTF-16 character cut in half";
    const std::string byte = "the byte " + ByteName(static_cast<unsigned char>(cell[offset])) + " is not UTF-8";
    return layout.mixedEncodings ? byte + ", though other characters of the table are: it mixes two encodings" : byte;
}

// NUL and the control characters stand for line breaks in a stored text or
// cut it short; tab, CR and LF are the only ones a cell may hold.
size_t FindControlCharacter(const std::string& cp1252) {
    for (size_t i = 0; i < cp1252.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(cp1252[i]);
        if (c < 0x20 && c != '\t' && c != '\r' && c != '\n') return i;
    }
    return std::string::npos;
}

// The cell in Windows-1252, or an error naming the first character that cannot be taken.
bool CellToCp1252(const std::string& cell, const TableLayout& layout, std::string& out, std::string& error) {
    size_t offset = 0;
    if (layout.encoding == TableEncoding::Cp1252) {
        out = cell;
    } else if (!Utf8ToCp1252(cell, out, offset)) {
        error = Utf8Failure(cell, offset, layout);
        return false;
    }
    const size_t control = FindControlCharacter(out);
    if (control == std::string::npos) return true;
    error = "the control character " + CodePointName(static_cast<unsigned char>(out[control])) + " is not allowed";
    return false;
}

// The question dialog's rules, in its order of fields, and the format's limits.
void CheckRecord(const QuestionRecord& record, size_t row, std::vector<RowError>& errors) {
    if (record.keyword.empty()) errors.push_back({row, 0, "empty"});
    if (record.keyword.size() > kMaxKeywordLength)
        errors.push_back({row, 0, "longer than " + std::to_string(kMaxKeywordLength) + " characters"});
    if (HasLineBreak(record.keyword)) errors.push_back({row, 0, "holds a line break"});
    if (record.slots[kSlotQuestion].empty()) errors.push_back({row, 1 + kSlotQuestion, "empty"});
    if (record.slots[kSlotRightAnswer].empty()) errors.push_back({row, 1 + kSlotRightAnswer, "empty"});
    for (int k = kFirstFileSlot; k < kSlotCount; ++k) {
        const std::string& name = record.slots[k];
        if (name.size() > kMaxPathLength)
            errors.push_back({row, 1 + k, "longer than " + std::to_string(kMaxPathLength) + " characters"});
        if (HasLineBreak(name)) errors.push_back({row, 1 + k, "holds a line break"});
    }
}

}  // namespace

const char* ColumnName(int column) {
    return column >= 0 && column < kTableColumnCount ? kColumnNames[column] : "";
}

std::string DescribeRowError(const RowError& error) {
    if (error.row == 0) return error.what;
    std::string text = "row " + std::to_string(error.row);
    if (error.column >= 0) text += std::string(", ") + ColumnName(error.column);
    return text + ": " + error.what;
}

TableLayout DetectTableLayout(const TableText& decoded, const TableOptions& options) {
    const std::string_view text = decoded.View();
    TableLayout layout;
    layout.encoding = decoded.encoding;
    layout.mixedEncodings = decoded.mixed;
    layout.separator = options.separator != 0 ? options.separator : DetectSeparator(text);
    TableReader reader(text, layout.separator);
    TableRow row;
    while (reader.Next(row)) {
        if (IsBlankRow(row)) continue;
        layout.firstRow = reader.RowsRead();
        break;
    }
    const bool named = layout.firstRow > 0 && IsHeaderCell(row[0]);
    layout.hasHeader = options.header == HeaderChoice::Header || (options.header == HeaderChoice::Detect && named);
    return layout;
}

QuestionTableReader::QuestionTableReader(std::string bytes, const TableOptions& options)
    : text_(DecodeTableBytes(std::move(bytes), options.encoding)),
      layout_(DetectTableLayout(text_, options)),
      rows_(text_.View(), layout_.separator) {}

void QuestionTableReader::Rewind() {
    rows_ = TableReader(text_.View(), layout_.separator);
    errors_.clear();
    questionsRead_ = 0;
    endReached_ = false;
}

bool QuestionTableReader::Next(QuestionRecord& record) {
    TableRow& row = row_;
    while (rows_.Next(row)) {
        const size_t number = rows_.RowsRead();
        if (IsBlankRow(row) || (number == layout_.firstRow && layout_.hasHeader)) continue;
        if (!TakeRow(row, number, record)) continue;
        ++questionsRead_;
        return true;
    }
    if (rows_.Unclosed() && !endReached_) errors_.push_back({rows_.RowsRead() + 1, -1, "a quote is never closed"});
    if (questionsRead_ == 0 && errors_.empty()) errors_.push_back({0, -1, kNoQuestionsMessage});
    endReached_ = true;
    return false;
}

bool QuestionTableReader::TakeRow(const TableRow& cells, size_t row, QuestionRecord& record) {
    const size_t errorsBefore = errors_.size();
    // Cleared, not replaced: the strings keep their memory from row to row.
    record.keyword.clear();
    for (std::string& slot : record.slots) slot.clear();
    record.status = 0;
    for (size_t column = kTableColumnCount; column < cells.size(); ++column) {
        if (cells[column].empty()) continue;
        errors_.push_back({row, -1, "more than " + std::to_string(kTableColumnCount) + " columns"});
        break;
    }
    for (size_t column = 0; column < cells.size() && column < static_cast<size_t>(kTableColumnCount); ++column) {
        std::string& target = column == 0 ? record.keyword : record.slots[column - 1];
        std::string error;
        if (!CellToCp1252(cells[column], layout_, target, error))
            errors_.push_back({row, static_cast<int>(column), error});
    }
    if (errors_.size() > errorsBefore) return false;
    CheckRecord(record, row, errors_);
    return errors_.size() == errorsBefore;
}

QuestionTable ReadQuestionTable(const std::string& bytes, const TableOptions& options) {
    QuestionTableReader reader(bytes, options);
    QuestionTable table;
    table.layout = reader.Layout();
    QuestionRecord record;
    while (reader.Next(record)) table.records.push_back(record);
    table.errors = reader.Errors();
    return table;
}

ImportPreview PreviewQuestionTable(std::string bytes, const TableOptions& options, size_t rowsShown) {
    const TableText text = DecodeTableBytes(std::move(bytes), options.encoding);
    ImportPreview preview;
    preview.layout = DetectTableLayout(text, options);
    TableReader reader(text.View(), preview.layout.separator);
    TableRow row;
    while (preview.rows.size() < rowsShown && reader.Next(row)) {
        const size_t number = reader.RowsRead();
        if (IsBlankRow(row) || (number == preview.layout.firstRow && preview.layout.hasHeader)) continue;
        row.resize(kTableColumnCount);
        if (text.encoding == TableEncoding::Cp1252)
            for (std::string& cell : row) cell = Cp1252ToUtf8(cell);
        preview.rowNumbers.push_back(number);
        preview.rows.push_back(row);
    }
    return preview;
}

std::string QuestionTableHeader(char separator) {
    return kUtf8ByteOrderMark + FormatTableRow(TableRow(kColumnNames, kColumnNames + kTableColumnCount), separator);
}

std::string QuestionTableRow(const QuestionRecord& record, char separator) {
    TableRow row(kTableColumnCount);
    row[0] = Cp1252ToUtf8(record.keyword);
    for (int k = 0; k < kSlotCount; ++k) row[1 + k] = Cp1252ToUtf8(record.slots[k]);
    return FormatTableRow(row, separator);
}

std::string WriteQuestionTable(const std::vector<QuestionRecord>& records, char separator) {
    std::string table = QuestionTableHeader(separator);
    for (const QuestionRecord& record : records) table += QuestionTableRow(record, separator);
    return table;
}

bool WriteOpenTestTable(TestDocument& document, ByteStream& out, char separator) {
    constexpr size_t kBlockBytes = 64 * 1024;
    std::string block = QuestionTableHeader(separator);
    QuestionRecord record;  // reused: its strings keep their memory from row to row
    for (const QuestionNode* node = document.head; node; node = node->next) {
        if (!ReadNodeRecord(document, *node, record)) return false;
        block += QuestionTableRow(record, separator);
        if (block.size() < kBlockBytes) continue;
        if (!out.Write(block.data(), block.size())) return false;
        block.clear();
    }
    return out.Write(block.data(), block.size()) && out.Flush();
}

}  // namespace qb
