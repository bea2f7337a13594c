#include "sectionlib/SectionNames.h"

#include "sectionlib/ProfValuesTable.h"

#include "platform/core/Files.h"
#include "platform/core/SectionTables.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"
#include "spread/SectionImages.h"

namespace {

constexpr int kOtherSectionText = 695;

/// A table name names a file in the "prof\\" folder, never a path.
bool isPlainTableName(const Vtx_String& name) {
    return !name.isEmpty() && name.find('\\') < 0 && name.find('/') < 0 && name.find(':') < 0 &&
           name != ".." && name != ".";
}

} // namespace

Vtx_String getSectionUserName(const Vtx_String& systemName) {
    Vtx_String userName;
    if (sectionTableManager().getUserName(systemName, userName) != eOk || userName.isEmpty())
        return systemName;
    return userName;
}

Vtx_StringArray getTableSectionNames(const Vtx_String& systemName, Vtx_StringArray& userNames) {
    Vtx_StringArray systemNames;
    Vtx_ProfValuesTable table;
    const Vtx_String tableName = getSubstrBefore(systemName, '-');
    if (isPlainTableName(tableName) && table.readFromFile(tableName)) {
        table.getFilteredSysNames(systemNames);
        for (int i = 0; i < systemNames.length(); ++i)
            userNames.append(getSectionUserName(systemNames[i]));
    }
    userNames.append(dialString(kOtherSectionText));
    return systemNames;
}

bool isUserSection(const Vtx_String& systemName) {
    Vtx_String rest = systemName;
    return removeFolderPrefix(rest, kUserSectionsFolder);
}

Vtx_String userSectionShownName(const Vtx_String& systemName) {
    Vtx_String name = systemName;
    removeFolderPrefix(name, kUserSectionsFolder);
    return changeExtension(name, "");
}

Vtx_String sectionNameInLibrary(const Vtx_String& chosen) {
    Vtx_String name = chosen;
    removeFolderPrefix(name, gSettings.libDir);
    return name;
}
