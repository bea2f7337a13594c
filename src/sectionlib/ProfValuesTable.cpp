// Vtx_ProfValuesTable: columns, rows, names and new sections by example.

#include "sectionlib/ProfValuesTable.h"

#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"

namespace {

constexpr int kKoreanColumn = 6;

} // namespace

bool Vtx_ProfValuesTable::getColumn(Vtx_StringArray& cells, const int& c) const {
    if (rows.isEmpty() || c < 0 || c >= rows[0].length())
        return false;
    cells.removeAll();
    for (const Vtx_StringArray& row : rows)
        cells.append(c < row.length() ? row[c] : Vtx_String());
    return true;
}

bool Vtx_ProfValuesTable::getColumn(Vtx_StringArray& cells, const Vtx_String& name) const {
    const int c = getColumnIdx(name);
    return c >= 0 && getColumn(cells, c);
}

int Vtx_ProfValuesTable::getColumnIdx(const Vtx_String& name) const {
    return columns.find(name, false);
}

bool Vtx_ProfValuesTable::getRow(Vtx_StringArray& cells, const int& r) const {
    if (!rows.isValid(r))
        return false;
    cells = rows[r];
    return true;
}

bool Vtx_ProfValuesTable::deleteRow(const int& r) {
    return rows.removeAt(r);
}

bool Vtx_ProfValuesTable::insertRow(const int& r) {
    // The new row goes to r + 1; after the last row is a place like any other.
    if (r + 1 < 0 || r + 1 > rows.length())
        return false;
    Vtx_StringArray row;
    if (rows.isValid(r))
        row = rows[r];
    else
        row.setLogicalLength(columns.length());
    if (row.isEmpty())
        return false;

    int p = columns.find(GetCurLanguage(), false);
    if (p < kProfFirstLanguageColumn || p >= kProfFirstLanguageColumn + getNrLanguages())
        p = -1; // the current language has no user-name column
    Vtx_String prefix = tableName;
    if (p >= 0 && p < row.length() && !row[p].isEmpty()) {
        const int digit = findFirstNumbers(row[p]);
        const Vtx_String head = digit < 0 ? row[p] : row[p].left(digit);
        if (!head.isEmpty())
            prefix = head;
    }
    const Vtx_String base = row[0].isEmpty() ? Vtx_String("1") : row[0];
    const Vtx_String sysName = findUnusedSysName(base);
    row[0] = sysName;
    if (p >= 0) {
        if (row.length() <= p)
            row.setLogicalLength(p + 1);
        row[p] = prefix + sysName;
    }
    return rows.insertAt(r + 1, row);
}

ErrorStatus Vtx_ProfValuesTable::insertRow(const int& r, const Vtx_String& sysName,
                                           const Vtx_String& userName) {
    int existing = -1;
    if (sysName.isEmpty() || findSysName(sysName, existing))
        return eInvalidInput;
    if (!insertRow(r))
        return eInvalidInput;
    if (setSysName(r + 1, sysName) != eOk || setUserNames(r + 1, userName) != eOk) {
        rows.removeAt(r + 1);
        return eInvalidInput;
    }
    return eOk;
}

ErrorStatus Vtx_ProfValuesTable::setSysName(const int& r, const Vtx_String& sysName) {
    if (!rows.isValid(r) || rows[r].isEmpty())
        return eInvalidInput;
    int other = -1;
    if (findSysName(sysName, other) && other != r)
        return eInvalidInput;
    rows[r][0] = sysName;
    return eOk;
}

ErrorStatus Vtx_ProfValuesTable::setUserNames(const int& r, const Vtx_String& userName) {
    const int languages = getNrLanguages();
    if (!rows.isValid(r) || rows[r].length() < kProfFirstLanguageColumn + languages)
        return eInvalidInput;
    for (int c = kProfFirstLanguageColumn; c < kProfFirstLanguageColumn + languages; ++c)
        rows[r][c] = userName;
    return eOk;
}

ErrorStatus Vtx_ProfValuesTable::setValues(const int& r, const Vtx_Array<double>& values) {
    const int first = kProfFirstLanguageColumn + getNrLanguages();
    if (!rows.isValid(r) || rows[r].length() != first + values.length())
        return eInvalidInput;
    for (int k = 0; k < values.length(); ++k)
        rows[r][first + k] = Vtx_String(values[k], 1, true);
    return eOk;
}

void Vtx_ProfValuesTable::getSysNames(Vtx_StringArray& names, bool filtered) const {
    names.removeAll();
    Vtx_StringArray sysNames;
    Vtx_StringArray inUse;
    if (!getColumn(sysNames, 0) || !getColumn(inUse, kProfInUseColumn) ||
        sysNames.length() != inUse.length())
        return;
    for (int r = 0; r < sysNames.length(); ++r)
        if (!filtered || !inUse[r].equal("0", false))
            names.append(tableName + "-" + sysNames[r]);
}

bool Vtx_ProfValuesTable::findSysName(const Vtx_String& name, int& r) const {
    for (int i = 0; i < rows.length(); ++i) {
        if (!rows[i].isEmpty() && rows[i][0].equal(name, false)) {
            r = i;
            return true;
        }
    }
    return false;
}

Vtx_String Vtx_ProfValuesTable::findUnusedSysName(const Vtx_String& base) const {
    Vtx_StringArray sysNames;
    for (const Vtx_StringArray& row : rows)
        if (!row.isEmpty())
            sysNames.append(row[0]);
    return findNonExistingString(base, sysNames);
}

int Vtx_ProfValuesTable::getfilteredIdx(const int& r) const {
    Vtx_StringArray inUse;
    if (!getColumn(inUse, kProfInUseColumn) || !inUse.isValid(r))
        return -1;
    int index = r;
    for (int i = 0; i < r; ++i)
        if (!inUse[i].equal("1", false))
            --index;
    return index;
}

int Vtx_ProfValuesTable::getNrLanguages() const {
    return columns.length() > kKoreanColumn && columns[kKoreanColumn].equal("Korean", false) ? 5
                                                                                             : 4;
}

void Vtx_ProfValuesTable::removeInactiveEntries() {
    for (int r = rows.length() - 1; r >= 0; --r)
        if (rows[r].length() > 1 && rows[r][kProfInUseColumn] == Vtx_String("0"))
            rows.removeAt(r);
}
