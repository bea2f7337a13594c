#include "spread/ui/QtGridMeasure.h"

#include "platform/sheet/SheetModel.h"
#include "platform/ui/UiText.h"
#include "spread/VtxSpread.h"
#include "spread/ui/CellLook.h"
#include "spread/ui/SheetTableModel.h"

#include <QAbstractScrollArea>
#include <QFontMetrics>
#include <QStyle>

#include <cmath>

namespace vtx::spreadui {

namespace {

constexpr int kCellMargin = 6;

} // namespace

Vtx_Size QtGridMeasure::clientSize(const vtx::sheet::SheetModel&) const {
    // The area inside the frame: headers, cells and scroll bars.
    const QRect inside = m_view.contentsRect();
    return {inside.width(), inside.height()};
}

Vtx_Size QtGridMeasure::scrollBarSize(const vtx::sheet::SheetModel&) const {
    const int extent = m_view.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &m_view);
    return {extent, extent};
}

bool QtGridMeasure::verticalScrollBarShown(const vtx::sheet::SheetModel& sheet) const {
    switch (m_view.verticalScrollBarPolicy()) {
    case Qt::ScrollBarAlwaysOn:
        return true;
    case Qt::ScrollBarAlwaysOff:
        return false;
    default:
        return contentHeight(sheet) > clientSize(sheet).height;
    }
}

bool QtGridMeasure::horizontalScrollBarShown(const vtx::sheet::SheetModel& sheet) const {
    switch (m_view.horizontalScrollBarPolicy()) {
    case Qt::ScrollBarAlwaysOn:
        return true;
    case Qt::ScrollBarAlwaysOff:
        return false;
    default: {
        int width = clientSize(sheet).width;
        if (verticalScrollBarShown(sheet))
            width -= scrollBarSize(sheet).width;
        return contentWidth(sheet) > width;
    }
    }
}

Vtx_Size QtGridMeasure::textExtent(const vtx::sheet::SheetModel& sheet, int column, int row) const {
    const QFontMetrics metrics(cellFont(sheet.font(column, row), m_grid));
    const vtx::sheet::CellKind kind = sheet.cellType(column, row).kind;
    if (kind == vtx::sheet::CellKind::CheckBox || kind == vtx::sheet::CellKind::Picture) {
        const int side = metrics.height() + kCellMargin;
        return {side, side};
    }
    std::string text;
    sheet.getText(column, row, vtx::sheet::TextForm::Value, text);
    QString shown = vtx::ui::qtText(Vtx_String(text));
    // An empty header cell shows its label, which needs its room too.
    if (shown.isEmpty() && row == 0 && column > 0)
        shown = columnLetters(column);
    else if (shown.isEmpty() && column == 0 && row > 0)
        shown = QString::number(row);
    // An empty cell still needs its margins and one line.
    const QStringList lines = shown.split(QLatin1Char('\n'));
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return {widest + kCellMargin, static_cast<int>(lines.size()) * metrics.lineSpacing() + 4};
}

double QtGridMeasure::pixelsPerWidthUnit() const {
    const QFontMetrics metrics(cellFont({}, m_grid));
    return std::max(1, metrics.averageCharWidth());
}

double QtGridMeasure::pixelsPerHeightUnit() const {
    return m_view.logicalDpiY() / 72.0;
}

} // namespace vtx::spreadui
