#pragma once

/// The line-level reading of table and size files, shared by the readers
/// (DataTable::parse, parseSizeList) and the author's checks, which need the
/// line numbers the parsed forms drop.

#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

#include <string>
#include <string_view>

namespace datafile {

/// Calls lineFn with each line of bytes, without its "\n" or "\r\n".
template <typename LineFn> void forEachLine(std::string_view bytes, LineFn lineFn) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lineFn(line);
        start = end + 1;
    }
}

/// The fields of one table-file line: the "//" comment removed, split at
/// every tab, the blanks around each field dropped. Empty when the line holds
/// nothing but blanks.
Vtx_StringArray tableFields(std::string_view line);

/// bytes without "/* ... */" and "// ..." comments; line ends are kept, so
/// lines keep their numbers.
std::string withoutSizeComments(std::string_view bytes);

} // namespace datafile
