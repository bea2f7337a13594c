#include "designer/ui/DesignWidgets.h"

#include "platform/host/Host.h"

#include <QImage>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace vtx::designui {

FlexButton::FlexButton(QWidget* parent) : QToolButton(parent) {
    setCheckable(true);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setAutoRaise(false);
}

void FlexButton::setCheckState(int state) {
    if (state != kChecked && !(state == kUndetermined && m_tristate))
        state = kUnchecked;
    m_state = state;
    setChecked(state == kChecked);
    update();
}

void FlexButton::setTristate(bool tristate) {
    m_tristate = tristate;
    if (!tristate && m_state == kUndetermined)
        setCheckState(kUnchecked);
}

// As a check box: clear, set, then (three-state only) undetermined.
void FlexButton::nextCheckState() {
    if (m_state == kUnchecked)
        setCheckState(kChecked);
    else if (m_state == kChecked && m_tristate)
        setCheckState(kUndetermined);
    else
        setCheckState(kUnchecked);
}

// The undetermined state shows as a half-pressed button: the raised face
// with its icon drawn greyed.
void FlexButton::paintEvent(QPaintEvent* event) {
    if (m_state != kUndetermined) {
        QToolButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.state &= ~QStyle::State_Enabled;
    option.state |= QStyle::State_Raised;
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
}

namespace {

QPixmap whiteAsTransparent(QImage image) {
    if (image.isNull())
        return {};
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0x00FFFFFF) == 0x00FFFFFF)
                line[x] = 0;
    }
    return QPixmap::fromImage(image);
}

} // namespace

QPixmap loadDesignPicture(const QString& path) {
    return whiteAsTransparent(QImage(path, "BMP"));
}

QPixmap designPictureFromBytes(const QByteArray& bytes) {
    QImage image;
    image.loadFromData(bytes, "BMP");
    return whiteAsTransparent(image);
}

QPixmap moduleResourcePixmap(int id) {
    // Module resources carry icons or bitmaps; a bitmap's white is transparent.
    HostResources& resources = Host::current().resources();
    std::string_view bytes = resources.find(ResourceKind::Icon, id);
    if (!bytes.empty()) {
        QImage image;
        image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                           static_cast<int>(bytes.size()), "ICO");
        return QPixmap::fromImage(image);
    }
    bytes = resources.find(ResourceKind::Bitmap, id);
    return designPictureFromBytes(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

} // namespace vtx::designui
