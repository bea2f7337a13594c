#pragma once

/// Section tables of the core library: the table-file reader and writer, and
/// the registry of section tables that the rest of the product asks for
/// section names and dimensions.
///
/// A registered table has a name ("HEA.pr"), a template, column names and
/// rows. Column 0 is the system name, columns 1..L the user names per
/// language (L = 4, or 5 when the column at position 5 of the registered
/// columns is "Korean"), the rest are value columns. The global system name
/// of a section is the table name without ".pr", "-", and its system name
/// ("HEA-200"); its user name is the cell of the work language ("HEA 200").
///
///     Vtx_StringArray columns;
///     getSectionColumnNames("IPE 300", columns);   // "h", "b", "tw", ...
///     Vtx_String h;
///     getSectionValue("IPE 300", 0, h);            // "300"

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

/// Reads a table file (syntax in docs/table-file-format.md): tableName gets
/// the file's base name without extension, rows every row of cells (emptied
/// first). On failure reason names the file and line: eFileNotFound,
/// eFileAccessErr, eLimitExceeded (file or line too long) or eBadFileFormat.
VTX_CORE_API ErrorStatus readFile(const Vtx_String& path, Vtx_String& tableName,
                                  Vtx_Array<Vtx_StringArray>& rows, Vtx_String* reason = nullptr);
/// Writes rows as a table file, whole to a temporary file then renamed.
/// Every byte of every cell reads back unchanged.
VTX_CORE_API ErrorStatus writeFile(const Vtx_String& path, const Vtx_Array<Vtx_StringArray>& rows);

struct VTX_CORE_API Vtx_SectionTable {
    Vtx_String name; ///< registry name, e.g. "HEA.pr"
    Vtx_String templateName;
    Vtx_StringArray columns;
    Vtx_Array<Vtx_StringArray> rows;
};

class VTX_CORE_API Vtx_SectionTableManager {
public:
    Vtx_SectionTableManager() = default;
    virtual ~Vtx_SectionTableManager() = default;

    /// Registers every "*.pr" table file of folder (the library's "prof\\"
    /// by default: an empty folder means gSettings.libDir + "prof\\").
    /// Files that fail to read, lack the "I/O" column or are registered
    /// already are skipped and reported in failures (one reason each). The
    /// "I/O" column is dropped as Vtx_ProfValuesTable::setToGlobals does.
    ErrorStatus loadFolder(const Vtx_String& folder = Vtx_String(),
                           Vtx_StringArray* failures = nullptr);
    /// Registers a table; eDuplicateKey when one of that name (with or
    /// without ".pr", case ignored) is registered already, eInvalidName for
    /// an empty name, eInvalidInput when there are no columns.
    ErrorStatus addSectionTable(const Vtx_String& name, const Vtx_String& templateName,
                                const Vtx_StringArray& columns,
                                const Vtx_Array<Vtx_StringArray>& rows);
    bool hasTable(const Vtx_String& name) const;
    ErrorStatus removeTable(const Vtx_String& name);
    void clear() {
        m_tables.clear();
        m_indexValid = false;
    }
    const std::vector<Vtx_SectionTable>& tables() const { return m_tables; }

    /// System name ("HEA-200") of a section given by user name in any
    /// language or by system name (case ignored); eKeyNotFound when unknown.
    /// A system name wins over a user name; among tables, the first
    /// registered wins.
    ErrorStatus getSystemName(const Vtx_String& sectionName, Vtx_String& systemName) const;
    /// User name in the work language (the first language when the work
    /// language has no column) of a section given by either name.
    ErrorStatus getUserName(const Vtx_String& sectionName, Vtx_String& userName) const;
    /// The table and row of a section given by either name.
    bool findSection(const Vtx_String& sectionName, const Vtx_SectionTable*& table, int& row) const;
    /// Number of language columns of a registered table.
    static int languageCount(const Vtx_SectionTable& table);

private:
    /// Builds the name index: folded system and user names to (table, row),
    /// the first occurrence of a name winning.
    void buildIndex() const;

    std::vector<Vtx_SectionTable> m_tables;
    mutable std::unordered_map<std::string, std::pair<int, int>> m_systemIndex;
    mutable std::unordered_map<std::string, std::pair<int, int>> m_userIndex;
    mutable bool m_indexValid = false;
};

/// The registry the core library uses; filled from the library's "prof\\"
/// folder on first use once gSettings.libDir is set.
VTX_CORE_API Vtx_SectionTableManager& sectionTableManager();
/// Empties the registry; its next use loads the library's folder again
/// (after a change of library folder, and between tests).
VTX_CORE_API void resetSectionTableManager();

/// Names of the value columns of the section's table.
VTX_CORE_API ErrorStatus getSectionColumnNames(const Vtx_String& sectionName,
                                               Vtx_StringArray& names);
/// Value column `column` (0-based among the value columns) of the section.
/// eKeyNotFound for an unknown section, eInvalidIndex for a column the
/// table does not have, eNotApplicable when the section's cell is empty.
VTX_CORE_API ErrorStatus getSectionValue(const Vtx_String& sectionName, int column,
                                         Vtx_String& value);
