#pragma once

/// The general-variables dialog (template 256, size kept as "DLG_GENVARS"):
/// the general variables of drawings (grid 1434: name, value, filter) and of
/// standards (grid 1444: name, value, override, filter), each grid with an
/// add and a delete button beside it. A row's filter takes drawings picked
/// in a file picker: a click on the row's "..." cell, or F4 in the grid,
/// opens it for the active row. On OK the grids are read back into the
/// record, leaving out rows without a name.
///
///     KsAutoStandardsData& data = db.autoStandardsData();
///     if (StartDlgGenVars(data)) ...   // changed only on OK

#include "platform/Exports.h"
#include "platform/ui/VtxDialog.h"

#ifndef Q_MOC_RUN
#include "platform/core/KsAutoStandardsData.h"
#include "standards/ui/GenVarsGrid.h"
#endif

#include <memory>

class QToolButton;

namespace vtx::standardsui {

/// Control ids of the dialog.
enum GenVarsControl : int {
    kGenVarsDrawingGrid = 1434,
    kGenVarsStandardsGrid = 1444,
    kGenVarsDrawingAdd = 1438,
    kGenVarsDrawingDelete = 1439,
    kGenVarsStandardsAdd = 1440,
    kGenVarsStandardsDelete = 1441,
};

class GenVarsDialog : public vtx::ui::VtxDialog {
    Q_OBJECT
public:
    explicit GenVarsDialog(QWidget* parent = nullptr);
    ~GenVarsDialog() override;

    /// Shows the record's lists in the two grids.
    void setRecord(const KsAutoStandardsData& record);
    /// The record as the grids hold it now (rows without a name left out).
    KsAutoStandardsData record() const;

    GenVarsGrid& drawingGrid() { return m_drawing; }
    GenVarsGrid& standardsGrid() { return m_standards; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* iconButton(int id, int icon, int tip, bool add);
    /// Connects a grid's buttons, its "..." cells and F4.
    void wireGrid(GenVarsGrid& grid, QToolButton* add, QToolButton* remove);

    std::unique_ptr<vtx::spreadui::QtDialogHost> m_host;
    GenVarsGrid m_drawing;
    GenVarsGrid m_standards;
};

} // namespace vtx::standardsui
