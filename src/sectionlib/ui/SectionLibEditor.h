#pragma once

/// The section-library editor (template "DLG_EDIT_SECTIONLIB", size kept
/// under the same name): three pages in a tab control edit the section
/// groups, the section types and the values tables of the library. Groups
/// and types are edited in the editor's copy of the record and handed back
/// only on OK; values tables are saved to their files by the tables page
/// itself (after asking), so a table saved on the way stays saved whatever
/// the editor ends with.
///
///     SectionLibEditor editor("HEA-100");   // opens on the tables page, row 100 of HEA
///     editor.setRecord(data);
///     if (editor.exec() == QDialog::Accepted)
///         data = editor.record();

#include "platform/ui/VtxDialog.h"

#ifndef Q_MOC_RUN
#include "platform/core/SectionLibrary.h"
#endif

class QTabWidget;

namespace vtx::sectionui {

class SectionEntryPage;
class SectionTablesPage;

/// The pages in the order of the tabs.
enum SectionLibTab : int { kGroupsTab = 0, kTypesTab = 1, kTablesTab = 2 };

class SectionLibEditor : public vtx::ui::VtxDialog {
    Q_OBJECT
public:
    /// startText names a section as table, "-", system name; when it is not
    /// empty the editor opens on the tables page at that section.
    explicit SectionLibEditor(const Vtx_String& startText, QWidget* parent = nullptr);
    ~SectionLibEditor() override;

    void setRecord(const DlgEditLibData& record);
    /// The record with the groups and types as edited (stored by OK).
    const DlgEditLibData& record() const { return m_data; }

    QTabWidget* tabs() const { return m_tabs; }
    SectionEntryPage* groupsPage() const { return m_groups; }
    SectionEntryPage* typesPage() const { return m_types; }
    SectionTablesPage* tablesPage() const { return m_tables; }

    /// OK: a changed table is offered for saving (Cancel there keeps the
    /// editor open); then the shown group and type are stored.
    void accept() override;

private:
    void tabChanged(int index);
    /// Stores the entry shown on the page at tab index into the record.
    void storePage(int index);

    Vtx_String m_startText;
    DlgEditLibData m_data;
    QTabWidget* m_tabs = nullptr;
    SectionEntryPage* m_groups = nullptr;
    SectionEntryPage* m_types = nullptr;
    SectionTablesPage* m_tables = nullptr;
    int m_shownTab = kGroupsTab;
};

} // namespace vtx::sectionui
