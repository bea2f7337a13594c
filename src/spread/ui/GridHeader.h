#pragma once

/// A header of the grid view: the grid's header row (horizontal) or header
/// column (vertical). It draws each header cell in its own font and colours,
/// and a span of header cells (a check-box column's header spanning it and
/// the next) as one section.

#include <QHeaderView>

namespace vtx::spreadui {

class SheetTableModel;

class GridHeader : public QHeaderView {
    Q_OBJECT
public:
    GridHeader(Qt::Orientation orientation, SheetTableModel& model, QWidget* parent = nullptr);

    /// The first section and the number of sections that the header cell of
    /// section logicalIndex covers (1 when it lies in no span).
    int spanOf(int logicalIndex, int& first) const;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    SheetTableModel& m_model;
};

} // namespace vtx::spreadui
