// Vtx_ProfValuesTable: the table file under the library's "prof\" folder.

#include "sectionlib/ProfValuesTable.h"

#include "platform/core/Files.h"
#include "platform/core/SectionTables.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

void setReason(Vtx_String* reason, const Vtx_String& text) {
    if (reason)
        *reason = text;
}

/// The table name as a file name: not empty, no folder, no character a file
/// name cannot hold, so that a name never reaches outside "prof\".
bool checkName(const Vtx_String& name, Vtx_String* reason) {
    if (name.isEmpty() || name.equal(".pr", false)) {
        setReason(reason, "a section table needs a name");
        return false;
    }
    if (hasInvalidFileNameChars(name) || name == "." || name == "..") {
        setReason(reason, "'" + name +
                              "' is not a section table name (it holds a character a "
                              "file name cannot hold)");
        return false;
    }
    return true;
}

/// The library's "prof\" folder must be there before a table is read from
/// or written to it.
bool checkFolder(Vtx_String* reason) {
    if (gSettings.libDir.isEmpty()) {
        setReason(reason, "no library folder is set");
        return false;
    }
    const Vtx_String folder = gSettings.libDir + "prof";
    if (!folderExists(folder)) {
        setReason(reason, "the library has no prof folder: " + folder);
        return false;
    }
    return true;
}

bool isReadOnly(const Vtx_String& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(nativePath(path), ec);
    return !ec && fs::is_regular_file(status) &&
           (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

/// The table file of name as it is spelt on disk when one matches with case
/// ignored (so "hea" reads and writes "HEA.pr"), else as filePath gives it.
Vtx_String existingPath(const Vtx_String& name) {
    const Vtx_String path = Vtx_ProfValuesTable::filePath(name);
    const Vtx_String folder = gSettings.libDir + "prof\\";
    const Vtx_String found = findFileIgnoringCase(folder, path.mid(folder.length()));
    return found.isEmpty() ? path : folder + found;
}

} // namespace

Vtx_String Vtx_ProfValuesTable::filePath(const Vtx_String& name) {
    return gSettings.libDir + "prof\\" + name + (name.endsWith(".pr", false) ? "" : ".pr");
}

Vtx_Array<Vtx_StringArray> Vtx_ProfValuesTable::fileRows() const {
    Vtx_Array<Vtx_StringArray> all;
    all.append(Vtx_StringArray{templateName});
    all.append(columns);
    for (const Vtx_StringArray& row : rows)
        all.append(row);
    return all;
}

bool Vtx_ProfValuesTable::setFromFileRows(const Vtx_String& name,
                                          const Vtx_Array<Vtx_StringArray>& fileRows) {
    if (fileRows.isEmpty())
        return false;
    // Each part of the table comes from its own row: a file that holds only
    // the template row is a table without columns or sections, not a table
    // whose one section is the template.
    Vtx_ProfValuesTable read;
    read.tableName = name;
    read.templateName = fileRows[0].isEmpty() ? Vtx_String() : fileRows[0][0];
    if (fileRows.length() > 1)
        read.columns = fileRows[1];
    for (int r = 2; r < fileRows.length(); ++r)
        read.rows.append(fileRows[r]);
    *this = std::move(read);
    return true;
}

bool Vtx_ProfValuesTable::readFromFile(const Vtx_String& name, Vtx_String* reason) {
    if (!checkName(name, reason) || !checkFolder(reason))
        return false;
    const Vtx_String path = existingPath(name);
    Vtx_String readName;
    Vtx_Array<Vtx_StringArray> fileRows;
    Vtx_String readReason;
    if (readFile(path, readName, fileRows, &readReason) != eOk) {
        setReason(reason, readReason);
        return false;
    }
    if (!setFromFileRows(readName, fileRows)) {
        setReason(reason, path + ": line 2: no template row");
        return false;
    }
    return true;
}

bool Vtx_ProfValuesTable::writeToFile(const Vtx_String& name, Vtx_String* reason) const {
    if (!checkName(name, reason) || !checkFolder(reason))
        return false;
    const Vtx_String path = existingPath(name);
    if (isReadOnly(path)) {
        setReason(reason, path + ": the file is read-only");
        return false;
    }
    if (const ErrorStatus status = writeFile(path, fileRows()); status != eOk) {
        setReason(reason, path + ": not written (" + errorStatusWords(status) + ")");
        return false;
    }
    return true;
}
