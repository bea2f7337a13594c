// The section library record: groups and types, their library file and the
// names of what the library holds.
#include "platform/core/SectionLibrary.h"

#include "platform/core/Files.h"
#include "platform/core/SectionTables.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"

#include <algorithm>
#include <utility>

namespace {

constexpr const char* kLanguagesRow = "languages";
constexpr const char* kGroupRow = "group";
constexpr const char* kTypeRow = "type";
/// Cells before the names: kind, id, name, enabled, image / kind, group id,
/// enabled, image, table.
constexpr int kGroupFixedCells = 5;
constexpr int kTypeFixedCells = 5;

/// The names of the files in folder matching pattern, without the folder and
/// with the last `cut` characters removed; sorted, each once.
Vtx_StringArray fileNames(const Vtx_String& folder, const Vtx_String& pattern, int cut) {
    Vtx_StringArray files;
    Vtx_StringArray names;
    if (ObjectExportFindFiles(folder, pattern, files) != eOk)
        return names;
    const int skip = folder.endsWith("\\") ? folder.length() : folder.length() + 1;
    for (const Vtx_String& file : files) {
        Vtx_String name = file.mid(skip);
        name = name.left(name.length() - cut);
        if (!name.isEmpty() && !names.contains(name, false))
            names.append(name);
    }
    return names;
}

/// Reads a flag cell: "1" or "0".
bool readFlag(const Vtx_String& cell, bool& flag) {
    if (cell != "1" && cell != "0")
        return false;
    flag = cell == "1";
    return true;
}

/// The names of a row from cell `first` on, one per language; false when
/// the row holds more names than there are languages.
bool readNames(const Vtx_StringArray& row, int first, int languageCount, Vtx_StringArray& names) {
    names.removeAll();
    for (int i = first; i < row.length(); ++i)
        names.append(row[i]);
    if (names.length() > languageCount)
        return false;
    while (names.length() < languageCount)
        names.append(Vtx_String());
    return true;
}

} // namespace

int SectionGroupArray::appendNewGrp(const Vtx_String& name, int languageCount) {
    SectionGroup group;
    for (const SectionGroup& other : *this)
        group.id = std::max(group.id, other.id + 1);
    group.name = name;
    for (int i = 0; i < languageCount; ++i)
        group.names.append(name);
    return append(group);
}

int SectionGroupArray::findId(int id) const {
    for (int i = 0; i < length(); ++i)
        if ((*this)[i].id == id)
            return i;
    return -1;
}

bool SectionGroupArray::swap(int a, int b) {
    if (!isValid(a) || !isValid(b))
        return false;
    std::swap((*this)[a], (*this)[b]);
    return true;
}

int SectionTypeArray::appendNewType(const Vtx_StringArray& names) {
    SectionType type;
    type.names = names;
    return append(type);
}

bool SectionTypeArray::swap(int a, int b) {
    if (!isValid(a) || !isValid(b))
        return false;
    std::swap((*this)[a], (*this)[b]);
    return true;
}

Vtx_String DlgEditLibData::libraryFile() {
    return gSettings.libDir + "prof\\Sections.tbl";
}

void DlgEditLibData::GetAvailableFiles() {
    const Vtx_String prof = gSettings.libDir + "prof\\";
    tableNames = fileNames(prof, "*.pr", 3);
    templateFiles = fileNames(prof, "*.dwg", 0);
    images = fileNames(gSettings.vtxDir + "icons\\", "*-big.bmp", 8);
    for (const Vtx_String& small : fileNames(gSettings.vtxDir + "icons\\", "*-small.bmp", 10))
        if (!images.contains(small, false))
            images.append(small);
    ObjectExportSort(images);
}

ErrorStatus DlgEditLibData::readFromFile(const Vtx_String& path, Vtx_String* reason) {
    Vtx_String tableName;
    Vtx_Array<Vtx_StringArray> rows;
    if (const ErrorStatus status = readFile(path, tableName, rows, reason); status != eOk)
        return status;
    // Line 1 of the file is its header: row i stands on line i + 2.
    const auto fail = [&](int row, const char* what) {
        if (reason)
            *reason = path + ": line " + Vtx_String::fromInt(row + 2) + ": " + what;
        return eBadFileFormat;
    };
    if (rows.isEmpty() || rows[0].isEmpty() || rows[0][0] != kLanguagesRow || rows[0].length() < 2)
        return fail(0, "the first row must be \"languages\" followed by the languages");
    DlgEditLibData read(*this);
    read.languages.removeAll();
    read.groups.removeAll();
    read.types.removeAll();
    for (int i = 1; i < rows[0].length(); ++i)
        read.languages.append(rows[0][i]);
    const int count = read.languages.length();
    for (int r = 1; r < rows.length(); ++r) {
        const Vtx_StringArray& row = rows[r];
        if (row.isEmpty())
            continue;
        if (row[0] == kGroupRow) {
            SectionGroup group;
            if (row.length() < kGroupFixedCells || !row[1].toInt(group.id) || group.id < 0)
                return fail(r, "a group needs an id (0 or more), a name, a flag and an image");
            if (read.groups.findId(group.id) >= 0)
                return fail(r, "the group id is used twice");
            if (!readFlag(row[3], group.enabled))
                return fail(r, "the enabled flag must be 1 or 0");
            if (!readNames(row, kGroupFixedCells, count, group.names))
                return fail(r, "more names than languages");
            group.name = row[2];
            group.image = row[4];
            read.groups.append(group);
        } else if (row[0] == kTypeRow) {
            SectionType type;
            if (row.length() < kTypeFixedCells || !row[1].toInt(type.groupId) || type.groupId < -1)
                return fail(r,
                            "a type needs a group id (-1 for none), a flag, an image and a table");
            if (!readFlag(row[2], type.enabled))
                return fail(r, "the enabled flag must be 1 or 0");
            if (!readNames(row, kTypeFixedCells, count, type.names))
                return fail(r, "more names than languages");
            type.image = row[3];
            type.tableName = row[4];
            read.types.append(type);
        } else {
            return fail(r, "a row must start with \"group\" or \"type\"");
        }
    }
    *this = std::move(read);
    return eOk;
}

ErrorStatus DlgEditLibData::writeToFile(const Vtx_String& path) const {
    Vtx_Array<Vtx_StringArray> rows;
    Vtx_StringArray head{Vtx_String(kLanguagesRow)};
    for (const Vtx_String& language : languages)
        head.append(language);
    rows.append(head);
    for (const SectionGroup& group : groups) {
        Vtx_StringArray row{Vtx_String(kGroupRow), Vtx_String::fromInt(group.id), group.name,
                            Vtx_String(group.enabled ? "1" : "0"), group.image};
        for (const Vtx_String& name : group.names)
            row.append(name);
        rows.append(row);
    }
    for (const SectionType& type : types) {
        Vtx_StringArray row{Vtx_String(kTypeRow), Vtx_String::fromInt(type.groupId),
                            Vtx_String(type.enabled ? "1" : "0"), type.image, type.tableName};
        for (const Vtx_String& name : type.names)
            row.append(name);
        rows.append(row);
    }
    return writeFile(path, rows);
}

bool DlgEditLibData::removeGroup(int index) {
    if (!groups.isValid(index))
        return false;
    const int id = groups[index].id;
    groups.removeAt(index);
    for (SectionType& type : types)
        if (type.groupId == id)
            type.groupId = -1;
    return true;
}

Vtx_String DlgEditLibData::shownName(const Vtx_StringArray& names,
                                     const Vtx_String& fallback) const {
    int index = languages.find(gSettings.workLanguage, false);
    if (index < 0)
        index = 0;
    if (names.isValid(index) && !names[index].isEmpty())
        return names[index];
    return fallback;
}
