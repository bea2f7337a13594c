// Values of a design's live controls by window id.

#include "designer/ui/DesignArea.h"

#include "designer/ui/DesignWidgets.h"
#include "platform/core/Settings.h"
#include "platform/ui/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cstdlib>

namespace vtx::designui {

using vtx::ui::qtText;

namespace {

// The text shown for the undetermined state, and the value that asks for it.
Vtx_String undeterminedText() {
    return dialString(695);
}

QString windowText(const QWidget* widget) {
    if (auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (auto* text = qobject_cast<const QPlainTextEdit*>(widget))
        return text->toPlainText();
    if (auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentText();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    return {};
}

bool setWindowText(QWidget* widget, const QString& value) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(value);
    else if (auto* text = qobject_cast<QPlainTextEdit*>(widget))
        text->setPlainText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        // An item of that text is selected; an editable combo otherwise
        // shows the text, a list-only one cannot.
        const int found = combo->findText(value, Qt::MatchFixedString);
        if (found < 0 && !combo->isEditable())
            return false;
        combo->setCurrentIndex(found);
        if (found < 0)
            combo->setEditText(value);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(value);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(value);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(value);
    else
        return false;
    return true;
}

} // namespace

bool getCheckValue(const QWidget* widget, Vtx_String& value) {
    int state = -1;
    if (auto* box = qobject_cast<const QCheckBox*>(widget))
        state = box->checkState() == Qt::Checked            ? kChecked
                : box->checkState() == Qt::PartiallyChecked ? kUndetermined
                                                            : kUnchecked;
    else if (auto* flex = qobject_cast<const FlexButton*>(widget))
        state = flex->checkState();
    if (state < 0)
        return false;
    value = state == kUndetermined ? undeterminedText() : Vtx_String::fromInt(state);
    return true;
}

bool setCheckValue(QWidget* widget, const Vtx_String& value) {
    const bool third = value.equal(undeterminedText(), false);
    const int state = third ? kUndetermined : (value.asDouble() > 0 ? kChecked : kUnchecked);
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        box->setTristate(third);
        box->setCheckState(state == kUndetermined ? Qt::PartiallyChecked
                           : state == kChecked    ? Qt::Checked
                                                  : Qt::Unchecked);
    } else if (auto* flex = qobject_cast<FlexButton*>(widget)) {
        flex->setTristate(third);
        flex->setCheckState(state);
    } else {
        return false;
    }
    return true;
}

bool DesignArea::getCtrlValue(const int& id, Vtx_String& value) const {
    const int i = drawnPosition(id);
    QWidget* widget = controlWidget(i);
    if (!widget)
        return false;
    switch (m_design.getControl(i)->type) {
    case ctVarCheck:
        return getCheckValue(widget, value);
    case ctCutCombo:
        value = Vtx_String::fromInt(static_cast<QComboBox*>(widget)->currentIndex());
        return true;
    default:
        return vtx::ui::moduleText(windowText(widget), value);
    }
}

bool DesignArea::setCtrlValue(const int& id, const Vtx_String& value) {
    const int i = drawnPosition(id);
    QWidget* widget = controlWidget(i);
    if (!widget)
        return false;
    switch (m_design.getControl(i)->type) {
    case ctCalcButton1:
    case ctCalcButton2:
        return true;
    case ctVarCheck:
        return setCheckValue(widget, value);
    case ctCutCombo:
        static_cast<QComboBox*>(widget)->setCurrentIndex(std::atoi(value.c_str()));
        return true;
    default:
        return setWindowText(widget, qtText(value));
    }
}

bool DesignArea::setCtrlReadOnly(const int& id, const bool& readOnly) {
    const int i = drawnPosition(id);
    QWidget* widget = controlWidget(i);
    if (!widget)
        return false;
    const Vtx_ControlType type = m_design.getControl(i)->type;
    if (type != ctVarEdit && type != ctVarCombo)
        return false;
    if (widget->isEnabled() == readOnly)
        widget->setEnabled(!readOnly);
    return true;
}

bool DesignArea::isADynControl(const int& id) const {
    return widgetOfId(id) != nullptr;
}

bool DesignArea::getDynControlType(const int& id, Vtx_ControlType& type) const {
    const int i = drawnPosition(id);
    if (i < 0)
        return false;
    type = m_design.getControl(i)->type;
    return true;
}

bool DesignArea::isTypeBoltCount(const int& id) const {
    Vtx_ControlType type = ctLabel;
    return getDynControlType(id, type) && (type == ctBoltCount1 || type == ctBoltCount2);
}

bool DesignArea::findEditCtrlWithContents(const Vtx_String& contents, int& i) const {
    for (int k = 0; k < m_design.getNrControls(); ++k) {
        const Vtx_DesignerControl& control = *m_design.getControl(k);
        if ((control.type == ctVarEdit || control.type == ctVarCombo) &&
            control.contents.equal(contents, false)) {
            i = k;
            return true;
        }
    }
    return false;
}

} // namespace vtx::designui
