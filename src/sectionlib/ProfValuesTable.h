#pragma once

/// Vtx_ProfValuesTable: the values table of one family of sections, as the
/// section library holds it in "prof\\<table name>.pr" (layout in
/// docs/section-tables.md). It reads and writes the table file, edits rows
/// and names, moves the table to and from a grid and registers it with the
/// core library's section-table registry.
///
///     Vtx_ProfValuesTable table;
///     Vtx_String reason;
///     if (!table.readFromFile("HEA", &reason))
///         report(reason);                  // names the file and line
///     table.insertRow(table.rows.length() - 1);   // a new last section
///     table.writeToFile("HEA", &reason);
///     table.setToGlobals(&sectionTableManager());
///
/// Columns by position: 0 the system name ("SysName", unique in the table),
/// 1 the in-use flag ("I/O", "1" or "0"), 2 to 1+L the user names per
/// language (L = getNrLanguages()), then the value columns. Row and column
/// indexes count from 0. Failures leave the table as it was.

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

class Vtx_Spread;
class Vtx_SectionTableManager;

/// The position of the in-use flag and of the first language column.
constexpr int kProfInUseColumn = 1;
constexpr int kProfFirstLanguageColumn = 2;

class VTX_MODULE_API Vtx_ProfValuesTable {
public:
    Vtx_ProfValuesTable() = default;
    virtual ~Vtx_ProfValuesTable() = default;
    Vtx_ProfValuesTable(const Vtx_ProfValuesTable&) = default;
    Vtx_ProfValuesTable& operator=(const Vtx_ProfValuesTable&) = default;

    // ---- files ----
    /// The table file of name: libDir + "prof\\" + name, with ".pr" added
    /// unless name ends in it (case ignored).
    static Vtx_String filePath(const Vtx_String& name);
    /// Reads the table file of name: row 1 the template, row 2 the columns,
    /// the rest the sections; tableName is the file's base name. The whole
    /// table is replaced only on success; on failure reason (when given)
    /// names the file and, for bad content, the line.
    bool readFromFile(const Vtx_String& name, Vtx_String* reason = nullptr);
    /// Writes the table to the table file of name, whole or not at all. A
    /// missing "prof" folder, a read-only file or a failed write is false
    /// with a reason.
    bool writeToFile(const Vtx_String& name, Vtx_String* reason = nullptr) const;
    /// The rows of the table file: the template, the columns, the sections.
    Vtx_Array<Vtx_StringArray> fileRows() const;
    /// The table from the rows of a table file (as fileRows gives them);
    /// false, table unchanged, when there is no template row.
    bool setFromFileRows(const Vtx_String& name, const Vtx_Array<Vtx_StringArray>& fileRows);

    // ---- columns and rows ----
    /// Cell c of every row (empty for a row that is shorter); false when
    /// there are no rows or c is not a position of the first row.
    bool getColumn(Vtx_StringArray& cells, const int& c) const;
    bool getColumn(Vtx_StringArray& cells, const Vtx_String& name) const;
    /// Position of the column name (case ignored), -1 when absent.
    int getColumnIdx(const Vtx_String& name) const;
    bool getRow(Vtx_StringArray& cells, const int& r) const;
    bool deleteRow(const int& r);
    /// Inserts a new section after row r (r = -1: in front), made from row r
    /// as example: an unused system name derived from the example's, and
    /// the current language's user name made of the example's prefix and
    /// the new system name. Every other cell is copied. The last row may be
    /// the example. False when r + 1 is not 0 to the number of rows.
    bool insertRow(const int& r);
    /// insertRow(r), then the new row (r + 1) gets sysName and, in every
    /// language, userName. All or nothing: eInvalidInput, table unchanged,
    /// when a step fails or another row has sysName already.
    ErrorStatus insertRow(const int& r, const Vtx_String& sysName, const Vtx_String& userName);
    /// Cell 0 of row r; eInvalidInput when r is out of range, the row has
    /// no cells or another row has the name already (case ignored).
    ErrorStatus setSysName(const int& r, const Vtx_String& sysName);
    /// Every language cell of row r; eInvalidInput when the row is shorter.
    ErrorStatus setUserNames(const int& r, const Vtx_String& userName);
    /// The value cells of row r; the row must have exactly 2 + L + n cells
    /// for n values. Each value is written as the shortest text that reads
    /// back to it exactly.
    ErrorStatus setValues(const int& r, const Vtx_Array<double>& values);

    // ---- names ----
    /// tableName + "-" + system name of every row (of the rows in use only
    /// when filtered); empty when columns 0 and 1 cannot be read.
    void getSysNames(Vtx_StringArray& names, bool filtered) const;
    void getSysNames(Vtx_StringArray& names) const { getSysNames(names, false); }
    void getFilteredSysNames(Vtx_StringArray& names) const { getSysNames(names, true); }
    /// The row whose system name is name (case ignored).
    bool findSysName(const Vtx_String& name, int& r) const;
    /// A system name no row has, made from base.
    Vtx_String findUnusedSysName(const Vtx_String& base) const;
    /// Position of row r among the rows in use; -1 when r is not a row.
    int getfilteredIdx(const int& r) const;
    /// 5 when the column at position 6 is "Korean" (case ignored), else 4.
    int getNrLanguages() const;
    /// Removes every row whose in-use cell is exactly "0".
    void removeInactiveEntries();

    // ---- grid and registry ----
    /// Shows the table in the grid: the column names as its header row,
    /// tableName on every row header, the in-use column as check boxes.
    /// False (grid emptied) when the table has no rows.
    bool setToSS(Vtx_Spread& grid) const;
    /// The table from the grid: columns from the header row, tableName from
    /// row 1's header, one row per grid row. templateName is kept.
    bool getFromSS(const Vtx_Spread& grid);
    /// Registers the table (without its in-use column) under tableName +
    /// ".pr", replacing a registered table of that name. A table the
    /// registry would refuse (no name, no columns) leaves the registered
    /// one in place.
    ErrorStatus setToGlobals(Vtx_SectionTableManager* manager) const;

    Vtx_String tableName;
    Vtx_String templateName;
    Vtx_StringArray columns;
    Vtx_Array<Vtx_StringArray> rows;
};
