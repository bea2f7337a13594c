// The section-table registry: tables by name, sections by system or user
// name, and the global registry loaded from the library's "prof\" folder.

#include "platform/core/SectionTables.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"

namespace {

/// The registry name without ".pr" (case ignored).
Vtx_String withoutExtension(const Vtx_String& name) {
    return name.endsWith(".pr", false) ? name.left(name.length() - 3) : name;
}

/// Global system name of row: table name without ".pr", "-", system name.
Vtx_String globalSystemName(const Vtx_SectionTable& table, const Vtx_StringArray& row) {
    return withoutExtension(table.name) + "-" + (row.isEmpty() ? Vtx_String() : row[0]);
}

/// Drops the cell at position 1 (the "I/O" flag) of a file row.
Vtx_StringArray withoutInUseCell(const Vtx_StringArray& row) {
    Vtx_StringArray result = row;
    if (result.length() > 1)
        result.removeAt(1);
    return result;
}

} // namespace

int Vtx_SectionTableManager::languageCount(const Vtx_SectionTable& table) {
    return table.columns.length() > 5 && table.columns[5].equal("Korean", false) ? 5 : 4;
}

ErrorStatus Vtx_SectionTableManager::loadFolder(const Vtx_String& folder,
                                                Vtx_StringArray* failures) {
    Vtx_String source = folder.isEmpty() ? gSettings.libDir + "prof\\" : folder;
    Vtx_StringArray files;
    if (ErrorStatus status = ObjectExportFindFiles(source, "*.pr", files); status != eOk)
        return status;
    for (const Vtx_String& file : files) {
        Vtx_String tableName;
        Vtx_Array<Vtx_StringArray> rows;
        Vtx_String reason;
        ErrorStatus status = readFile(file, tableName, rows, &reason);
        if (status == eOk &&
            (rows.length() < 2 || rows[1].length() < 2 || !rows[1][1].equal("I/O", false))) {
            reason = file + ": line 3: the second column must be \"I/O\"";
            status = eBadFileFormat;
        }
        if (status == eOk) {
            Vtx_String templateName = rows[0].isEmpty() ? Vtx_String() : rows[0][0];
            if (templateName.find('.') >= 0)
                templateName = "Prof\\" + templateName;
            Vtx_Array<Vtx_StringArray> sections;
            for (int r = 2; r < rows.length(); ++r)
                sections.append(withoutInUseCell(rows[r]));
            status = addSectionTable(tableName + ".pr", templateName, withoutInUseCell(rows[1]),
                                     sections);
            if (status != eOk)
                reason = file + ": a table of that name is registered already";
        }
        if (status != eOk && failures != nullptr)
            failures->append(reason);
    }
    return eOk;
}

ErrorStatus Vtx_SectionTableManager::addSectionTable(const Vtx_String& name,
                                                     const Vtx_String& templateName,
                                                     const Vtx_StringArray& columns,
                                                     const Vtx_Array<Vtx_StringArray>& rows) {
    if (withoutExtension(name).isEmpty())
        return eInvalidName;
    if (columns.isEmpty())
        return eInvalidInput;
    if (hasTable(name))
        return eDuplicateKey;
    m_tables.push_back(Vtx_SectionTable{name, templateName, columns, rows});
    m_indexValid = false;
    return eOk;
}

bool Vtx_SectionTableManager::hasTable(const Vtx_String& name) const {
    const Vtx_String wanted = withoutExtension(name);
    for (const Vtx_SectionTable& table : m_tables)
        if (withoutExtension(table.name).equal(wanted, false))
            return true;
    return false;
}

ErrorStatus Vtx_SectionTableManager::removeTable(const Vtx_String& name) {
    const Vtx_String wanted = withoutExtension(name);
    for (auto it = m_tables.begin(); it != m_tables.end(); ++it) {
        if (withoutExtension(it->name).equal(wanted, false)) {
            m_tables.erase(it);
            m_indexValid = false;
            return eOk;
        }
    }
    return eKeyNotFound;
}

void Vtx_SectionTableManager::buildIndex() const {
    m_systemIndex.clear();
    m_userIndex.clear();
    for (int t = 0; t < static_cast<int>(m_tables.size()); ++t) {
        const Vtx_SectionTable& table = m_tables[static_cast<std::size_t>(t)];
        const int languages = languageCount(table);
        for (int r = 0; r < table.rows.length(); ++r) {
            const Vtx_StringArray& cells = table.rows[r];
            if (cells.isEmpty())
                continue;
            m_systemIndex.emplace(globalSystemName(table, cells).lower().str(), std::pair(t, r));
            for (int c = 1; c <= languages && c < cells.length(); ++c)
                if (!cells[c].isEmpty())
                    m_userIndex.emplace(cells[c].lower().str(), std::pair(t, r));
        }
    }
    m_indexValid = true;
}

bool Vtx_SectionTableManager::findSection(const Vtx_String& sectionName,
                                          const Vtx_SectionTable*& table, int& row) const {
    if (sectionName.isEmpty())
        return false;
    if (!m_indexValid)
        buildIndex();
    // System names first, so that a user name never hides a system name.
    const std::string key = sectionName.lower().str();
    auto it = m_systemIndex.find(key);
    if (it == m_systemIndex.end()) {
        it = m_userIndex.find(key);
        if (it == m_userIndex.end())
            return false;
    }
    table = &m_tables[static_cast<std::size_t>(it->second.first)];
    row = it->second.second;
    return true;
}

ErrorStatus Vtx_SectionTableManager::getSystemName(const Vtx_String& sectionName,
                                                   Vtx_String& systemName) const {
    const Vtx_SectionTable* table = nullptr;
    int row = -1;
    if (!findSection(sectionName, table, row))
        return eKeyNotFound;
    systemName = globalSystemName(*table, table->rows[row]);
    return eOk;
}

ErrorStatus Vtx_SectionTableManager::getUserName(const Vtx_String& sectionName,
                                                 Vtx_String& userName) const {
    const Vtx_SectionTable* table = nullptr;
    int row = -1;
    if (!findSection(sectionName, table, row))
        return eKeyNotFound;
    const Vtx_StringArray& cells = table->rows[row];
    int column = table->columns.find(gSettings.workLanguage, false);
    if (column < 1 || column > languageCount(*table))
        column = 1;
    Vtx_String name = column < cells.length() ? cells[column] : Vtx_String();
    if (name.isEmpty() && cells.length() > 1)
        name = cells[1];
    if (name.isEmpty())
        return eNotApplicable;
    userName = name;
    return eOk;
}

// ---------------------------------------------------------------- global registry

namespace {

struct GlobalRegistry {
    Vtx_SectionTableManager manager;
    bool loaded = false;
};

GlobalRegistry& globalRegistry() {
    static GlobalRegistry registry;
    return registry;
}

} // namespace

Vtx_SectionTableManager& sectionTableManager() {
    GlobalRegistry& registry = globalRegistry();
    if (!registry.loaded && !gSettings.libDir.isEmpty()) {
        registry.loaded = true;
        registry.manager.loadFolder();
    }
    return registry.manager;
}

void resetSectionTableManager() {
    GlobalRegistry& registry = globalRegistry();
    registry.manager.clear();
    registry.loaded = false;
}

ErrorStatus getSectionColumnNames(const Vtx_String& sectionName, Vtx_StringArray& names) {
    const Vtx_SectionTable* table = nullptr;
    int row = -1;
    if (!sectionTableManager().findSection(sectionName, table, row))
        return eKeyNotFound;
    names.removeAll();
    for (int c = 1 + Vtx_SectionTableManager::languageCount(*table); c < table->columns.length();
         ++c)
        names.append(table->columns[c]);
    return eOk;
}

ErrorStatus getSectionValue(const Vtx_String& sectionName, int column, Vtx_String& value) {
    const Vtx_SectionTable* table = nullptr;
    int row = -1;
    if (!sectionTableManager().findSection(sectionName, table, row))
        return eKeyNotFound;
    const int first = 1 + Vtx_SectionTableManager::languageCount(*table);
    if (column < 0 || first + column >= table->columns.length())
        return eInvalidIndex;
    const Vtx_StringArray& cells = table->rows[row];
    const int cell = first + column;
    if (cell >= cells.length() || cells[cell].isEmpty())
        return eNotApplicable;
    value = cells[cell];
    return eOk;
}
