#include "designer/ui/DesignTracker.h"

#include "designer/ui/DesignArea.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vtx::designui {

namespace {

QRect toQRect(const Vtx_DesignRect& rect) {
    return QRect(QPoint(static_cast<int>(rect.left), static_cast<int>(rect.top)),
                 QPoint(static_cast<int>(rect.right) - 1, static_cast<int>(rect.bottom) - 1));
}

bool isSelected(const Vtx_DlgDesignerData& design, int id) {
    const Vtx_Array<int>& ids = design.getSelectedIds();
    return id > 0 && std::find(ids.begin(), ids.end(), id) != ids.end();
}

void setEdges(Vtx_DlgDesignerData& design, int i, const Vtx_DesignRect& rect) {
    Vtx_DesignerControl& control = *design.getControlWrite(i);
    design.setTopLeftX(control, rect.left);
    design.setTopLeftY(control, rect.top);
    design.setBottomRightX(control, rect.right);
    design.setBottomRightY(control, rect.bottom);
}

} // namespace

DesignTracker::DesignTracker(DesignArea* area) : QWidget(area), m_area(area) {
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setGeometry(area->rect());
    area->installEventFilter(this);
}

bool DesignTracker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_area && event->type() == QEvent::Resize)
        setGeometry(m_area->rect());
    return QWidget::eventFilter(watched, event);
}

QRect DesignTracker::handleRect(const QRect& rect, int handle) {
    const int n = kTrackerHandle;
    const int xs[3] = {rect.left() - n, rect.center().x() - n / 2, rect.right() + 1};
    const int ys[3] = {rect.top() - n, rect.center().y() - n / 2, rect.bottom() + 1};
    // Clockwise from the top-left corner.
    static constexpr int column[8] = {0, 1, 2, 2, 2, 1, 0, 0};
    static constexpr int row[8] = {0, 0, 0, 1, 2, 2, 2, 1};
    return QRect(xs[column[handle]], ys[row[handle]], n, n);
}

int DesignTracker::handleAt(int i, const QPoint& point) const {
    const Vtx_DlgDesignerData& design = m_area->design();
    const Vtx_DesignerControl* control = design.getControl(i);
    if (!control || !isSelected(design, control->resourceId))
        return -1;
    const QRect rect = toQRect(design.drawRect(*control));
    for (int handle = 0; handle < 8; ++handle)
        if (handleRect(rect, handle).contains(point))
            return handle;
    return -1;
}

int DesignTracker::controlAt(const QPoint& point, int& handle) const {
    const Vtx_DlgDesignerData& design = m_area->design();
    // The handles of the selection lie over everything; then later controls
    // lie on top of earlier ones (a frame is listed before the controls in
    // it), so the last one at the point is the one hit.
    for (const int id : design.getSelectedIds()) {
        int i = -1;
        if (design.findCtrlFromResource(id, i) && (handle = handleAt(i, point)) >= 0)
            return i;
    }
    handle = -1;
    for (int i = design.getNrControls() - 1; i >= 0; --i)
        if (toQRect(design.drawRect(*design.getControl(i))).contains(point))
            return i;
    handle = -1;
    return -1;
}

void DesignTracker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Vtx_DlgDesignerData& design = m_area->design();
    const QColor colour = palette().color(QPalette::Highlight);
    for (const int id : design.getSelectedIds()) {
        int i = -1;
        if (!design.findCtrlFromResource(id, i))
            continue;
        const QRect rect = toQRect(design.drawRect(*design.getControl(i)));
        painter.setPen(QPen(colour, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect);
        for (int handle = 0; handle < 8; ++handle)
            painter.fillRect(handleRect(rect, handle), colour);
    }
    if (m_drag == Drag::Band) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DashLine));
        painter.drawRect(m_band);
    }
}

void DesignTracker::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_drag != Drag::None) {
        event->ignore();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    Vtx_DlgDesignerData& design = m_area->design();
    const QPoint point = event->position().toPoint();
    const Qt::KeyboardModifiers keys = event->modifiers();
    int handle = -1;
    const int i = controlAt(point, handle);
    if (i >= 0) {
        const int id = design.getControl(i)->resourceId;
        if (keys & Qt::ControlModifier) {
            design.toggleSelection(id);
        } else if (keys & Qt::ShiftModifier) {
            if (!isSelected(design, id)) {
                Vtx_Array<int> ids = design.getSelectedIds();
                ids.append(id);
                design.selectCtrls(ids);
            }
        } else {
            if (!isSelected(design, id))
                design.selectCtrls({id});
            if (isSelected(design, id))
                startDrag(i, handle, point);
        }
    } else if (!(keys & (Qt::ControlModifier | Qt::ShiftModifier))) {
        design.clearSelection();
        m_drag = Drag::Band;
        m_start = point;
        m_band = QRect(point, point);
    }
    update();
    emit selectionChanged();
}

void DesignTracker::startDrag(int i, int handle, const QPoint& point) {
    Vtx_DlgDesignerData& design = m_area->design();
    m_start = point;
    m_startRects.clear();
    if (handle >= 0) {
        m_drag = Drag::Resize;
        m_resized = i;
        m_handle = handle;
        m_startRects.emplace_back(i, design.pixelRect(*design.getControl(i)));
    } else {
        m_drag = Drag::Move;
        for (const int id : design.getSelectedIds()) {
            int position = -1;
            if (design.findCtrlFromResource(id, position))
                m_startRects.emplace_back(position, design.pixelRect(*design.getControl(position)));
        }
    }
    design.beginChange();
}

void DesignTracker::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (m_drag == Drag::None)
        updateCursor(point);
    else
        dragTo(point, !(event->modifiers() & Qt::AltModifier));
}

void DesignTracker::dragTo(const QPoint& point, bool snap) {
    Vtx_DlgDesignerData& design = m_area->design();
    double dx = point.x() - m_start.x();
    double dy = point.y() - m_start.y();
    if (m_drag == Drag::Band) {
        m_band = QRect(m_start, point).normalized();
    } else if (m_drag == Drag::Move && !m_startRects.empty()) {
        Vtx_DesignRect box = m_startRects.front().second;
        for (const auto& [i, rect] : m_startRects) {
            box.left = std::min(box.left, rect.left);
            box.top = std::min(box.top, rect.top);
            box.right = std::max(box.right, rect.right);
            box.bottom = std::max(box.bottom, rect.bottom);
        }
        const Vtx_DesignRect moved{box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
        if (snap) {
            std::vector<Vtx_DesignRect> others;
            for (int i = 0; i < design.getNrControls(); ++i)
                if (!isSelected(design, design.getControl(i)->resourceId))
                    others.push_back(design.pixelRect(*design.getControl(i)));
            const Vtx_DesignRect snapped = snapRect(moved, others, Vtx_SnapOptions{});
            dx += snapped.left - moved.left;
            dy += snapped.top - moved.top;
        }
        for (const auto& [i, rect] : m_startRects)
            setEdges(design, i, {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy});
        m_area->placeAllControls();
    } else if (m_drag == Drag::Resize && !m_startRects.empty()) {
        Vtx_DesignRect rect = m_startRects.front().second;
        // Which edges the handle moves; a control never gets narrower than a pixel.
        if (m_handle == 0 || m_handle == 6 || m_handle == 7)
            rect.left = std::min(rect.left + dx, rect.right - 1);
        if (m_handle >= 2 && m_handle <= 4)
            rect.right = std::max(rect.right + dx, rect.left + 1);
        if (m_handle <= 2)
            rect.top = std::min(rect.top + dy, rect.bottom - 1);
        if (m_handle >= 4 && m_handle <= 6)
            rect.bottom = std::max(rect.bottom + dy, rect.top + 1);
        setEdges(design, m_resized, rect);
        m_area->placeAllControls();
    }
    update();
}

void DesignTracker::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_drag == Drag::None) {
        event->ignore();
        return;
    }
    dragTo(event->position().toPoint(), !(event->modifiers() & Qt::AltModifier));
    finishDrag();
}

void DesignTracker::finishDrag() {
    Vtx_DlgDesignerData& design = m_area->design();
    const Drag drag = m_drag;
    m_drag = Drag::None;
    if (drag == Drag::Band) {
        Vtx_Array<int> ids;
        for (int i = 0; i < design.getNrControls(); ++i) {
            const Vtx_DesignerControl& control = *design.getControl(i);
            if (control.resourceId > 0 && m_band.contains(toQRect(design.drawRect(control))))
                ids.append(control.resourceId);
        }
        design.selectCtrls(ids);
        update();
        emit selectionChanged();
        return;
    }
    const bool changed = design.endChange();
    update();
    if (changed)
        emit geometryChanged();
}

void DesignTracker::keyPressEvent(QKeyEvent* event) {
    const int step = (event->modifiers() & Qt::ShiftModifier) ? kNudgeBigStep : kNudgeStep;
    int dx = 0;
    int dy = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        dx = -step;
        break;
    case Qt::Key_Right:
        dx = step;
        break;
    case Qt::Key_Up:
        dy = -step;
        break;
    case Qt::Key_Down:
        dy = step;
        break;
    default:
        // A command key that did not arrive as a shortcut (the window not
        // active) still runs the command it belongs to.
        for (QAction* action : actions())
            if (action->shortcuts().contains(QKeySequence(event->keyCombination()))) {
                action->trigger();
                return;
            }
        QWidget::keyPressEvent(event);
        return;
    }
    if (m_drag == Drag::None && m_area->design().moveCurCtrls(dx, dy)) {
        m_area->placeAllControls();
        update();
        emit geometryChanged();
    }
}

void DesignTracker::updateCursor(const QPoint& point) {
    int handle = -1;
    const int i = controlAt(point, handle);
    static constexpr Qt::CursorShape sizing[8] = {
        Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
        Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor};
    if (handle >= 0)
        setCursor(sizing[handle]);
    else if (i >= 0)
        setCursor(Qt::SizeAllCursor);
    else
        unsetCursor();
}

} // namespace vtx::designui
