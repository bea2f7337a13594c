#pragma once

// The host's main window (it asks the user through the host's prompter,
// which main() makes the Qt one): the command line (everything the module prints),
// the module loaded through the host's dynamic linker, and menus that run
// the module's Start functions on the open drawing. Dialogs of the module
// add their menu entries in buildMenus().

#include <QMainWindow>

#include <memory>

#ifndef Q_MOC_RUN
#include "DrawingSession.h"
#endif

class KsSSBillOutput;
class QMenu;
class QPlainTextEdit;

namespace host {

class HostWindow : public QMainWindow {
    Q_OBJECT
public:
    /// modulePath: the module library to load.
    explicit HostWindow(const Vtx_String& modulePath, QWidget* parent = nullptr);
    ~HostWindow() override;

    /// Opens a drawing; false (said on the command line) when it cannot be read.
    bool openDrawing(const Vtx_String& path);
    /// Applies the standards of one macro, or of all with an empty name.
    void applyStandards(const Vtx_String& macro);
    /// Saves the drawing: where it was saved last, else asks where.
    bool saveDrawing(bool askWhere);
    /// Feeds the part list (a file of the library's Bills folder) into a
    /// bill shown in its window and saved to billFile; false (said on the
    /// command line) when the list cannot be read or the bill not saved.
    bool produceBill(const Vtx_String& partList, const Vtx_String& billFile);
    /// Adds a section to the library's values table tableName in the
    /// new-section dialog, the last section as example; on OK saves the
    /// table and registers it (said on the command line). False when the
    /// table cannot be read or saved, or the dialog was cancelled.
    bool addSectionTo(const Vtx_String& tableName);
    /// Opens the dialog designer on the design file at path (an empty
    /// design when there is none); true when the user left with OK.
    bool openDesigner(const Vtx_String& path);
    /// Runs the section-library editor on the library's groups, types and
    /// tables (startText as StartDlgEditLibSections takes it); on OK writes
    /// the groups and types to the library file. Says on the command line
    /// what was saved or deleted, and has the section-table registry read
    /// the library again when a table changed. True on OK.
    bool editSectionLibrary(const Vtx_String& startText);
    /// The last bill produced (its window stays open until the next one).
    KsSSBillOutput* bill() const { return m_bill.get(); }
    DrawingSession& session() { return m_session; }
    QPlainTextEdit* commandLine() const { return m_commandLine; }
    bool moduleLoaded() const { return m_moduleLoaded; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildSpreadsheetMenu();
    void buildSectionsMenu();
    void buildDialogsMenu();
    void askAndProduceBill();
    void editGeneralVariables(const Vtx_String& macro);
    void refreshApplyMenu();
    void loadModule();
    void unloadModule();
    void showTitle();

    Vtx_String m_modulePath;
    bool m_moduleLoaded = false;
    DrawingSession m_session;
    QPlainTextEdit* m_commandLine = nullptr;
    QMenu* m_applyMenu = nullptr;
    QMenu* m_variablesMenu = nullptr;
    std::unique_ptr<KsSSBillOutput> m_bill;
};

} // namespace host
