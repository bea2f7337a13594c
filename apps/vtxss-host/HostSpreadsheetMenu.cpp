// The host's Spreadsheet menu: the formula dialog and the bill window.

#include "HostWindow.h"

#include "platform/core/Files.h"
#include "platform/core/ListOutput.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "spread/BillOutput.h"
#include "spread/ReadSSFile.h"
#include "spread/VtxSpread.h"
#include "spread/ui/GridDialog.h"

#include <QMenuBar>

namespace host {

namespace {

constexpr const char* kDefaultPrintSettings = "Default";

} // namespace

void HostWindow::buildSpreadsheetMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("S&preadsheet"));
    menu->addAction(QStringLiteral("&Formula dialog..."), this, [this] {
        if (!m_moduleLoaded) {
            hostPrintf("*Error* The module is not loaded.\n");
            return;
        }
        FileDialogRequest request;
        request.caption = "Open a spreadsheet in the formula dialog";
        request.folder = gSettings.libDir + "Connection Standards";
        request.filter = "Spreadsheets (*.sss *.kss)|*.sss;*.kss|All files (*)|*";
        Vtx_String path;
        if (hostPrompter().fileDialog(request, path))
            openFormulaDialog(path, 1, 1);
    });
    menu->addAction(QStringLiteral("Formula dialog &test run"), this, [this] {
        if (m_moduleLoaded)
            EvaluateSS();
        else
            hostPrintf("*Error* The module is not loaded.\n");
    });
    menu->addSeparator();
    menu->addAction(QStringLiteral("Produce &bill..."), this, [this] { askAndProduceBill(); });
}

void HostWindow::askAndProduceBill() {
    FileDialogRequest request;
    request.caption = "Part list of the bill";
    request.folder = gSettings.libDir + "Bills";
    request.filter = "Part lists (*.csv)|*.csv|All files (*)|*";
    Vtx_String partList;
    if (!hostPrompter().fileDialog(request, partList))
        return;
    FileDialogRequest save;
    save.mode = FileDialogRequest::Mode::Save;
    save.caption = "Save the bill as";
    save.fileName = changeExtension(partList, "kss");
    save.filter = "Spreadsheets (*.kss)|*.kss";
    save.defaultExtension = "kss";
    Vtx_String billFile;
    if (hostPrompter().fileDialog(save, billFile))
        produceBill(partList, billFile);
}

bool HostWindow::produceBill(const Vtx_String& partList, const Vtx_String& billFile) {
    if (!m_moduleLoaded) {
        hostPrintf("*Error* The module is not loaded.\n");
        return false;
    }
    if (sameFile(partList, billFile)) {
        hostPrintf("*Error* The bill would be written over its part list %s.\n", partList.c_str());
        return false;
    }
    Vtx_Bill bill;
    Vtx_String reason;
    if (readPartList(partList, bill, &reason) != eOk) {
        hostPrintf("*Error* %s\n", reason.c_str());
        return false;
    }
    // One bill window at a time: the one before closes.
    m_bill.reset();
    auto output = std::make_unique<KsSSBillOutput>();
    const Vtx_String settings =
        bill.settingsName.isEmpty() ? Vtx_String(kDefaultPrintSettings) : bill.settingsName;
    if (output->init(billFile, bill.columnNames, {}, bill.rowProperties, settings,
                     bill.variableNames, bill.variableValues) != eOk) {
        hostPrintf("*Error* The bill window could not be made.\n");
        return false;
    }
    const ErrorStatus status = produceList(bill, *output);
    const Vtx_Spread* grid = output->getSSPointer();
    m_bill = std::move(output);
    // A bill that was saved is no longer marked as changed.
    if (grid == nullptr || grid->isModified()) {
        hostPrintf("*Error* The bill was not saved to %s.\n", billFile.c_str());
        return false;
    }
    if (status != eOk)
        hostPrintf("Warning: the bill was saved with some lines, texts or variables left out or "
                   "cut (see the messages above).\n");
    hostPrintf("Bill of %d rows saved to %s\n", grid->getMaxRows(), billFile.c_str());
    return true;
}

// The macro's general variables in the grid dialog: the values may change,
// the names and their number not (a macro's variables come with its type).
void HostWindow::editGeneralVariables(const Vtx_String& macro) {
    if (!m_moduleLoaded) {
        hostPrintf("*Error* The module is not loaded.\n");
        return;
    }
    Vtx_StringArray names;
    Vtx_StringArray values;
    m_session.macroGeneralVariables(macro, names, values);
    if (names.isEmpty()) {
        hostPrintf("The macro %s has no general variables.\n", macro.c_str());
        return;
    }
    const Vtx_Array<Vtx_StringArray> headers{{"Name", "Value"}};
    Vtx_Array<Vtx_StringArray> rows;
    for (int i = 0; i < names.length(); ++i)
        rows.append(Vtx_StringArray{names[i], values[i]});
    if (!startGridDialog(headers, rows, false, "DLG_SS_STRINGARRAY",
                         "General variables of " + macro))
        return;
    Vtx_StringArray newValues;
    for (int i = 0; i < names.length() && i < rows.length(); ++i) {
        if (rows[i].length() > 0 && rows[i][0] != names[i])
            hostPrintf("*Error* %s: the name of a general variable is not changed here.\n",
                       names[i].c_str());
        newValues.append(rows[i].length() > 1 ? rows[i][1] : Vtx_String());
    }
    Vtx_String reason;
    if (!m_session.setMacroGeneralVariables(macro, names, newValues, reason))
        hostPrintf("*Error* Not taken: %s", reason.c_str());
    hostPrintf("General variables of %s edited.\n", macro.c_str());
    showTitle();
}

} // namespace host
