// Table files (docs/table-file-format.md): one row per line, cells separated
// by tabs, with backslash escapes so that every byte of a cell survives.

#include "platform/core/Files.h"
#include "platform/core/SectionTables.h"
#include "platform/core/TextEscapes.h"

#include <string>

namespace {

constexpr std::string_view kHeader = "vtx-table";
constexpr int kVersion = 1;

Vtx_String fileReason(const Vtx_String& path, int line, const std::string& text) {
    return Vtx_String(path.str() + ": line " + std::to_string(line) + ": " + text);
}

/// The file name without folder and extension.
Vtx_String baseName(const Vtx_String& path) {
    const std::string& text = path.str();
    std::size_t slash = text.find_last_of("\\/");
    std::string name = slash == std::string::npos ? text : text.substr(slash + 1);
    std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return Vtx_String(std::move(name));
}

/// A byte as it may appear in a message: itself when printable, else "x" and
/// two hex digits.
std::string printable(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F)
        return std::string(1, c);
    constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("x") + kHex[byte >> 4] + kHex[byte & 0xF];
}

/// Splits one line into cells, undoing the escapes; false with a message
/// on a bad escape.
bool parseLine(std::string_view line, Vtx_StringArray& cells, std::string& message) {
    cells.removeAll();
    if (line.empty())
        return true;
    std::string cell;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            cells.append(Vtx_String(std::move(cell)));
            cell.clear();
            continue;
        }
        if (c != '\\') {
            cell += c;
            continue;
        }
        if (++i == line.size()) {
            message = "a backslash ends the line (write \\\\ for a backslash)";
            return false;
        }
        if (line[i] == 'e') // an empty text, so that one empty cell is not an empty row
            continue;
        const std::size_t used = decodeEscape(line, i, kEscapeReturn, cell);
        if (used == 0) {
            message = "unknown escape \\" + printable(line[i]) + " in column " +
                      std::to_string(cells.length() + 1);
            return false;
        }
        i += used - 1;
    }
    cells.append(Vtx_String(std::move(cell)));
    return true;
}

} // namespace

ErrorStatus readFile(const Vtx_String& path, Vtx_String& tableName,
                     Vtx_Array<Vtx_StringArray>& rows, Vtx_String* reason) {
    rows.removeAll();
    std::string bytes;
    Vtx_String readReason;
    if (ErrorStatus status = readFileBytes(path, bytes, &readReason); status != eOk) {
        if (reason)
            *reason = readReason;
        return status;
    }
    auto failure = [&](ErrorStatus status, int line, const std::string& text) {
        rows.removeAll();
        if (reason)
            *reason = fileReason(path, line, text);
        return status;
    };
    std::size_t start = 0;
    int lineNumber = 0;
    Vtx_StringArray cells;
    std::string message;
    while (start < bytes.size()) {
        ++lineNumber;
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos)
            end = bytes.size();
        if (end > start && bytes[end - 1] == '\r')
            --end;
        if (end - start > static_cast<std::size_t>(kMaxLineLength))
            return failure(eLimitExceeded, lineNumber,
                           "line longer than " + std::to_string(kMaxLineLength) + " bytes");
        const std::string_view line(bytes.data() + start, end - start);
        start = next;
        if (lineNumber == 1) {
            if (line.substr(0, kHeader.size() + 1) != std::string(kHeader) + " ")
                return failure(eBadFileFormat, 1, "not a table file (no \"vtx-table\" header)");
            if (line.substr(kHeader.size() + 1) != std::to_string(kVersion))
                return failure(eBadFileFormat, 1,
                               "table file version " +
                                   std::string(line.substr(kHeader.size() + 1)) +
                                   " is not supported; this program reads version " +
                                   std::to_string(kVersion));
            continue;
        }
        if (!parseLine(line, cells, message))
            return failure(eBadFileFormat, lineNumber, message);
        rows.append(cells);
    }
    if (lineNumber == 0)
        return failure(eBadFileFormat, 1, "empty file (no \"vtx-table\" header)");
    tableName = baseName(path);
    return eOk;
}

ErrorStatus writeFile(const Vtx_String& path, const Vtx_Array<Vtx_StringArray>& rows) {
    std::string text = std::string(kHeader) + " " + std::to_string(kVersion) + "\n";
    for (const Vtx_StringArray& row : rows) {
        if (row.length() == 1 && row[0].isEmpty()) {
            // One empty cell must differ from a row without cells.
            text += "\\e";
        } else {
            for (int i = 0; i < row.length(); ++i) {
                if (i > 0)
                    text += '\t';
                appendEscaped(text, row[i].view(), kEscapeReturn);
            }
        }
        text += '\n';
    }
    return writeFileAtomically(path, text);
}
