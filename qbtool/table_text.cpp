#include "qbtool/table_text.h"

#include <cctype>

#include "encoding/cp1252.h"

namespace qb {

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size()) return false;
    for (size_t i = 0; i < tail.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[text.size() - tail.size() + i]);
        if (std::tolower(c) != tail[i]) return false;
    }
    return true;
}

// Reads the table cell by cell, keeping its place between calls.
class TableParser {
public:
    TableParser(const std::string& text, char separator) : text_(text), separator_(separator) {}

    bool Parse(std::vector<TableRow>& rows, size_t& unclosedRow) {
        TableRow row;
        std::string cell;
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '"' && cell.empty() && !cellStarted_) {
                ++at_;
                if (!TakeQuoted(cell)) {
                    unclosedRow = rows.size() + 1;
                    return false;
                }
                cellStarted_ = true;
            } else if (c == separator_) {
                ++at_;
                EndCell(row, cell);
            } else if (c == '\r' || c == '\n') {
                at_ += c == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n' ? 2 : 1;
                EndCell(row, cell);
                rows.push_back(std::move(row));
                row.clear();
            } else {
                cell.push_back(c);
                cellStarted_ = true;
                ++at_;
            }
        }
        // A last row without its line end still counts.
        if (cellStarted_ || !row.empty()) {
            EndCell(row, cell);
            rows.push_back(std::move(row));
        }
        return true;
    }

private:
    void EndCell(TableRow& row, std::string& cell) {
        row.push_back(std::move(cell));
        cell.clear();
        cellStarted_ = false;
    }

    // The quoted part of a cell, up to its closing quote; a doubled quote is one.
    bool TakeQuoted(std::string& cell) {
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"') {
                if (at_ < text_.size() && text_[at_] == '"') {
                    cell.push_back('"');
                    ++at_;
                    continue;
                }
                return true;
            }
            if (c == '\r' || c == '\n') {
                if (c == '\r' && at_ < text_.size() && text_[at_] == '\n') ++at_;
                cell += "\r\n";
                continue;
            }
            cell.push_back(c);
        }
        return false;
    }

    const std::string& text_;
    const char separator_;
    size_t at_ = 0;
    bool cellStarted_ = false;
};

bool NeedsQuotes(const std::string& cell, char separator) {
    for (char c : cell)
        if (c == separator || c == '"' || c == '\r' || c == '\n') return true;
    return false;
}

}  // namespace

TableKind TableKindOf(const std::string& path) {
    if (EndsWithNoCase(path, ".csv")) return TableKind::Csv;
    if (EndsWithNoCase(path, ".tsv") || EndsWithNoCase(path, ".txt")) return TableKind::Tab;
    return TableKind::Unknown;
}

char DetectSeparator(const std::string& text) {
    bool seen[3] = {false, false, false};
    const char candidates[3] = {'\t', ';', ','};
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;  // a doubled quote toggles twice
        if (quoted) continue;
        if (c == '\r' || c == '\n') break;
        for (int i = 0; i < 3; ++i)
            if (c == candidates[i]) seen[i] = true;
    }
    for (int i = 0; i < 3; ++i)
        if (seen[i]) return candidates[i];
    return ',';
}

TableText DecodeTableBytes(const std::string& bytes) {
    TableText table;
    const std::string bom = kUtf8ByteOrderMark;
    const bool hasMark = bytes.compare(0, bom.size(), bom) == 0;
    table.text = hasMark ? bytes.substr(bom.size()) : bytes;
    table.encoding = IsValidUtf8(table.text) ? TableEncoding::Utf8 : TableEncoding::Cp1252;
    return table;
}

bool ParseTable(const std::string& text, char separator, std::vector<TableRow>& rows, size_t& unclosedRow) {
    rows.clear();
    TableParser parser(text, separator);
    return parser.Parse(rows, unclosedRow);
}

std::string FormatTableRow(const TableRow& cells, char separator) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line.push_back(separator);
        const std::string& cell = cells[i];
        if (!NeedsQuotes(cell, separator)) {
            line += cell;
            continue;
        }
        line.push_back('"');
        for (char c : cell) {
            if (c == '"') line.push_back('"');
            line.push_back(c);
        }
        line.push_back('"');
    }
    return line + "\r\n";
}

}  // namespace qb
