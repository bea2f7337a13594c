#include "spread/ui/SheetTableModel.h"

#include "platform/ui/UiText.h"
#include "spread/VtxSpread.h"

#include <QMetaObject>

namespace vtx::spreadui {

using vtx::sheet::CellKind;
using vtx::sheet::CellRange;
using vtx::sheet::SheetChange;
using vtx::sheet::SheetModel;
using vtx::sheet::TextForm;
using vtx::ui::moduleText;
using vtx::ui::qtText;

namespace {

QString cellText(const SheetModel& sheet, int column, int row, TextForm form) {
    std::string text;
    sheet.getText(column, row, form, text);
    return text.empty() ? QString() : qtText(Vtx_String(std::move(text)));
}

} // namespace

QString columnLetters(int column) {
    QString letters;
    for (; column > 0; column = (column - 1) / 26)
        letters.prepend(QChar('A' + (column - 1) % 26));
    return letters;
}

SheetTableModel::SheetTableModel(Vtx_Spread& grid, QObject* parent)
    : QAbstractTableModel(parent), m_grid(&grid) {
    if (SheetModel* sheet = grid.model()) {
        m_rows = sheet->maxRows();
        m_columns = sheet->maxCols();
        sheet->setChangeListener([this](const SheetChange& change) { noteChange(change); });
    }
}

SheetTableModel::~SheetTableModel() {
    detach();
}

void SheetTableModel::detach() {
    if (!m_grid)
        return;
    if (SheetModel* sheet = m_grid->model())
        sheet->setChangeListener(nullptr);
    beginResetModel();
    m_grid = nullptr;
    m_rows = 0;
    m_columns = 0;
    m_pending = 0;
    endResetModel();
}

const SheetModel* SheetTableModel::sheet() const {
    return m_grid ? m_grid->model() : nullptr;
}

int SheetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int SheetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QVariant SheetTableModel::data(const QModelIndex& index, int role) const {
    const SheetModel* s = sheet();
    if (!s || !index.isValid())
        return {};
    const int column = sheetColumn(index);
    const int row = sheetRow(index);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        if (role == Qt::ToolTipRole && s->appearance().textTipMode == 0)
            return {};
        const CellKind kind = s->cellType(column, row).kind;
        if (kind == CellKind::CheckBox || kind == CellKind::Picture)
            return {};
        const QString shown = cellText(*s, column, row, TextForm::Value);
        return shown.isEmpty() ? QVariant() : QVariant(shown);
    }
    case Qt::EditRole:
        if (s->hasFormula(column, row))
            return QStringLiteral("=") + cellText(*s, column, row, TextForm::Formula);
        return cellText(*s, column, row, TextForm::Data);
    default:
        return {};
    }
}

QVariant SheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const SheetModel* s = sheet();
    if (!s || role != Qt::DisplayRole)
        return {};
    const bool horizontal = orientation == Qt::Horizontal;
    const QString text = horizontal ? cellText(*s, section + 1, 0, TextForm::Value)
                                    : cellText(*s, 0, section + 1, TextForm::Value);
    // An empty header cell shows the usual labels: letters over the columns,
    // numbers beside the rows.
    if (!text.isEmpty())
        return text;
    return horizontal ? columnLetters(section + 1) : QString::number(section + 1);
}

bool SheetTableModel::isUserEditable(int column, int row) const {
    const SheetModel* s = sheet();
    if (!s || column < 1 || row < 1 || column > s->maxCols() || row > s->maxRows())
        return false;
    if (s->option(vtx::sheet::kOptionProtect) && s->isLocked(column, row))
        return false;
    vtx::sheet::CellSpan span;
    if (s->getSpan(column, row, span) && (span.col != column || span.row != row))
        return false;
    const CellKind kind = s->cellType(column, row).kind;
    return kind != CellKind::Picture && kind != CellKind::Header;
}

Qt::ItemFlags SheetTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || !sheet())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int column = sheetColumn(index);
    const int row = sheetRow(index);
    // Check boxes are toggled by a click or the space bar, not in an editor.
    if (isUserEditable(column, row) && sheet()->cellType(column, row).kind != CellKind::CheckBox)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool SheetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || !m_grid)
        return false;
    const int column = sheetColumn(index);
    const int row = sheetRow(index);
    Vtx_String text;
    if (!isUserEditable(column, row) || !moduleText(value.toString(), text))
        return false;
    // An editor closed without a change (as when a find opened it) leaves
    // the grid unmodified.
    if (value.toString() == data(index, Qt::EditRole).toString())
        return true;
    const bool stored = text.startsWith("=") && text.length() > 1
                            ? m_grid->setCellFormula(column, row, text.mid(1), true)
                            : m_grid->setCellText(column, row, text);
    if (!stored)
        return false;
    m_grid->setModified(true);
    // The grid's change notification: check links follow the driver cell.
    m_grid->cellChanged();
    return true;
}

void SheetTableModel::noteChange(const SheetChange& change) {
    unsigned kinds = change.kinds;
    if (m_viewWriting)
        kinds &= ~static_cast<unsigned>(vtx::sheet::kChangeCursor);
    if (kinds == 0)
        return;
    if (kinds & vtx::sheet::kChangeCells) {
        const CellRange& r = change.range;
        if (!r.isValid() || m_dirtyAll) {
            m_dirtyAll = true;
        } else if (!(m_pending & vtx::sheet::kChangeCells) || !m_dirty.isValid()) {
            m_dirty = r;
        } else {
            m_dirty = {std::min(m_dirty.col0, r.col0), std::min(m_dirty.row0, r.row0),
                       std::max(m_dirty.col1, r.col1), std::max(m_dirty.row1, r.row1)};
        }
    }
    m_pending |= kinds;
    if (!m_flushQueued) {
        m_flushQueued = true;
        QMetaObject::invokeMethod(this, &SheetTableModel::flush, Qt::QueuedConnection);
    }
}

void SheetTableModel::flush() {
    m_flushQueued = false;
    const unsigned kinds = m_pending;
    m_pending = 0;
    const SheetModel* s = sheet();
    if (kinds == 0 || !s)
        return;
    if (kinds & vtx::sheet::kChangeStructure) {
        beginResetModel();
        m_rows = s->maxRows();
        m_columns = s->maxCols();
        endResetModel();
    } else if ((kinds & vtx::sheet::kChangeCells) && m_rows > 0 && m_columns > 0) {
        // Cells of the header row or column are the header's; the views
        // repaint on the signal below.
        int c0 = 0, r0 = 0, c1 = m_columns - 1, r1 = m_rows - 1;
        if (!m_dirtyAll && m_dirty.isValid()) {
            c0 = std::clamp(m_dirty.col0 - 1, 0, c1);
            r0 = std::clamp(m_dirty.row0 - 1, 0, r1);
            c1 = std::clamp(m_dirty.col1 - 1, c0, c1);
            r1 = std::clamp(m_dirty.row1 - 1, r0, r1);
        }
        emit dataChanged(index(r0, c0), index(r1, c1));
    }
    m_dirtyAll = false;
    m_dirty = {};
    emit sheetChanged(kinds);
}

} // namespace vtx::spreadui
