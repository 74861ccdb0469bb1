// Questions as table rows: one question per row, the columns in slot order
// behind the keyword. Reading checks every row the way the question dialog
// checks its fields, and collects every error before anything is written.
#pragma once
#include <string>
#include <vector>

#include "document/record.h"
#include "authoring/table_text.h"

namespace qb {

// keyword, then one column per record slot.
constexpr int kTableColumnCount = 1 + kSlotCount;

// The column's name in the header row and in messages; column 0 is the keyword.
const char* ColumnName(int column);

struct RowError {
    size_t row = 0;    // counted from 1, the header row included
    int column = -1;   // -1 for the row as a whole
    std::string what;  // e.g. "longer than 20 characters"
};

// "row 7, keyword: longer than 20 characters"
std::string DescribeRowError(const RowError& error);

struct QuestionTable {
    std::vector<QuestionRecord> records;  // Windows-1252, line breaks CR LF
    std::vector<RowError> errors;
};

// Reads a table file's bytes. separator 0 detects it (a .csv file). A first
// row whose first cell is "keyword" in any case is the header; rows without
// any text are skipped.
QuestionTable ReadQuestionTable(const std::string& bytes, char separator);

// The table file for records: a UTF-8 byte order mark, the header row and one
// row per record, all eleven columns.
std::string WriteQuestionTable(const std::vector<QuestionRecord>& records, char separator);

}  // namespace qb
