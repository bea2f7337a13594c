#pragma once

/// The grid's measure answered from a real view: its client area, the
/// style's scroll-bar sizes, real font metrics for text extents, and the
/// default font's character width and the screen's points as size units.

#ifndef Q_MOC_RUN
#include "spread/GridMeasure.h"
#endif

class QAbstractScrollArea;
class Vtx_Spread;

namespace vtx::spreadui {

class QtGridMeasure : public GridMeasure {
public:
    QtGridMeasure(const QAbstractScrollArea& view, const Vtx_Spread& grid)
        : m_view(view), m_grid(grid) {}

    Vtx_Size clientSize(const vtx::sheet::SheetModel& sheet) const override;
    Vtx_Size scrollBarSize(const vtx::sheet::SheetModel& sheet) const override;
    bool verticalScrollBarShown(const vtx::sheet::SheetModel& sheet) const override;
    bool horizontalScrollBarShown(const vtx::sheet::SheetModel& sheet) const override;
    Vtx_Size textExtent(const vtx::sheet::SheetModel& sheet, int column, int row) const override;
    double pixelsPerWidthUnit() const override;
    double pixelsPerHeightUnit() const override;

private:
    const QAbstractScrollArea& m_view;
    const Vtx_Spread& m_grid;
};

} // namespace vtx::spreadui
