// GETCELL, GETPROFCELL, SECTIONSIZE and GETSYSNAME.

#include "platform/core/SectionTables.h"
#include "platform/core/StringUtils.h"
#include "standards/DataFiles.h"
#include "standards/KsTrace.h"
#include "standards/StandardsFunctionBodies.h"

#include <cmath>
#include <limits>
#include <unordered_map>

namespace {

/// Precision of a number key part as a table file writes it.
constexpr int kKeyPrecision = 6;

/// The key parts after the file argument joined with ";": numbers as their
/// precision-6 texts, texts as they are; the first argument that is neither
/// ends the key.
Vtx_String lookupKey(const StandardsCall& call) {
    Vtx_String key;
    for (int i = 1; i < call.count(); ++i) {
        Vtx_String part;
        double number = 0;
        if (call.number(i, number))
            part = Vtx_String(number, kKeyPrecision);
        else if (!call.text(i, part))
            break;
        if (i > 1)
            key += ';';
        key += part;
    }
    return key;
}

/// Section system names already looked up in this call, by name.
using SystemNameMemo = std::unordered_map<std::string, Vtx_String>;

/// The section system name of name when the section-table registry knows
/// it, else name itself.
const Vtx_String& systemNameOf(const Vtx_String& name, SystemNameMemo& memo) {
    auto [it, inserted] = memo.try_emplace(name.str(), name);
    if (inserted) {
        Vtx_String systemName;
        if (sectionTableManager().getSystemName(name, systemName) == eOk)
            it->second = systemName;
    }
    return it->second;
}

/// key with every ";"-separated part replaced by its system name.
Vtx_String systemNameKey(const Vtx_String& key, SystemNameMemo& memo) {
    Vtx_StringArray parts;
    strToArr(key, ';', parts);
    for (Vtx_String& part : parts)
        part = systemNameOf(part, memo);
    return arrToStr(parts, ';');
}

/// Every name that may stand for systemName: itself and the user names of
/// the registered sections whose global system name ("HEA-200": table name
/// without ".pr", "-", system name) it is.
Vtx_StringArray namesOfSection(const Vtx_String& systemName) {
    Vtx_StringArray names;
    names.append(systemName);
    for (const Vtx_SectionTable& table : sectionTableManager().tables()) {
        const int base = table.name.length() - (table.name.endsWith(".pr", false) ? 3 : 0);
        if (systemName.length() <= base || systemName.at(base) != '-' ||
            !systemName.left(base).equal(table.name.left(base), false))
            continue;
        const Vtx_String rowName = systemName.mid(base + 1);
        const int languages = Vtx_SectionTableManager::languageCount(table);
        for (const Vtx_StringArray& cells : table.rows)
            if (!cells.isEmpty() && cells[0].equal(rowName, false))
                for (int c = 1; c <= languages && c < cells.length(); ++c)
                    names.append(cells[c]);
    }
    return names;
}

/// The first row of table whose key, part by part in system names, equals
/// the lookup key in system names; -1 when none does. Mapping every table key
/// would search the registry once per row, so rows are first filtered by the
/// names that can stand for each wanted part, and only those are mapped.
int findSectionRow(const DataTable& table, const Vtx_String& lookup) {
    SystemNameMemo memo;
    const Vtx_String wanted = systemNameKey(lookup, memo);
    Vtx_StringArray wantedParts;
    strToArr(wanted, ';', wantedParts);
    std::vector<Vtx_StringArray> aliases;
    for (const Vtx_String& part : wantedParts)
        aliases.push_back(namesOfSection(part));

    Vtx_StringArray parts;
    for (int row = 0; row < table.rowCount(); ++row) {
        strToArr(table.row(row)[0], ';', parts);
        if (parts.length() != wantedParts.length())
            continue;
        bool candidate = true;
        for (int i = 0; candidate && i < parts.length(); ++i)
            candidate = aliases[static_cast<std::size_t>(i)].contains(parts[i], false);
        if (candidate && systemNameKey(table.row(row)[0], memo).equal(wanted, false))
            return row;
    }
    return -1;
}

/// Sets the value field of row as the result; false when the row has none.
/// A trace learns which line of the file matched, or why none did.
bool setRowValue(StandardsCall& call, const DataTable& table, int row, const Vtx_String& key) {
    if (KsTraceCall* trace = call.trace()) {
        trace->hasRow = true;
        trace->row = {table.path(), row < 0 ? 0 : table.line(row), key};
        if (row < 0)
            trace->detail = Vtx_String("no row with the key ") + key + " in " + table.path();
        else if (table.row(row).length() < 2)
            trace->detail = table.path() + " line " + Vtx_String::fromInt(table.line(row)) +
                            " has a key and no value";
    }
    if (row < 0 || table.row(row).length() < 2)
        return false;
    call.setText(table.row(row)[1]);
    return true;
}

/// The table file named by the first argument, with at least one row. A
/// trace learns why there is none.
std::shared_ptr<const DataTable> tableArgument(const StandardsCall& call) {
    Vtx_String name;
    if (!call.text(0, name)) {
        if (KsTraceCall* trace = call.trace())
            trace->detail = "the file argument is not a text";
        return nullptr;
    }
    Vtx_String reason;
    std::shared_ptr<const DataTable> table =
        dataFileCache().table(name, call.trace() ? &reason : nullptr);
    if (table && table->rowCount() > 0)
        return table;
    if (KsTraceCall* trace = call.trace())
        trace->detail = table ? table->path() + " has no rows" : reason;
    return nullptr;
}

} // namespace

namespace standards_bodies {

bool getCell(StandardsCall& call) {
    const std::shared_ptr<const DataTable> table = tableArgument(call);
    if (!table)
        return false;
    const Vtx_String key = lookupKey(call);
    return setRowValue(call, *table, table->find(key), key);
}

bool getProfCell(StandardsCall& call) {
    const std::shared_ptr<const DataTable> table = tableArgument(call);
    if (!table)
        return false;
    // Both sides by system name, so a table written with the user names of
    // one language matches a section given by any of its names. The
    // registry may change between calls, so nothing of this is cached.
    const Vtx_String key = lookupKey(call);
    return setRowValue(call, *table, findSectionRow(*table, key), key);
}

bool sectionSize(StandardsCall& call) {
    Vtx_String name;
    double columnNumber = 0;
    if (!call.text(0, name) || !call.number(1, columnNumber))
        return false;
    const double column = std::trunc(columnNumber) - 1;
    if (!(column >= 0 && column <= std::numeric_limits<int>::max()))
        return false;
    Vtx_String value;
    if (getSectionValue(name, static_cast<int>(column), value) != eOk)
        return false;
    call.setNumber(decimalReading(value));
    return true;
}

bool getSysName(StandardsCall& call) {
    Vtx_String name;
    if (!call.text(0, name))
        return false;
    Vtx_String systemName;
    call.setText(sectionTableManager().getSystemName(name, systemName) == eOk ? systemName : name);
    return true;
}

} // namespace standards_bodies
