#pragma once

/// The designer's mouse layer: a transparent widget over a design-mode
/// DesignArea that takes every click meant for the design. It draws the
/// selected controls' outlines with eight resize handles, selects with
/// clicks (Ctrl toggles, Shift adds) and with a rubber band, moves the
/// selection or resizes one control while the button is held (snapping to
/// the other controls' edges unless Alt is held) and nudges the selection
/// with the arrow keys (Shift: ten pixels). Every change goes through the
/// design's operations; a drag is one undo step.
///
///     auto* tracker = new DesignTracker(area);   // covers the area
///     connect(tracker, &DesignTracker::selectionChanged, ...);
///     connect(tracker, &DesignTracker::geometryChanged, ...);

#include <QPoint>
#include <QRect>
#include <QWidget>

#ifndef Q_MOC_RUN
#include "designer/DesignGeometry.h"
#endif

#include <vector>

namespace vtx::designui {

class DesignArea;

/// Size of a resize handle in pixels, drawn outside the control's rectangle.
constexpr int kTrackerHandle = 5;
/// Pixels an arrow key moves the selection; with Shift.
constexpr int kNudgeStep = 1;
constexpr int kNudgeBigStep = 10;

class DesignTracker : public QWidget {
    Q_OBJECT
public:
    explicit DesignTracker(DesignArea* area);

    /// Handle number 0 to 7 (clockwise from top-left) of the selected control
    /// i at point, or -1.
    int handleAt(int i, const QPoint& point) const;
    /// List position of the selected control with a handle at point, else
    /// of the topmost (last drawn) control whose rectangle holds point; -1
    /// when none. handle is the handle hit, or -1.
    int controlAt(const QPoint& point, int& handle) const;
    /// The rectangle of a handle of rect.
    static QRect handleRect(const QRect& rect, int handle);

signals:
    /// The selection may have changed (after a click or a rubber band).
    void selectionChanged();
    /// Controls were moved or resized (one undo step was recorded).
    void geometryChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Drag { None, Move, Resize, Band };
    void startDrag(int i, int handle, const QPoint& point);
    void dragTo(const QPoint& point, bool snap);
    void finishDrag();
    void updateCursor(const QPoint& point);

    DesignArea* m_area;
    Drag m_drag = Drag::None;
    QPoint m_start;
    QRect m_band;
    int m_resized = -1;
    int m_handle = -1;
    /// Pixel rectangles of the selected controls (list positions) when the drag began.
    std::vector<std::pair<int, Vtx_DesignRect>> m_startRects;
};

} // namespace vtx::designui
