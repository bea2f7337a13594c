// The host's Sections menu: a new section in a values table of the library,
// made by example in the new-section dialog.

#include "HostWindow.h"

#include "platform/core/SectionTables.h"
#include "platform/host/Host.h"
#include "platform/ui/UiText.h"
#include "sectionlib/ProfValuesTable.h"
#include "sectionlib/SectionLibDialogs.h"

#include <QMenuBar>

namespace host {

namespace {

constexpr const char* kExampleTable = "IPE";

} // namespace

void HostWindow::buildSectionsMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("Se&ctions"));
    menu->addAction(QStringLiteral("&New section in %1...").arg(QLatin1String(kExampleTable)), this,
                    [this] { addSectionTo(kExampleTable); });
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
