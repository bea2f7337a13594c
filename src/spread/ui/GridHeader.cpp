#include "spread/ui/GridHeader.h"

#include "platform/sheet/SheetModel.h"
#include "spread/VtxSpread.h"
#include "spread/ui/CellLook.h"
#include "spread/ui/SheetTableModel.h"

#include <QPainter>

namespace vtx::spreadui {

GridHeader::GridHeader(Qt::Orientation orientation, SheetTableModel& model, QWidget* parent)
    : QHeaderView(orientation, parent), m_model(model) {
    setSectionsClickable(true);
    setHighlightSections(true);
}

int GridHeader::spanOf(int logicalIndex, int& first) const {
    first = logicalIndex;
    const vtx::sheet::SheetModel* sheet = m_model.sheet();
    vtx::sheet::CellSpan span;
    const bool horizontal = orientation() == Qt::Horizontal;
    if (!sheet ||
        !sheet->getSpan(horizontal ? logicalIndex + 1 : 0, horizontal ? 0 : logicalIndex + 1, span))
        return 1;
    // Only a span along the header counts; one reaching into the body
    // cannot be drawn by a header.
    if (horizontal ? span.row != 0 : span.col != 0)
        return 1;
    first = (horizontal ? span.col : span.row) - 1;
    return horizontal ? span.cols : span.rows;
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const vtx::sheet::SheetModel* sheet = m_model.sheet();
    if (!sheet || !rect.isValid())
        return;
    int first = logicalIndex;
    const int count = spanOf(logicalIndex, first);
    QRect r = rect;
    if (count > 1) {
        // The whole span, drawn from its first section whichever part of it
        // needs painting.
        int length = 0;
        for (int i = first; i < first + count && i < this->count(); ++i)
            if (!isSectionHidden(i))
                length += sectionSize(i);
        const int start = sectionViewportPosition(first);
        r = orientation() == Qt::Horizontal ? QRect(start, rect.top(), length, rect.height())
                                            : QRect(rect.left(), start, rect.width(), length);
    }
    const bool horizontal = orientation() == Qt::Horizontal;
    const int column = horizontal ? first + 1 : 0;
    const int row = horizontal ? 0 : first + 1;
    const vtx::sheet::CellStyle style = sheet->style(column, row);
    const QPalette& pal = palette();
    painter->save();
    painter->setClipRect(r.united(rect));
    painter->fillRect(r, gridColor(style.backColor, pal, pal.color(QPalette::Button)));
    painter->setPen(pal.color(QPalette::Mid));
    painter->drawLine(r.topRight(), r.bottomRight());
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->setPen(gridColor(style.foreColor, pal, pal.color(QPalette::ButtonText)));
    painter->setFont(cellFont(style.font, *m_model.grid()));
    const QString text = m_model.headerData(first, orientation(), Qt::DisplayRole).toString();
    painter->drawText(r.adjusted(2, 0, -2, 0), Qt::AlignCenter, text);
    painter->restore();
}

} // namespace vtx::spreadui
