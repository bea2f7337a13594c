// The table-file and size-file formats (docs/data-files.md).

#include "standards/DataFileText.h"
#include "standards/DataFiles.h"

#include "platform/core/StringUtils.h"
#include "standards/StandardsFunctionArgs.h"

namespace {

/// The key of the index: the text with Windows-1252 letters folded, as
/// Vtx_String::equal folds them with its case flag off.
std::string foldedKey(const Vtx_String& key) {
    return key.lower().str();
}

} // namespace

DataTable DataTable::parse(std::string_view bytes) {
    DataTable table;
    int lineNumber = 0;
    datafile::forEachLine(bytes, [&table, &lineNumber](std::string_view line) {
        ++lineNumber;
        Vtx_StringArray fields = datafile::tableFields(line);
        if (fields.isEmpty())
            return;
        const int row = static_cast<int>(table.m_rows.size());
        table.m_index.emplace(foldedKey(fields[0]), row);
        table.m_rows.push_back(std::move(fields));
        table.m_lines.push_back(lineNumber);
    });
    return table;
}

int DataTable::find(const Vtx_String& key) const {
    const auto it = m_index.find(foldedKey(key));
    return it == m_index.end() ? -1 : it->second;
}

SizeList parseSizeList(std::string_view bytes) {
    SizeList sizes;
    const std::string text = datafile::withoutSizeComments(bytes);
    datafile::forEachLine(text, [&sizes](std::string_view line) {
        const Vtx_String trimmed = Vtx_String(line).trimmed();
        if (trimmed.isEmpty())
            return;
        SizeEntry entry;
        const int x = trimmed.find('x');
        if (x < 0) {
            entry.first = decimalReading(trimmed);
        } else {
            entry.first = decimalReading(trimmed.left(x));
            entry.second = decimalReading(trimmed.mid(x + 1));
        }
        sizes.push_back(entry);
    });
    return sizes;
}

Vtx_StringArray datafile::tableFields(std::string_view line) {
    if (const std::size_t comment = line.find("//"); comment != std::string_view::npos)
        line = line.substr(0, comment);
    // Every tab separates two fields, so "A\t\tx" has an empty second
    // field; only the blanks around a field are dropped.
    Vtx_StringArray pieces;
    splitStringAtSymbol(Vtx_String(line), '\t', pieces, false);
    Vtx_StringArray fields;
    bool blank = true;
    for (const Vtx_String& piece : pieces) {
        fields.append(stripSymbols(piece, " "));
        blank = blank && fields.last().isEmpty();
    }
    if (blank)
        fields.removeAll();
    return fields;
}

// bytes without "/* ... */" and "// ..." comments; line ends are kept so
// that a comment spanning lines leaves the lines around it apart.
std::string datafile::withoutSizeComments(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (bytes.compare(i, 2, "/*") == 0) {
            const std::size_t close = bytes.find("*/", i + 2);
            const std::size_t end = close == std::string_view::npos ? bytes.size() : close + 2;
            for (std::size_t k = i; k < end; ++k)
                if (bytes[k] == '\n')
                    out += '\n';
            i = end;
        } else if (bytes.compare(i, 2, "//") == 0) {
            const std::size_t lineEnd = bytes.find('\n', i);
            i = lineEnd == std::string_view::npos ? bytes.size() : lineEnd;
        } else {
            out += bytes[i++];
        }
    }
    return out;
}
