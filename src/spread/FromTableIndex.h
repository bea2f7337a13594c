#pragma once

/// The look-up index of a table as loaded: the header row, and the key
/// columns asked for, each as a hash of folded data texts (letter case of
/// Windows-1252 ignored, as sameTableText compares) to the first column or
/// row that holds the text.
///
///     FromTableIndex index(sheet);               // sheet outlives the index
///     int column = index.column("hole");         // 2 for a header "HOLE"
///     int row = index.row(1, "M20");             // built for column 1 now
///
/// The texts are read once: the index answers for the sheet as it was when
/// each part was built, so the sheet must not change (FROMTABLE keeps the
/// table as loaded, never evaluated, for this).

#include "platform/core/VtxString.h"

#include <string>
#include <unordered_map>

namespace vtx::sheet {
class SheetModel;
}

class FromTableIndex {
public:
    explicit FromTableIndex(const vtx::sheet::SheetModel& sheet);

    /// The first column 1..count whose header (row 0) data text equals
    /// header; 0 when none.
    int column(const Vtx_String& header) const;
    /// The first row 1..count whose data text in keyColumn equals key; 0
    /// when none or keyColumn is outside 1..count. The column's index is
    /// built on its first use.
    int row(int keyColumn, const Vtx_String& key);

private:
    // The first place of each text along one line of cells; an empty text
    // is also held by cells that do not exist, so its first place is kept
    // apart.
    struct Line {
        std::unordered_map<std::string, int> first;
        int firstEmpty = 0;
        int find(const Vtx_String& text) const;
    };
    Line readLine(bool header, int keyColumn) const;

    const vtx::sheet::SheetModel& m_sheet;
    Line m_header;
    std::unordered_map<int, Line> m_keyColumns;
};
