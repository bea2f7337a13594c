// The host's Sections menu: a new section in a values table of the library,
// made by example in the new-section dialog, and the section-library editor.

#include "HostWindow.h"

#include "platform/core/Files.h"
#include "platform/core/SectionLibrary.h"
#include "platform/core/SectionTables.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "platform/ui/UiText.h"
#include "sectionlib/ProfValuesTable.h"
#include "sectionlib/SectionLibDialogs.h"

#include <QMenuBar>

#include <map>
#include <string>

namespace host {

namespace {

constexpr const char* kExampleTable = "IPE";

/// The stamps of the library's table files by table name.
std::map<std::string, FileStamp> tableStamps() {
    std::map<std::string, FileStamp> stamps;
    Vtx_StringArray files;
    ObjectExportFindFiles(gSettings.libDir + "prof\\", "*.pr", files);
    for (const Vtx_String& file : files) {
        FileStamp stamp;
        if (fileStampOf(file, stamp))
            stamps[file.str()] = stamp;
    }
    return stamps;
}

/// Says which table files the editor wrote or deleted; true when any.
bool reportTableChanges(const std::map<std::string, FileStamp>& before,
                        const std::map<std::string, FileStamp>& after) {
    bool changed = false;
    for (const auto& [file, stamp] : after) {
        const auto old = before.find(file);
        if (old == before.end() || !(old->second == stamp)) {
            hostPrintf("The table was saved to %s.\n", file.c_str());
            changed = true;
        }
    }
    for (const auto& [file, stamp] : before) {
        if (!after.count(file)) {
            hostPrintf("The table file %s was deleted.\n", file.c_str());
            changed = true;
        }
    }
    return changed;
}

/// The library's record: its groups and types from the library file (a
/// library without one starts with none, in the languages of its first
/// table), and its tables, templates and pictures.
bool readLibraryRecord(DlgEditLibData& data) {
    Vtx_String reason;
    const ErrorStatus status = data.readFromFile(DlgEditLibData::libraryFile(), &reason);
    if (status != eOk && status != eFileNotFound) {
        hostPrintf("*Error* %s\n", reason.c_str());
        return false;
    }
    data.GetAvailableFiles();
    Vtx_ProfValuesTable first;
    if (status == eFileNotFound && !data.tableNames.isEmpty() &&
        first.readFromFile(data.tableNames[0])) {
        for (int c = kProfFirstLanguageColumn;
             c < kProfFirstLanguageColumn + first.getNrLanguages() && first.columns.isValid(c); ++c)
            data.languages.append(first.columns[c]);
    }
    return true;
}

} // namespace

void HostWindow::buildSectionsMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("Se&ctions"));
    menu->addAction(QStringLiteral("&New section in %1...").arg(QLatin1String(kExampleTable)), this,
                    [this] { addSectionTo(kExampleTable); });
    menu->addAction(QStringLiteral("Section &library..."), this,
                    [this] { editSectionLibrary({}); });
}

bool HostWindow::editSectionLibrary(const Vtx_String& startText) {
    if (!m_moduleLoaded) {
        hostPrintf("*Error* The module is not loaded.\n");
        return false;
    }
    DlgEditLibData library;
    if (!readLibraryRecord(library))
        return false;
    const auto before = tableStamps();
    const bool accepted = StartDlgEditLibSections(library, startText);
    // Tables are saved by the editor itself, also when it is cancelled.
    if (reportTableChanges(before, tableStamps()))
        resetSectionTableManager();
    if (!accepted)
        return false;
    if (library.writeToFile(DlgEditLibData::libraryFile()) != eOk) {
        hostPrintf("*Error* The section groups and types could not be saved to %s.\n",
                   DlgEditLibData::libraryFile().c_str());
        return false;
    }
    hostPrintf("The section groups and types were saved to %s.\n",
               DlgEditLibData::libraryFile().c_str());
    return true;
}

bool HostWindow::addSectionTo(const Vtx_String& tableName) {
    if (!m_moduleLoaded) {
        hostPrintf("*Error* The module is not loaded.\n");
        return false;
    }
    Vtx_ProfValuesTable table;
    Vtx_String reason;
    if (!table.readFromFile(tableName, &reason)) {
        hostPrintf("*Error* %s\n", reason.c_str());
        return false;
    }
    if (table.rows.isEmpty() || table.rows[table.rows.length() - 1].isEmpty()) {
        hostPrintf("*Error* The table %s has no section to take as an example.\n",
                   tableName.c_str());
        return false;
    }
    // The last section is the example, so that the table can grow at its end.
    const Vtx_String example = table.rows[table.rows.length() - 1][0];
    int index = -1;
    if (!StartDlgEditLibSimple(example, table, index))
        return false;
    if (!table.writeToFile(table.tableName, &reason)) {
        hostPrintf("*Error* %s\n", reason.c_str());
        return false;
    }
    if (table.setToGlobals(&sectionTableManager()) != eOk)
        hostPrintf("*Error* The table %s could not be registered.\n", table.tableName.c_str());
    Vtx_StringArray names;
    table.getFilteredSysNames(names);
    hostPrintf("The section %s was added and the table saved to %s.\n",
               names.isValid(index) ? names[index].c_str() : "",
               Vtx_ProfValuesTable::filePath(table.tableName).c_str());
    return true;
}

} // namespace host
