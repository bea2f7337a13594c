#include "platform/ui/ResizableLayout.h"

#include "platform/ui/VtxDialog.h"

#include <QEvent>
#include <QToolBar>

namespace vtx::ui {

void anchoredEdges(int near, int far, int registered, int now, int flags, int& newNear,
                   int& newFar) {
    const double ratio = registered > 0 ? static_cast<double>(now) / registered : 1.0;
    if (flags & kKeepNear)
        newNear = near;
    else if ((flags & kKeepSize) && (flags & kKeepFar))
        newNear = now + near - registered;
    else
        newNear = static_cast<int>(near * ratio);
    if (flags & kKeepFar)
        newFar = now + far - registered;
    else if (flags & kKeepSize)
        newFar = newNear + (far - near);
    else
        newFar = static_cast<int>(far * ratio);
}

void ResizableLayout::registerControls(QWidget* dialog) {
    if (m_dialog)
        m_dialog->removeEventFilter(this);
    m_entries.clear();
    m_dialog = dialog;
    if (!dialog)
        return;
    m_registered = dialog->size();
    for (QObject* child : dialog->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control->isWindow() || qobject_cast<QToolBar*>(control))
            continue;
        const QRect place = control->geometry();
        // Right and bottom as the far edges (one past the last pixel).
        m_entries.push_back(
            {control,
             QRect(QPoint(place.left(), place.top()),
                   QPoint(place.left() + place.width(), place.top() + place.height())),
             0, 0});
    }
    dialog->installEventFilter(this);
}

bool ResizableLayout::setAnchors(int controlId, int horizontal, int vertical) {
    for (Entry& entry : m_entries)
        if (entry.control && VtxDialog::controlId(entry.control) == controlId) {
            entry.horizontal = horizontal;
            entry.vertical = vertical;
            return true;
        }
    return false;
}

bool ResizableLayout::applyLayout() {
    if (!m_dialog)
        return false;
    const QSize now = m_dialog->size();
    for (const Entry& entry : m_entries) {
        if (!entry.control)
            continue;
        int left = 0;
        int right = 0;
        int top = 0;
        int bottom = 0;
        anchoredEdges(entry.registered.left(), entry.registered.right(), m_registered.width(),
                      now.width(), entry.horizontal, left, right);
        anchoredEdges(entry.registered.top(), entry.registered.bottom(), m_registered.height(),
                      now.height(), entry.vertical, top, bottom);
        entry.control->setGeometry(left, top, std::max(right - left, 0), std::max(bottom - top, 0));
    }
    return true;
}

bool ResizableLayout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_dialog && event->type() == QEvent::Resize)
        applyLayout();
    return QObject::eventFilter(watched, event);
}

} // namespace vtx::ui
