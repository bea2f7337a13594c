#pragma once

/// The tables page (template 8716) of the section-library editor: one values
/// table of the library at a time in a grid, with its template, and the
/// buttons that make, delete and rename tables, renew the headers, copy and
/// paste cells, insert, delete and move rows and open the find dialog.
///
/// The table lives only in the grid until it is saved: before another table
/// is loaded and before the editor closes with OK, a changed table is
/// offered for saving (askSave). Table files are written whole through
/// Vtx_ProfValuesTable::writeToFile; a table that cannot be saved is said
/// in a message and nothing moves on.

#include "sectionlib/ui/SectionLibPage.h"

#ifndef Q_MOC_RUN
#include "platform/core/SectionLibrary.h"
#include "sectionlib/ProfValuesTable.h"
#include "spread/VtxSpread.h"
#endif

#include <memory>

class QComboBox;

namespace vtx::spreadui {
class QtDialogHost;
class SpreadView;
} // namespace vtx::spreadui

namespace vtx::sectionui {

/// Control ids of the tables page.
enum SectionTablesControl : int {
    kTableList = 1248,
    kTableNew = 1189,
    kTableDelete = 1190,
    kTableRenewHeaders = 1200,
    kTableRename = 1201,
    kTableCopy = 1199,
    kTablePaste = 1198,
    kTableInsertRow = 1204,
    kTableDeleteRow = 1205,
    kTableRowUp = 1206,
    kTableRowDown = 1207,
    kTableFind = 1208,
    kTableTemplateFrame = 1203,
    kTableTemplate = 1202,
    kTableGrid = 1196,
};

class SectionTablesPage : public SectionLibPage {
    Q_OBJECT
public:
    SectionTablesPage(DlgEditLibData& record, QWidget* parent);
    ~SectionTablesPage() override;

    /// Loads the table the start text names ("HEA-100": table HEA, case
    /// ignored; the first table otherwise) and makes the row of that section
    /// active.
    void openAt(const Vtx_String& startText);
    /// When the grid was changed: asks whether to save the table (Yes, No,
    /// Cancel). False when the user cancelled or the table could not be
    /// saved; true when it may be left.
    bool askSave();
    /// The position of the loaded table in the list; -1 when none.
    int loaded() const { return m_loaded; }
    Vtx_Spread& grid() { return m_grid; }
    vtx::spreadui::SpreadView* view() const { return m_view; }

private:
    void buildControls();
    void fillList(int selected);
    void load(int index);
    /// Fills the template list for the loaded table and selects its template.
    void showTemplate();
    /// The template the list shows; the loaded table's when none is chosen.
    Vtx_String chosenTemplate() const;
    /// The loaded table as the grid holds it, named as the list names it.
    void tableFromGrid(Vtx_ProfValuesTable& table);
    void enableControls();
    bool save();
    void switchTo(int index);
    void newTable();
    void deleteTable();
    void renameTable();
    void templateChosen(int index);
    /// Rebuilds the header row for the chosen template; with askToDrop the
    /// columns beyond a standard type's names may be dropped.
    void renewHeaders(bool askToDrop);
    void copyCells();
    void pasteCells();
    void insertRow();
    void deleteRow();
    void moveRow(bool up);
    void warn(int text, const Vtx_String& detail);

    DlgEditLibData& m_data;
    Vtx_ProfValuesTable m_table; ///< the loaded table's name and template
    int m_loaded = -1;
    bool m_unsaved = false; ///< the loaded table is new and has no file yet
    QComboBox* m_list = nullptr;
    QComboBox* m_template = nullptr;
    std::unique_ptr<vtx::spreadui::QtDialogHost> m_host;
    Vtx_Spread m_grid;
    vtx::spreadui::SpreadView* m_view = nullptr;
};

} // namespace vtx::sectionui
