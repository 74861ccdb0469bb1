#include "authoring/table_text.h"

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

bool TableReader::Next(TableRow& row) {
    row.clear();
    if (at_ >= text_.size() || unclosed_) return false;
    std::string cell;
    bool cellStarted = false;
    while (at_ < text_.size()) {
        const char c = text_[at_];
        if (c == '"' && !cellStarted) {
            ++at_;
            cellStarted = true;
            if (!TakeQuoted(cell)) {
                unclosed_ = true;
                return false;
            }
        } else if (c == separator_) {
            ++at_;
            row.push_back(std::move(cell));
            cell.clear();
            cellStarted = false;
        } else if (c == '\r' || c == '\n') {
            at_ += c == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n' ? 2 : 1;
            break;
        } else {
            cell.push_back(c);
            cellStarted = true;
            ++at_;
        }
    }
    row.push_back(std::move(cell));
    ++rowsRead_;
    return true;
}

bool TableReader::TakeQuoted(std::string& cell) {
    while (at_ < text_.size()) {
        const char c = text_[at_++];
        if (c == '"') {
            if (at_ >= text_.size() || text_[at_] != '"') return true;
            ++at_;  // a doubled quote stands for one
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && at_ < text_.size() && text_[at_] == '\n') ++at_;
            cell += "\r\n";
            continue;
        }
        cell.push_back(c);
    }
    return false;
}

bool ParseTable(const std::string& text, char separator, std::vector<TableRow>& rows, size_t& unclosedRow) {
    rows.clear();
    TableReader reader(text, separator);
    TableRow row;
    while (reader.Next(row)) rows.push_back(row);
    if (reader.Unclosed()) unclosedRow = reader.RowsRead() + 1;
    return !reader.Unclosed();
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
