#pragma once

/// The groups page (template 8138) and the types page (template 8139) of the
/// section-library editor: a list of the entries with their enabled checks,
/// buttons that move, add and remove entries, and the details of the current
/// entry (enabled, picture, for a type its group and table, the names per
/// language in a grid). The page works on the editor's copy of the record:
/// the shown entry is stored into it whenever another is chosen, and by
/// storeCurrent() before the editor hands the record back.

#include "sectionlib/ui/SectionLibPage.h"

#ifndef Q_MOC_RUN
#include "platform/core/SectionLibrary.h"
#include "spread/VtxSpread.h"
#endif

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;

namespace vtx::spreadui {
class QtDialogHost;
class SpreadView;
} // namespace vtx::spreadui

namespace vtx::sectionui {

/// Control ids of the groups and types pages.
enum SectionEntryControl : int {
    kGroupList = 1194,
    kTypeList = 1199,
    kEntryUp = 1443,
    kEntryDown = 1442,
    kEntryNew = 1189,
    kEntryRemove = 1190,
    kGroupDetails = 1108,
    kTypeDetails = 1081,
    kEntryEnabled = 1185,
    kEntryImageLabel = 1186,
    kEntryImage = 1195,
    kTypeGroupLabel = 1187,
    kTypeGroup = 1196,
    kTypeTableLabel = 1192,
    kTypeTable = 1198,
    kEntryNamesFrame = 1188,
    kEntryNames = 1193,
};

class SectionEntryPage : public SectionLibPage {
    Q_OBJECT
public:
    enum class Kind { Groups, Types };
    SectionEntryPage(Kind kind, DlgEditLibData& record, QWidget* parent);
    ~SectionEntryPage() override;

    /// The position of the shown entry; -1 when there is none.
    int current() const { return m_current; }
    /// Stores the shown entry, then shows entry index (none when index is
    /// not a position).
    void select(int index);
    /// Stores the controls into the shown entry of the record.
    void storeCurrent();
    /// Shows the record's first entry (none when it has none), forgetting
    /// what was shown before: for a record just given to the page.
    void start();
    /// Fills the lists again from the record (the types page's group list
    /// follows the groups) and shows the current entry.
    void refresh();
    Vtx_Spread& namesGrid() { return m_names; }

private:
    void buildControls();
    int count() const;
    const Vtx_StringArray& namesOf(int index) const;
    void fillList();
    void show(int index);
    void addEntry();
    void removeEntry();
    void moveEntry(int step);

    Kind m_kind;
    DlgEditLibData& m_data;
    int m_current = -1;
    QComboBox* m_list = nullptr;
    QGroupBox* m_details = nullptr;
    QCheckBox* m_enabled = nullptr;
    QComboBox* m_image = nullptr;
    QComboBox* m_group = nullptr;
    QComboBox* m_table = nullptr;
    QGroupBox* m_namesFrame = nullptr;
    std::unique_ptr<vtx::spreadui::QtDialogHost> m_host;
    Vtx_Spread m_names;
    vtx::spreadui::SpreadView* m_namesView = nullptr;
};

} // namespace vtx::sectionui
