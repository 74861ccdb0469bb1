#include "authoring/question_table.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "encoding/cp1252.h"

namespace qb {

namespace {

const char* const kColumnNames[kTableColumnCount] = {
    "keyword",        "question",           "right answer",     "wrong answer 1",   "wrong answer 2", "wrong answer 3",
    "wrong answer 4", "question text file", "question picture", "answer text file", "answer picture",
};

bool IsHeaderRow(const TableRow& row) {
    const std::string expected = kColumnNames[0];
    if (row.empty() || row[0].size() != expected.size()) return false;
    for (size_t i = 0; i < expected.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(row[0][i])) != expected[i]) return false;
    return true;
}

bool IsBlankRow(const TableRow& row) {
    for (const std::string& cell : row)
        if (!cell.empty()) return false;
    return true;
}

std::string CodePointName(uint32_t codePoint) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
    return name;
}

// The cell in Windows-1252, or an error naming the first character without a form.
bool CellToCp1252(const std::string& cell, TableEncoding encoding, std::string& out, std::string& error) {
    if (encoding == TableEncoding::Cp1252) {
        out = cell;
        return true;
    }
    size_t offset = 0;
    if (Utf8ToCp1252(cell, out, offset)) return true;
    uint32_t codePoint = 0;
    DecodeUtf8(cell, offset, codePoint);
    error = "the character " + CodePointName(codePoint) + " has no Windows-1252 form";
    return false;
}

bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
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

void TakeRow(const TableRow& cells, TableEncoding encoding, size_t row, QuestionTable& table) {
    const size_t errorsBefore = table.errors.size();
    QuestionRecord record;
    for (size_t column = kTableColumnCount; column < cells.size(); ++column) {
        if (cells[column].empty()) continue;
        table.errors.push_back({row, -1, "more than " + std::to_string(kTableColumnCount) + " columns"});
        break;
    }
    for (size_t column = 0; column < cells.size() && column < static_cast<size_t>(kTableColumnCount); ++column) {
        std::string& target = column == 0 ? record.keyword : record.slots[column - 1];
        std::string error;
        if (!CellToCp1252(cells[column], encoding, target, error))
            table.errors.push_back({row, static_cast<int>(column), error});
    }
    if (table.errors.size() > errorsBefore) return;
    CheckRecord(record, row, table.errors);
    if (table.errors.size() == errorsBefore) table.records.push_back(std::move(record));
}

}  // namespace

const char* ColumnName(int column) {
    return column >= 0 && column < kTableColumnCount ? kColumnNames[column] : "";
}

std::string DescribeRowError(const RowError& error) {
    std::string text = "row " + std::to_string(error.row);
    if (error.column >= 0) text += std::string(", ") + ColumnName(error.column);
    return text + ": " + error.what;
}

QuestionTable ReadQuestionTable(const std::string& bytes, char separator) {
    QuestionTable table;
    const TableText text = DecodeTableBytes(bytes);
    // About one row a line: the records are not moved again as they come.
    table.records.reserve(static_cast<size_t>(std::count(text.text.begin(), text.text.end(), '\n')));
    TableReader reader(text.text, separator != 0 ? separator : DetectSeparator(text.text));
    TableRow row;
    while (reader.Next(row)) {
        const size_t number = reader.RowsRead();
        if (IsBlankRow(row) || (number == 1 && IsHeaderRow(row))) continue;
        TakeRow(row, text.encoding, number, table);
    }
    if (reader.Unclosed()) table.errors.push_back({reader.RowsRead() + 1, -1, "a quote is never closed"});
    return table;
}

std::string WriteQuestionTable(const std::vector<QuestionRecord>& records, char separator) {
    std::string table = kUtf8ByteOrderMark;
    table += FormatTableRow(TableRow(kColumnNames, kColumnNames + kTableColumnCount), separator);
    TableRow row(kTableColumnCount);
    for (const QuestionRecord& record : records) {
        row[0] = Cp1252ToUtf8(record.keyword);
        for (int k = 0; k < kSlotCount; ++k) row[1 + k] = Cp1252ToUtf8(record.slots[k]);
        table += FormatTableRow(row, separator);
    }
    return table;
}

}  // namespace qb
