#include "platform/ui/VtxDialog.h"

#include "platform/core/DlgSizeStore.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

namespace vtx::ui {

namespace {

const char* const kControlIdProperty = "vtxControlId";

// The screen area that shows most of rect, or null when none shows a
// reasonable part of it (a place stored on a screen that is gone).
const QScreen* screenShowing(const QRect& rect) {
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect seen = screen->availableGeometry().intersected(rect);
        if (seen.width() >= std::min(rect.width(), 100) &&
            seen.height() >= std::min(rect.height(), 50))
            return screen;
    }
    return nullptr;
}

} // namespace

VtxDialog::VtxDialog(int templateId, const Vtx_String& sizeKey, QWidget* parent)
    : QDialog(parent), m_templateId(templateId), m_sizeKey(sizeKey) {
    setObjectName(QStringLiteral("dialog%1").arg(templateId));
}

VtxDialog::~VtxDialog() {
    if (m_placed && !m_saved)
        saveSize();
}

void VtxDialog::setControlId(QWidget* widget, int id) {
    widget->setProperty(kControlIdProperty, id);
    widget->setObjectName(QStringLiteral("ctl%1").arg(id));
}

int VtxDialog::controlId(const QWidget* widget) {
    const QVariant id = widget ? widget->property(kControlIdProperty) : QVariant();
    return id.isValid() ? id.toInt() : -1;
}

QWidget* VtxDialog::control(int id) const {
    for (QWidget* child : findChildren<QWidget*>())
        if (controlId(child) == id)
            return child;
    return nullptr;
}

bool VtxDialog::saveSize() {
    if (m_sizeKey.isEmpty())
        return false;
    const QRect frame = geometry();
    m_saved = WriteDlgSize(m_sizeKey, {frame.x(), frame.y(), frame.width(), frame.height()}) == eOk;
    return m_saved;
}

void VtxDialog::restoreSize() {
    Vtx_DlgSize stored;
    if (!m_sizeKey.isEmpty() && getDlgSize(m_sizeKey, stored)) {
        const QSize least = minimumSizeHint().expandedTo(minimumSize());
        const QRect wanted(stored.left, stored.top, std::max(stored.width, least.width()),
                           std::max(stored.height, least.height()));
        if (screenShowing(wanted)) {
            setGeometry(wanted);
            return;
        }
    }
    // The default size (the one the dialog was given, else what its layout
    // asks for), centred on the parent's screen (or the first one).
    QSize size = testAttribute(Qt::WA_Resized) ? this->size() : sizeHint();
    if (!size.isValid())
        size = this->size();
    resize(size.expandedTo(minimumSize()));
    const QScreen* screen =
        parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

QPointF VtxDialog::dialogUnit() const {
    const QFontMetrics metrics(font());
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {metrics.horizontalAdvance(alphabet) / double(alphabet.size()) / 4.0,
            metrics.height() / 8.0};
}

void VtxDialog::placeControl(int id, const QPointF& unit, int x, int y, int w, int h) const {
    if (QWidget* widget = control(id))
        widget->setGeometry(qRound(x * unit.x()), qRound(y * unit.y()), qRound(w * unit.x()),
                            qRound(h * unit.y()));
}

void VtxDialog::showEvent(QShowEvent* event) {
    if (!m_placed) {
        m_placed = true;
        restoreSize();
    }
    QDialog::showEvent(event);
}

void VtxDialog::done(int result) {
    if (m_placed)
        saveSize();
    QDialog::done(result);
}

} // namespace vtx::ui
