#include "designer/DesignChange.h"

#include "platform/core/Settings.h"

#include <cmath>

using designer::ChangeScope;

namespace {

// Pixel offset of a copy from its original.
constexpr double kCopyOffset = 20;
// Size and place of a new control.
constexpr double kNewWidth = 30;
constexpr double kNewHeight = 18;
constexpr double kNewPlace = 0.2;

} // namespace

bool Vtx_DlgDesignerData::addNewControl(Vtx_ControlType type) {
    ChangeScope change(*this);
    Vtx_DesignerControl control;
    control.type = type;
    control.contents = dialString(171);
    control.topLeftX = kNewPlace;
    control.topLeftY = kNewPlace;
    control.bottomRightX = kNewPlace + pixelsToFactor(true, kNewWidth);
    control.bottomRightY = kNewPlace + pixelsToFactor(false, kNewHeight);
    append(control);
    return true;
}

bool Vtx_DlgDesignerData::copyCurCtrls() {
    const Vtx_Array<int> positions = selectedPositions();
    if (positions.isEmpty())
        return false;
    ChangeScope change(*this);
    Vtx_Array<int> copies;
    for (const int i : positions) {
        Vtx_DesignerControl copy = m_controls[i];
        copy.tabOrder = 0;
        shiftControl(copy, kCopyOffset, kCopyOffset);
        copies.append(append(copy));
    }
    selectCtrls(copies);
    return true;
}

bool Vtx_DlgDesignerData::removeCurControls() {
    if (m_selection.isEmpty())
        return false;
    ChangeScope change(*this);
    const Vtx_Array<int> ids = m_selection;
    for (const int id : ids) {
        int i = -1;
        if (findCtrlFromResource(id, i))
            removeControl(i);
    }
    m_selection.removeAll();
    return true;
}

void Vtx_DlgDesignerData::changeCtrlSize(int i, bool horizontal, double pixels) {
    if (!m_controls.isValid(i) || !std::isfinite(pixels))
        return;
    ChangeScope change(*this);
    Vtx_DesignerControl& control = m_controls[i];
    if (horizontal)
        control.bottomRightX = control.topLeftX + pixelsToFactor(true, pixels);
    else
        control.bottomRightY = control.topLeftY + pixelsToFactor(false, pixels);
}

bool Vtx_DlgDesignerData::changeCurCtrlsSize(bool horizontal, double pixels) {
    const Vtx_Array<int> positions = selectedPositions();
    if (positions.isEmpty() || !std::isfinite(pixels) || pixels < 0)
        return false;
    ChangeScope change(*this);
    for (const int i : positions)
        changeCtrlSize(i, horizontal, pixels);
    return true;
}

bool Vtx_DlgDesignerData::outlineCurCtrls() {
    const Vtx_Array<int> positions = selectedPositions();
    int reference = -1;
    if (positions.isEmpty() || !findMostLeftCtrl(m_selection, reference))
        return false;
    ChangeScope change(*this);
    const double bottom = getBottomRightY(m_controls[reference]);
    for (const int i : positions) {
        if (i == reference)
            continue;
        Vtx_DesignerControl& control = m_controls[i];
        const double height = getHeight(control);
        setBottomRightY(control, bottom);
        setHeight(control, height);
    }
    return true;
}

bool Vtx_DlgDesignerData::stickRightCurCtrls() {
    const Vtx_Array<int> positions = selectedPositions();
    int reference = -1;
    if (positions.length() != 2 || !findMostLeftCtrl(m_selection, reference))
        return false;
    ChangeScope change(*this);
    const Vtx_DesignRect anchor = pixelRect(m_controls[reference]);
    Vtx_DesignerControl& other =
        m_controls[positions[0] == reference ? positions[1] : positions[0]];
    const double width = getWidth(other);
    setTopLeftY(other, anchor.top);
    setTopLeftX(other, anchor.right);
    setBottomRightY(other, anchor.bottom);
    setBottomRightX(other, anchor.right + width);
    return true;
}

bool Vtx_DlgDesignerData::setControlProps(int i, Vtx_ControlType type, const Vtx_String& contents,
                                          const Vtx_String& comboList) {
    if (!m_controls.isValid(i) || !isValidControlType(type))
        return false;
    ChangeScope change(*this);
    Vtx_DesignerControl& control = m_controls[i];
    control.type = type;
    control.contents = contents;
    control.setSplitExtComboList(comboList);
    return true;
}
