// SpreadView: construction, keeping the view in step with the grid.
#include "spread/ui/SpreadView.h"

#include "platform/sheet/SheetModel.h"
#include "spread/VtxSpread.h"
#include "spread/ui/CellDelegate.h"
#include "spread/ui/CellLook.h"
#include "spread/ui/FindReplaceDialog.h"
#include "spread/ui/GridHeader.h"
#include "spread/ui/SheetTableModel.h"

#include <QLineEdit>
#include <QProxyStyle>
#include <QResizeEvent>

#include <cmath>
#include <unordered_map>
#include <vector>

namespace vtx::spreadui {

using vtx::sheet::SheetModel;

namespace {

// The table view draws its grid lines in the colour its style gives: this
// style gives the grid's own (the bill's dark grey, the system grids' button
// face), read at every paint.
class GridLineStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_Table_GridLineColor)
            if (const auto* view = qobject_cast<const SpreadView*>(widget))
                return static_cast<int>(view->gridLineColor().rgba());
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

} // namespace

SpreadView::SpreadView(Vtx_Spread& grid, QWidget* parent)
    : QTableView(parent), m_model(std::make_unique<SheetTableModel>(grid)) {
    m_measure = std::make_unique<QtGridMeasure>(*this, grid);
    m_columnHeader = new GridHeader(Qt::Horizontal, *m_model, this);
    m_rowHeader = new GridHeader(Qt::Vertical, *m_model, this);
    setHorizontalHeader(m_columnHeader);
    setVerticalHeader(m_rowHeader);
    m_delegate = new CellDelegate(*m_model, this);
    setItemDelegate(m_delegate);
    setModel(m_model.get());
    setWordWrap(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_columnHeader->setMinimumSectionSize(0);
    m_rowHeader->setMinimumSectionSize(0);
    m_rowHeader->setSectionResizeMode(QHeaderView::Interactive);

    connect(m_model.get(), &SheetTableModel::sheetChanged, this, &SpreadView::onSheetChanged);
    grid.setMeasure(m_measure.get());
    grid.setFocusHandler([this] { setFocus(Qt::OtherFocusReason); });
    grid.setDestroyHandler([this] { gridDestroyed(); });
    connect(this, &SpreadView::findRequested, this, &SpreadView::runFind);
    auto* lines = new GridLineStyle;
    lines->setParent(this);
    setStyle(lines);
    onSheetChanged(vtx::sheet::kChangeStructure);
}

QColor SpreadView::gridLineColor() const {
    const SheetModel* sheet = m_model->sheet();
    const QColor fallback = palette().color(QPalette::Mid);
    return sheet ? gridColor(sheet->appearance().gridColor, palette(), fallback) : fallback;
}

SpreadView::~SpreadView() {
    // The dialog puts the grid's protection back while the view still works.
    delete m_findDialog.data();
    if (Vtx_Spread* g = grid()) {
        g->setMeasure(nullptr);
        g->setFocusHandler(nullptr);
        g->setDestroyHandler(nullptr);
    }
}

Vtx_Spread* SpreadView::grid() const {
    return m_model->grid();
}

void SpreadView::gridDestroyed() {
    m_model->detach();
    clearSpans();
    // The grid's find/replace dialog goes with it.
    delete m_findDialog.data();
}

void SpreadView::sync() {
    m_model->flush();
}

void SpreadView::onSheetChanged(unsigned kinds) {
    using namespace vtx::sheet;
    if (!grid())
        return;
    if (kinds & (kChangeStructure | kChangeOptions))
        applyOptions();
    if (kinds & (kChangeStructure | kChangeSizes))
        applySizes();
    if (kinds & (kChangeStructure | kChangeSpans))
        applySpans();
    if (kinds & (kChangeStructure | kChangeCursor))
        applyCursor();
    if (kinds & (kChangeCells | kChangeOptions | kChangeSpans)) {
        viewport()->update();
        m_columnHeader->viewport()->update();
        m_rowHeader->viewport()->update();
    }
}

void SpreadView::applyOptions() {
    const SheetModel* sheet = m_model->sheet();
    m_columnHeader->setVisible(sheet->option(vtx::sheet::kOptionColumnHeaders));
    m_rowHeader->setVisible(sheet->option(vtx::sheet::kOptionRowHeaders));
}

void SpreadView::applySizes() {
    const SheetModel* sheet = m_model->sheet();
    auto pixels = [](double size) { return static_cast<int>(std::lround(size)); };
    // Each header's default size is the size most of its sections have, and
    // only the others are resized one by one: every single resize costs Qt
    // a walk over all sections, so a grid of many rows would open slowly.
    auto apply = [&](GridHeader* header, int count, auto&& wanted) {
        std::vector<int> sizes(static_cast<std::size_t>(count));
        std::unordered_map<int, int> often;
        for (int i = 0; i < count; ++i) {
            sizes[static_cast<std::size_t>(i)] = std::max(pixels(wanted(i + 1)), 0);
            ++often[sizes[static_cast<std::size_t>(i)]];
        }
        int common = header->defaultSectionSize();
        int most = 0;
        for (const auto& [size, times] : often)
            if (size > 0 && (times > most || (times == most && size < common))) {
                common = size;
                most = times;
            }
        if (common != header->defaultSectionSize())
            header->setDefaultSectionSize(common);
        for (int i = 0; i < count; ++i) {
            const int size = sizes[static_cast<std::size_t>(i)];
            const bool hidden = size == 0;
            if (header->isSectionHidden(i) != hidden)
                header->setSectionHidden(i, hidden);
            if (!hidden && header->sectionSize(i) != size)
                header->resizeSection(i, size);
        }
    };
    apply(m_rowHeader, sheet->maxRows(), [&](int r) { return m_measure->rowPixels(*sheet, r); });
    apply(m_columnHeader, sheet->maxCols(),
          [&](int c) { return m_measure->columnPixels(*sheet, c); });
    // The header row and column have the sizes of row 0 and column 0.
    m_columnHeader->setFixedHeight(std::max(pixels(m_measure->rowPixels(*sheet, 0)), 1));
    m_rowHeader->setFixedWidth(std::max(pixels(m_measure->columnPixels(*sheet, 0)), 1));
}

void SpreadView::applySpans() {
    const SheetModel* sheet = m_model->sheet();
    clearSpans();
    for (const vtx::sheet::CellSpan& span : sheet->spans()) {
        // Spans in the headers are drawn by the headers.
        if (span.col < 1 || span.row < 1)
            continue;
        setSpan(span.row - 1, span.col - 1, span.rows, span.cols);
    }
}

void SpreadView::applyCursor() {
    const SheetModel* sheet = m_model->sheet();
    int column = 0;
    int row = 0;
    m_applyingCursor = true;
    if (sheet->activeCell(column, row)) {
        const QModelIndex active = m_model->index(row - 1, column - 1);
        if (active.isValid() && active != currentIndex())
            selectionModel()->setCurrentIndex(active, QItemSelectionModel::NoUpdate);
    }
    vtx::sheet::CellRange range;
    if (sheet->selection(range) && m_model->rowCount() > 0 && m_model->columnCount() > 0) {
        const int c0 = std::clamp(range.col0, 1, m_model->columnCount()) - 1;
        const int c1 = std::clamp(range.col1, 1, m_model->columnCount()) - 1;
        const int r0 = std::clamp(range.row0, 1, m_model->rowCount()) - 1;
        const int r1 = std::clamp(range.row1, 1, m_model->rowCount()) - 1;
        selectionModel()->select(QItemSelection(m_model->index(r0, c0), m_model->index(r1, c1)),
                                 QItemSelectionModel::ClearAndSelect);
    } else if (currentIndex().isValid()) {
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
    }
    // A cell the grid put into edit mode (a text found) opens its editor
    // with the found characters selected.
    if (sheet->editMode() && currentIndex().isValid() && state() != EditingState) {
        edit(currentIndex());
        if (auto* line = qobject_cast<QLineEdit*>(indexWidget(currentIndex()))) {
            int start = 0;
            int length = 0;
            sheet->editSelection(start, length);
            line->setSelection(start, length < 0 ? line->text().size() : length);
        }
    }
    m_applyingCursor = false;
}

void SpreadView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    Vtx_Spread* g = grid();
    if (m_applyingCursor || !g || !current.isValid())
        return;
    m_model->setViewIsWriting(true);
    g->setActiveCell(current.column() + 1, current.row() + 1);
    m_model->setViewIsWriting(false);
}

void SpreadView::selectionChanged(const QItemSelection& selected,
                                  const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    Vtx_Spread* g = grid();
    if (m_applyingCursor || !g)
        return;
    const QItemSelection all = selectionModel()->selection();
    if (all.isEmpty())
        return;
    // The grid keeps one range: the bounding box of what is selected.
    int c0 = INT_MAX, r0 = INT_MAX, c1 = -1, r1 = -1;
    for (const QItemSelectionRange& range : all) {
        c0 = std::min(c0, range.left());
        r0 = std::min(r0, range.top());
        c1 = std::max(c1, range.right());
        r1 = std::max(r1, range.bottom());
    }
    m_model->setViewIsWriting(true);
    g->selectRange(c0 + 1, r0 + 1, c1 + 1, r1 + 1);
    m_model->setViewIsWriting(false);
}

void SpreadView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    applyLayout();
}

void SpreadView::applyLayout() {
    Vtx_Spread* g = grid();
    if (!g || m_layingOut)
        return;
    // Applying widths can show or hide a scroll bar, which resizes the
    // viewport again: one pass is enough.
    m_layingOut = true;
    const QRect inside = contentsRect();
    g->resized(inside.width(), inside.height());
    sync();
    m_layingOut = false;
}

} // namespace vtx::spreadui
