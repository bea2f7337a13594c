#include "designer/ui/DesignArea.h"

#include "designer/ui/DesignWidgets.h"
#include "platform/core/Files.h"
#include "platform/host/Host.h"
#include "platform/ui/UiText.h"
#include "platform/ui/VtxDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace vtx::designui {

using vtx::ui::qtText;

namespace {

QString qtPath(const Vtx_String& path) {
    Vtx_String local = path;
    local.replaceSubString("\\", "/");
    return qtText(local);
}

QRect toQRect(const Vtx_DesignRect& rect) {
    if (!(rect.width() > 0) || !(rect.height() > 0))
        return {};
    return QRect(static_cast<int>(rect.left), static_cast<int>(rect.top),
                 static_cast<int>(rect.width()), static_cast<int>(rect.height()));
}

// The widget a control type becomes; see docs/designer.md for the table.
QWidget* makeWidget(const Vtx_DesignerControl& control, QWidget* parent) {
    const QString text = qtText(control.contents);
    switch (control.type) {
    case ctGroupBox:
        return new QGroupBox(text, parent);
    case ctFlexBtn: {
        auto* button = new FlexButton(parent);
        button->setText(text);
        return button;
    }
    case ctVarCheck:
        return new QCheckBox(text, parent);
    case ctBoltCount1:
    case ctBoltCount2: {
        auto* edit = new QPlainTextEdit(text, parent);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        return edit;
    }
    default:
        break;
    }
    switch (windowClassOf(control.type)) {
    case DesignWindowClass::Edit:
        return new QLineEdit(text, parent);
    case DesignWindowClass::ComboBox: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(control.type == ctVarCombo || control.type == ctProfListCombo);
        return combo;
    }
    case DesignWindowClass::Button:
        return new QPushButton(text, parent);
    case DesignWindowClass::Static:
        break;
    }
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

} // namespace

DesignArea::DesignArea(QWidget* parent, bool designMode)
    : QWidget(parent), m_designMode(designMode) {}

DesignArea::~DesignArea() = default;

bool DesignArea::readFromFile(const Vtx_String& path) {
    const bool read = m_design.readFromFile(path, true);
    if (!m_design.bitmapPath().isEmpty())
        attachBitmap(m_design.bitmapPath());
    return read;
}

bool DesignArea::attachBitmap(const Vtx_String& path) {
    if (!fileExists(path))
        return false;
    m_picture = QPixmap();
    const bool sized = m_design.attachBitmap(path);
    m_picture = loadDesignPicture(qtPath(path));
    updateGeometry();
    update();
    return sized && !m_picture.isNull();
}

void DesignArea::redrawAllControls() {
    for (const QPointer<QWidget>& widget : m_drawn)
        delete widget.data();
    m_drawn.clear();
    if (!m_designMode)
        m_design.sortAllControls();
    else
        m_design.clearSelection();
    for (int i = 0; i < m_design.getNrControls(); ++i)
        m_drawn.append(drawControl(*m_design.getControl(i)));
    if (!m_designMode)
        applyTabOrder();
    updateGeometry();
}

void DesignArea::placeAllControls() {
    for (int i = 0; i < m_drawn.size() && i < m_design.getNrControls(); ++i)
        if (m_drawn[i])
            m_drawn[i]->setGeometry(toQRect(m_design.drawRect(*m_design.getControl(i))));
    updateGeometry();
}

QWidget* DesignArea::drawControl(const Vtx_DesignerControl& control) {
    QWidget* widget = makeWidget(control, this);
    vtx::ui::VtxDialog::setControlId(widget, control.resourceId);
    const QRect rect = toQRect(m_design.drawRect(control));
    widget->setGeometry(rect);
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && !m_designMode) {
        // The drop-down list is a window of its own in Qt: instead of a
        // control 200 pixels tall, the list gets room for that height.
        const int row = std::max(1, combo->fontMetrics().height() + 4);
        combo->setMaxVisibleItems(std::max(1, (kComboDropHeight - rect.height()) / row));
    }
    const bool isStatic = windowClassOf(control.type) == DesignWindowClass::Static;
    widget->setEnabled(!control.readOnly && !(m_designMode && !isStatic));
    fillCombo(control, widget);
    if (control.type == ctCutCombo)
        static_cast<QComboBox*>(widget)->setCurrentIndex(std::atoi(control.contents.c_str()));
    else if (control.type == ctVarCheck)
        setCheckValue(widget, control.comboList);
    else if (control.type == ctFlexBtn)
        static_cast<FlexButton*>(widget)->setIcon(QIcon(flexIcon()));
    widget->show();
    return widget;
}

void DesignArea::fillCombo(const Vtx_DesignerControl& control, QWidget* widget) const {
    auto* combo = qobject_cast<QComboBox*>(widget);
    if (!combo)
        return;
    if (control.type == ctCutCombo) {
        for (int text : {1395, 1396, 1397, 1398, 695})
            combo->addItem(vtx::ui::uiText(text));
        return;
    }
    Vtx_StringArray items = control.comboItems;
    if (items.length() == 0)
        control.getComboItemsFromFile(items);
    if (items.length() == 0)
        return;
    for (int i = 0; i < items.length(); ++i)
        combo->addItem(qtText(items[i]));
    const int found = combo->findText(qtText(control.contents), Qt::MatchFixedString);
    combo->setCurrentIndex(found);
    if (found < 0 && combo->isEditable())
        combo->setEditText(qtText(control.contents));
}

void DesignArea::applyTabOrder() {
    QVector<std::pair<int, QWidget*>> order;
    for (int i = 0; i < m_drawn.size() && i < m_design.getNrControls(); ++i)
        if (m_design.getControl(i)->tabOrder > 0 && m_drawn[i])
            order.append({m_design.getControl(i)->tabOrder, m_drawn[i]});
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
}

QWidget* DesignArea::controlWidget(int i) const {
    return i >= 0 && i < m_drawn.size() ? m_drawn[i].data() : nullptr;
}

QWidget* DesignArea::widgetOfId(int id) const {
    for (const QPointer<QWidget>& widget : m_drawn)
        if (widget && vtx::ui::VtxDialog::controlId(widget) == id)
            return widget;
    return nullptr;
}

int DesignArea::drawnPosition(int id) const {
    for (int i = 0; i < m_drawn.size(); ++i)
        if (m_drawn[i] && vtx::ui::VtxDialog::controlId(m_drawn[i]) == id)
            return i < m_design.getNrControls() ? i : -1;
    return -1;
}

bool DesignArea::getSizeFromControl(const int& i) {
    if (m_drawn.size() != m_design.getNrControls() || i < 0 || i >= m_drawn.size() || !m_drawn[i])
        return false;
    const QRect rect = m_drawn[i]->geometry();
    Vtx_DesignerControl& control = *m_design.getControlWrite(i);
    m_design.setTopLeftX(control, rect.left());
    m_design.setTopLeftY(control, rect.top());
    m_design.setBottomRightX(control, rect.left() + rect.width());
    m_design.setBottomRightY(control, rect.top() + rect.height());
    return true;
}

bool DesignArea::getSizeFromAllControls() {
    bool all = m_drawn.size() == m_design.getNrControls();
    for (int i = 0; all && i < m_drawn.size(); ++i)
        all = getSizeFromControl(i);
    return all;
}

bool DesignArea::getFocusedDynControl(int& id) const {
    QWidget* focus = QApplication::focusWidget();
    while (focus && focus != this && !m_drawn.contains(focus))
        focus = focus->parentWidget();
    id = focus && focus != this ? vtx::ui::VtxDialog::controlId(focus) : 0;
    int position = -1;
    return id > 0 && m_design.findCtrlFromResource(id, position);
}

bool DesignArea::setFocusToCtrl(bool first) {
    int i = -1;
    if (!m_design.focusTarget(first, i) || !controlWidget(i))
        return false;
    QWidget* widget = controlWidget(i);
    widget->setFocus(Qt::TabFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->selectAll();
    else if (auto* text = qobject_cast<QPlainTextEdit*>(widget))
        text->selectAll();
    return true;
}

const QPixmap& DesignArea::flexIcon() {
    // Looked up until found: the module may register its resources later.
    if (m_flexIcon.isNull())
        m_flexIcon = moduleResourcePixmap(kFlexButtonIcon);
    return m_flexIcon;
}

QSize DesignArea::sizeHint() const {
    int width = 0;
    int height = 0;
    m_design.getImageSize(width, height);
    QSize size(width, height);
    for (const QPointer<QWidget>& widget : m_drawn)
        if (widget && !widget->geometry().isEmpty())
            size = size.expandedTo(
                QSize(widget->geometry().right() + 1, widget->geometry().bottom() + 1));
    return size;
}

void DesignArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_designMode)
        painter.fillRect(rect(), palette().color(QPalette::Button));
    if (!m_picture.isNull())
        painter.drawPixmap(0, 0, m_picture);
}

} // namespace vtx::designui
