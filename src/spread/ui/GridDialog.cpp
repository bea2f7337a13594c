// startGridDialog: a table of texts edited in one grid.
#include "spread/ui/GridDialog.h"

#include "platform/ui/ModalStart.h"
#include "platform/ui/UiText.h"
#include "platform/ui/VtxDialog.h"
#include "spread/VtxSpread.h"
#include "spread/ui/QtDialogHost.h"
#include "spread/ui/SpreadView.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace vtx::spreadui {

namespace {

using vtx::ui::uiText;
using vtx::ui::VtxDialog;

constexpr int kTemplate = 208;
// Number columns take numbers in this range (the spin box's width follows
// the widest number it allows).
constexpr double kNumberBound = 1e9;
constexpr int kRowNumberWidth = 40;

enum class ColumnKind { Text, Number, CheckBox };

struct Column {
    ColumnKind kind = ColumnKind::Text;
    int decimals = 2;
};

Column columnOf(const Vtx_String& kind) {
    Column column;
    if (kind.equal("C", false)) {
        column.kind = ColumnKind::CheckBox;
    } else if (kind.length() <= 2 && (kind.at(0) == 'N' || kind.at(0) == 'n')) {
        const char digit = kind.at(1);
        if (kind.length() == 1 || (digit >= '0' && digit <= '9')) {
            column.kind = ColumnKind::Number;
            column.decimals = kind.length() == 1 ? 2 : digit - '0';
        }
    }
    return column;
}

QPushButton* addButton(QBoxLayout* layout, QWidget* parent, int id, const QString& text) {
    auto* button = new QPushButton(text, parent);
    VtxDialog::setControlId(button, id);
    // Enter belongs to the grid's cell editor: no button takes it.
    button->setAutoDefault(false);
    layout->addWidget(button);
    return button;
}

class GridTableDialog : public VtxDialog {
public:
    GridTableDialog(const Vtx_Array<Vtx_StringArray>& headers, bool rowsEditable,
                    const Vtx_String& name, const Vtx_String& title)
        : VtxDialog(kTemplate, name), m_titles(headers[0]) {
        setWindowTitle(vtx::ui::qtText(title));
        setSizeGripEnabled(true);
        if (headers.length() > 1)
            for (int i = 0; i < headers[1].length(); ++i)
                m_columns.append(columnOf(headers[1][i]));

        auto* placeholder = new QWidget(this);
        setControlId(placeholder, kGridDialogGridId);
        auto* buttons = new QHBoxLayout;
        if (rowsEditable) {
            connect(addButton(buttons, this, kGridDialogInsertRowId, uiText(774)),
                    &QPushButton::clicked, this, [this] { insertRow(); });
            connect(addButton(buttons, this, kGridDialogDeleteRowId, uiText(775)),
                    &QPushButton::clicked, this, [this] { deleteRows(); });
        }
        buttons->addStretch(1);
        connect(addButton(buttons, this, 1, uiText(1)), &QPushButton::clicked, this,
                &GridTableDialog::accept);
        connect(addButton(buttons, this, 2, uiText(2)), &QPushButton::clicked, this,
                &GridTableDialog::reject);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(placeholder, 1);
        layout->addLayout(buttons);
        resize(560, 360);

        m_host = std::make_unique<QtDialogHost>(*this);
        m_grid.createInDialog(m_host.get(), kGridDialogGridId, true);
        m_view = m_host->view(kGridDialogGridId);
    }

    void setRecord(const Vtx_Array<Vtx_StringArray>& rows) {
        int columns = m_titles.length();
        for (int i = 0; i < rows.length(); ++i)
            columns = std::max(columns, rows[i].length());
        m_grid.setMaxCols(columns, false);
        m_grid.setMaxRows(rows.length(), false);
        m_grid.applyGridStyle(1);
        m_grid.setHeaderRow(m_titles);
        for (int i = 0; i < rows.length(); ++i)
            m_grid.setRow(i + 1, rows[i]);
        applyKinds(1, rows.length());
        // The row numbers keep a narrow column; the others share the width.
        m_grid.setColumnLayoutList(kLayoutColumnList, {0}, {kRowNumberWidth});
        m_grid.setModified(false);
        m_view->sync();
    }

    Vtx_Array<Vtx_StringArray> record() const {
        Vtx_Array<Vtx_StringArray> rows;
        for (int r = 1; r <= m_grid.getMaxRows(); ++r) {
            Vtx_StringArray row;
            for (int c = 1; c <= m_grid.getMaxCols(); ++c) {
                Vtx_String text;
                // A number keeps the text it was given; the others read as shown.
                m_grid.getCellText(c, r, text,
                                   kind(c).kind == ColumnKind::Number ? kTextData : kTextValue);
                row.append(text);
            }
            rows.append(row);
        }
        return rows;
    }

    void accept() override {
        // What is being typed into a cell belongs to the table.
        m_view->finishEditing();
        VtxDialog::accept();
    }

private:
    Column kind(int column) const {
        return column <= m_columns.length() ? m_columns[column - 1] : Column{};
    }

    void applyKinds(int firstRow, int lastRow) {
        if (firstRow > lastRow)
            return;
        for (int c = 1; c <= m_grid.getMaxCols(); ++c) {
            const Column column = kind(c);
            if (column.kind == ColumnKind::Number)
                m_grid.setNumberCells(c, firstRow, c, lastRow, column.decimals, -kNumberBound,
                                      kNumberBound);
            else if (column.kind == ColumnKind::CheckBox)
                for (int r = firstRow; r <= lastRow; ++r)
                    m_grid.setCheckBoxCell(c, r, false);
        }
    }

    void insertRow() {
        m_view->finishEditing();
        int column = 1;
        int row = 0;
        if (m_grid.getMaxRows() > 0)
            m_grid.getActiveCell(column, row);
        const int at = row + 1;
        if (!m_grid.insertRow(at, false, false))
            return;
        applyKinds(at, at);
        for (int c = 1; c <= m_grid.getMaxCols(); ++c)
            if (kind(c).kind == ColumnKind::CheckBox)
                m_grid.setCellText(c, at, "0");
        m_grid.setActiveCell(1, at);
        m_grid.selectRange(1, at, 1, at);
        m_view->sync();
        m_view->setFocus(Qt::OtherFocusReason);
    }

    void deleteRows() {
        m_view->finishEditing();
        if (m_grid.getMaxRows() < 1)
            return;
        int column1 = 0, row1 = 0, column2 = 0, row2 = 0;
        m_grid.getSelection(column1, row1, column2, row2);
        const int first = std::clamp(std::min(row1, row2), 1, m_grid.getMaxRows());
        const int last = std::clamp(std::max(row1, row2), 1, m_grid.getMaxRows());
        for (int r = last; r >= first; --r)
            m_grid.deleteRow(r);
        m_view->sync();
        m_view->setFocus(Qt::OtherFocusReason);
    }

    Vtx_StringArray m_titles;
    Vtx_Array<Column> m_columns;
    std::unique_ptr<QtDialogHost> m_host;
    Vtx_Spread m_grid;
    SpreadView* m_view = nullptr;
};

} // namespace

} // namespace vtx::spreadui

bool startGridDialog(const Vtx_Array<Vtx_StringArray>& headers, Vtx_Array<Vtx_StringArray>& rows,
                     bool rowsEditable, const Vtx_String& dialogName, const Vtx_String& title) {
    if (headers.isEmpty() || headers[0].isEmpty())
        return false;
    return vtx::ui::runModalStart<vtx::spreadui::GridTableDialog>(rows, headers, rowsEditable,
                                                                  dialogName, title);
}
