#include "authoring/table_text.h"

#include <cctype>
#include <string>

#include "base/paths.h"
#include "encoding/cp1252.h"

namespace qb {

namespace {

bool NeedsQuotes(const std::string& cell, char separator) {
    for (char c : cell)
        if (c == separator || c == '"' || c == '\r' || c == '\n') return true;
    return false;
}

bool StartsWith(const std::string& bytes, const char* mark) {
    return bytes.compare(0, std::char_traits<char>::length(mark), mark) == 0;
}

}  // namespace

TableKind TableKindOf(const std::string& path) {
    if (HasExtension(path, ".csv")) return TableKind::Csv;
    if (HasExtension(path, ".tsv") || HasExtension(path, ".txt")) return TableKind::Tab;
    return TableKind::Unknown;
}

bool IsBlankRow(const TableRow& row) {
    for (const std::string& cell : row)
        if (!cell.empty()) return false;
    return true;
}

char DetectSeparator(std::string_view text) {
    char widest = ',';
    size_t widestColumns = 1;
    for (char separator : kSeparators) {
        TableReader reader(text, separator);
        TableRow row;
        size_t columns = 0;
        size_t rows = 0;
        bool same = true;
        while (rows < kSeparatorSampleRows && reader.Next(row)) {
            if (IsBlankRow(row)) continue;
            if (rows == 0 && row.size() > widestColumns) {
                widest = separator;
                widestColumns = row.size();
            }
            same = same && (rows == 0 || row.size() == columns);
            columns = row.size();
            ++rows;
        }
        if (rows > 0 && same && columns >= 3) return separator;
    }
    return widest;
}

TableText DecodeTableBytes(std::string bytes, EncodingChoice choice) {
    TableText table;
    const bool utf8Mark = StartsWith(bytes, kUtf8ByteOrderMark);
    const bool bigEndianMark = StartsWith(bytes, kUtf16BeByteOrderMark);
    const bool utf16Mark = StartsWith(bytes, kUtf16LeByteOrderMark) || bigEndianMark;
    if (choice == EncodingChoice::Utf16 || (choice == EncodingChoice::Detect && utf16Mark)) {
        table.encoding = bigEndianMark ? TableEncoding::Utf16Be : TableEncoding::Utf16Le;
        table.text = Utf16ToUtf8(bytes, utf16Mark ? 2 : 0, bigEndianMark);
        return table;
    }
    table.text = std::move(bytes);
    table.textStart = utf8Mark ? 3 : 0;  // never text, whatever encoding is chosen
    if (choice == EncodingChoice::Cp1252) {
        table.encoding = TableEncoding::Cp1252;
        return table;
    }
    if (choice == EncodingChoice::Utf8 || utf8Mark) return table;
    Utf8Scan scan = ScanUtf8(table.text);
    if (scan.firstInvalid == std::string::npos) return table;
    // Valid UTF-8 anywhere, also behind bad bytes, makes the text mixed.
    while (!scan.multiByteSeen && scan.firstInvalid != std::string::npos)
        scan = ScanUtf8(table.text, scan.firstInvalid + 1);
    table.mixed = scan.multiByteSeen;
    if (!table.mixed) table.encoding = TableEncoding::Cp1252;
    return table;
}

bool TableReader::Next(TableRow& row) {
    if (at_ >= text_.size() || unclosed_) {
        row.clear();
        return false;
    }
    // The row's cells are overwritten, not replaced: their strings keep
    // their memory from row to row.
    size_t cells = 0;
    const auto nextCell = [&]() -> std::string& {
        if (cells == row.size()) row.emplace_back();
        std::string& cell = row[cells++];
        cell.clear();
        return cell;
    };
    std::string* cell = &nextCell();
    bool cellStarted = false;
    while (at_ < text_.size()) {
        const char c = text_[at_];
        if (c == '"' && !cellStarted) {
            ++at_;
            cellStarted = true;
            if (!TakeQuoted(*cell)) {
                unclosed_ = true;
                row.clear();
                return false;
            }
        } else if (c == separator_) {
            ++at_;
            cell = &nextCell();
            cellStarted = false;
        } else if (c == '\r' || c == '\n') {
            at_ += c == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n' ? 2 : 1;
            break;
        } else {
            size_t end = at_ + 1;
            while (end < text_.size() && text_[end] != separator_ && text_[end] != '\r' && text_[end] != '\n') ++end;
            cell->append(text_.data() + at_, end - at_);
            cellStarted = true;
            at_ = end;
        }
    }
    row.resize(cells);
    ++rowsRead_;
    return true;
}

bool TableReader::TakeQuoted(std::string& cell) {
    while (at_ < text_.size()) {
        size_t end = at_;
        while (end < text_.size() && text_[end] != '"' && text_[end] != '\r' && text_[end] != '\n') ++end;
        cell.append(text_.data() + at_, end - at_);
        at_ = end;
        if (at_ == text_.size()) break;
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
