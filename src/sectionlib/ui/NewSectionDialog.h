#pragma once

/// The new-section dialog (template "DLG_EDITLIBSIMPLE", size kept under the
/// same name): adds one section to a values table by example. It shows the
/// picture of the table's section type, the example's user name and values;
/// the user types new values, and the new name is made from them as the
/// example's system name is made from its values (radio 1358), or typed
/// (radio 1359). OK adds the section to the dialog's copy of the table; a
/// name that is taken, empty or unstorable is refused with a message and the
/// dialog stays open.
///
///     NewSectionDialog dialog("200x100x10", table);
///     if (dialog.exec() == QDialog::Accepted)
///         table = dialog.table();   // dialog.newIndex(): among the sections in use

#include "platform/ui/VtxDialog.h"

#ifndef Q_MOC_RUN
#include "platform/ui/ResizableLayout.h"
#include "sectionlib/NewSectionByExample.h"
#include "sectionlib/ProfValuesTable.h"
#endif

#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace vtx::sectionui {

/// Control ids of the dialog.
enum NewSectionControl : int {
    kNewSectionPicture = 1294,
    kNewSectionFrame = 1360,
    kNewSectionAutoName = 1358,
    kNewSectionTypedName = 1359,
    kNewSectionNameLabel = 1123,
    kNewSectionName = 1000,
    kNewSectionFirstValueLabel = 1299, ///< value k's label: 1299 + 2 (k - 1)
    kNewSectionFirstValue = 1300,      ///< value k's edit: 1300 + 2 (k - 1)
};

class NewSectionDialog : public vtx::ui::VtxDialog {
    Q_OBJECT
public:
    NewSectionDialog(const Vtx_String& exampleName, const Vtx_ProfValuesTable& table,
                     QWidget* parent = nullptr);
    ~NewSectionDialog() override;

    /// The table with the new section once OK was accepted.
    const Vtx_ProfValuesTable& table() const { return m_table; }
    /// The new section's position among the sections in use; -1 before OK.
    int newIndex() const { return m_newIndex; }
    const NewSectionByExample& example() const { return *m_example; }

    void accept() override;

private:
    void buildControls();
    void showExample();
    void placeControls();
    /// The texts of the shown value edits, in order.
    Vtx_StringArray shownValues() const;
    void refreshName();
    void refuse(int text, const Vtx_String& detail);

    Vtx_ProfValuesTable m_table;
    std::unique_ptr<NewSectionByExample> m_example;
    vtx::ui::ResizableLayout m_layout;
    QLabel* m_picture = nullptr;
    QRadioButton* m_auto = nullptr;
    QRadioButton* m_typed = nullptr;
    QLineEdit* m_name = nullptr;
    std::vector<QLabel*> m_valueLabels;
    std::vector<QLineEdit*> m_values;
    int m_newIndex = -1;
};

} // namespace vtx::sectionui
