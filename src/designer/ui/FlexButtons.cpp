// The flex-button groups of a design: toggle buttons grouped by the first
// part of their combo list, each showing the module's icon.

#include "designer/ui/DesignArea.h"

#include "designer/ui/DesignWidgets.h"

namespace vtx::designui {

namespace {

bool inGroup(const Vtx_DesignerControl& control, const Vtx_String& group) {
    return control.type == ctFlexBtn && control.flexGroup.equal(group, false);
}

} // namespace

bool DesignArea::getFlexBtnsInGroup(const Vtx_String& group, Vtx_Array<int>& all,
                                    Vtx_Array<int>& withPart3) const {
    all.removeAll();
    withPart3.removeAll();
    if (group.isEmpty())
        return true;
    for (int i = 0; i < m_design.getNrControls(); ++i) {
        const Vtx_DesignerControl& control = *m_design.getControl(i);
        if (!inGroup(control, group))
            continue;
        all.append(i);
        if (!control.flexPart3.isEmpty())
            withPart3.append(i);
    }
    return true;
}

bool DesignArea::getFlexBtnsGroups(Vtx_StringArray& groups) const {
    groups.removeAll();
    for (int i = 0; i < m_design.getNrControls(); ++i) {
        const Vtx_DesignerControl& control = *m_design.getControl(i);
        if (control.type == ctFlexBtn && !groups.contains(control.flexGroup, false))
            groups.append(control.flexGroup);
    }
    return true;
}

bool DesignArea::findFlexButton(const Vtx_String& group, const Vtx_String& contents, int& i) const {
    for (int k = 0; k < m_design.getNrControls(); ++k) {
        const Vtx_DesignerControl& control = *m_design.getControl(k);
        if (inGroup(control, group) && control.contents.equal(contents, false)) {
            i = k;
            return true;
        }
    }
    return false;
}

bool DesignArea::getAllFlexVarsOfGroup(const Vtx_String& group, Vtx_StringArray& vars) const {
    vars.removeAll();
    for (int i = 0; i < m_design.getNrControls(); ++i)
        if (inGroup(*m_design.getControl(i), group))
            vars.append(m_design.getControl(i)->contents);
    return true;
}

bool DesignArea::getFlexBtnGroupName(const int& id, Vtx_String& group, Vtx_String& contents) const {
    int i = -1;
    if (!m_design.findCtrlFromResource(id, i) || m_design.getControl(i)->type != ctFlexBtn)
        return false;
    group = m_design.getControl(i)->flexGroup;
    contents = m_design.getControl(i)->contents;
    return true;
}

bool DesignArea::getSetFlexBtnStatus(const bool& set, const int& i, int& status) {
    const Vtx_DesignerControl* control = m_design.getControl(i);
    auto* button = qobject_cast<FlexButton*>(controlWidget(i));
    if (!control || control->type != ctFlexBtn || !button)
        return false;
    if (!set) {
        status = button->checkState();
        return true;
    }
    // Setting never makes the third state: 2 clears the button.
    if (status == kUndetermined)
        status = kUnchecked;
    button->setCheckState(status);
    return true;
}

bool DesignArea::getFlexBtnStatus(const int& i, int& status) {
    return getSetFlexBtnStatus(false, i, status);
}

bool DesignArea::setFlexBtnStatus(const Vtx_String& group, const Vtx_String& contents,
                                  const int& status) {
    int i = -1;
    int value = status;
    return findFlexButton(group, contents, i) && getSetFlexBtnStatus(true, i, value);
}

bool DesignArea::hideAllFlexBtns(const Vtx_String& group) {
    for (int i = 0; i < m_design.getNrControls(); ++i)
        if (inGroup(*m_design.getControl(i), group))
            if (QWidget* widget = controlWidget(i))
                widget->hide();
    return true;
}

} // namespace vtx::designui
