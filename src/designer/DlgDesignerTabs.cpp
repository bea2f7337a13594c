#include "designer/VtxDlgDesignerData.h"

#include "platform/core/StringUtils.h"

#include <vector>

void Vtx_DlgDesignerData::sortAllControls() {
    std::vector<int> candidates;
    for (int i = 0; i < m_controls.length(); ++i) {
        Vtx_DesignerControl& control = m_controls[i];
        control.tabOrder = 0;
        if (!control.readOnly && takesTabStop(control.type))
            candidates.push_back(i);
    }
    int counter = 1;
    while (!candidates.empty()) {
        // The top control: smallest top edge, the first of equals.
        int top = candidates.front();
        for (const int i : candidates)
            if (m_controls[i].topLeftY < m_controls[top].topLeftY)
                top = i;
        const double rowBottom = m_controls[top].bottomRightY;
        // The row: every remaining candidate that starts above the top
        // control's bottom, ordered left to right.
        Vtx_Array<double> lefts;
        Vtx_Array<int> row;
        std::vector<int> rest;
        for (const int i : candidates) {
            if (m_controls[i].topLeftY <= rowBottom) {
                lefts.append(m_controls[i].topLeftX);
                row.append(i);
            } else {
                rest.push_back(i);
            }
        }
        ObjectExportSort(lefts, row);
        for (const int i : row)
            m_controls[i].tabOrder = counter++;
        candidates = std::move(rest);
    }
}

bool Vtx_DlgDesignerData::findCtrlWithTabOrder(const int& t, int& i) const {
    for (int n = 0; n < m_controls.length(); ++n)
        if (m_controls[n].tabOrder == t) {
            i = n;
            return true;
        }
    return false;
}

bool Vtx_DlgDesignerData::containsEditableCtrls() const {
    for (const Vtx_DesignerControl& control : m_controls)
        if (!control.readOnly)
            return true;
    return false;
}

Vtx_TabMsgHandle Vtx_DlgDesignerData::tabTarget(int t, bool backward, int& i) const {
    if (!containsEditableCtrls())
        return tmhNotHandled;
    if (backward) {
        if (t <= 1 || !findCtrlWithTabOrder(t - 1, i))
            return tmhBeforeFirst;
    } else if (!findCtrlWithTabOrder(t + 1, i)) {
        return tmhPastLast;
    }
    return tmhHandled;
}

bool Vtx_DlgDesignerData::focusTarget(bool first, int& i) const {
    if (!containsEditableCtrls())
        return false;
    if (first)
        return findCtrlWithTabOrder(1, i);
    int highest = 0;
    for (int n = 0; n < m_controls.length(); ++n)
        if (m_controls[n].tabOrder > highest) {
            highest = m_controls[n].tabOrder;
            i = n;
        }
    return highest > 0;
}
