#include "designer/VtxDlgDesignerData.h"

#include "designer/DesignHistory.h"

#include <utility>

using designer::DesignHistory;
using designer::DesignState;

Vtx_DlgDesignerData::Vtx_DlgDesignerData() : m_history(std::make_unique<DesignHistory>()) {}

Vtx_DlgDesignerData::~Vtx_DlgDesignerData() = default;

Vtx_DlgDesignerData::Vtx_DlgDesignerData(const Vtx_DlgDesignerData&) : Vtx_DlgDesignerData() {}

Vtx_DlgDesignerData& Vtx_DlgDesignerData::operator=(const Vtx_DlgDesignerData&) {
    return *this;
}

const Vtx_DesignerControl* Vtx_DlgDesignerData::getControl(const int& i) const {
    return m_controls.isValid(i) ? &m_controls[i] : nullptr;
}

Vtx_DesignerControl* Vtx_DlgDesignerData::getControlWrite(const int& i) {
    return m_controls.isValid(i) ? &m_controls[i] : nullptr;
}

Vtx_DesignerControl* Vtx_DlgDesignerData::getControlFromRes(const int& id) {
    int i = -1;
    return findCtrlFromResource(id, i) ? &m_controls[i] : nullptr;
}

bool Vtx_DlgDesignerData::findCtrlFromResource(const int& id, int& i) const {
    if (id <= 0)
        return false;
    for (int n = 0; n < m_controls.length(); ++n)
        if (m_controls[n].resourceId == id) {
            i = n;
            return true;
        }
    return false;
}

int Vtx_DlgDesignerData::append(Vtx_DesignerControl& control) {
    int id = 0;
    for (int candidate = m_firstDynId; candidate <= m_lastDynId && id == 0; ++candidate) {
        int unused = -1;
        if (candidate > 0 && !findCtrlFromResource(candidate, unused))
            id = candidate;
    }
    control.resourceId = id;
    m_controls.append(control);
    return id;
}

void Vtx_DlgDesignerData::removeControl(const int& i) {
    if (!m_controls.isValid(i))
        return;
    const int id = m_controls[i].resourceId;
    m_controls.removeAt(i);
    if (const int selected = m_selection.find(id); id > 0 && selected >= 0)
        m_selection.removeAt(selected);
}

void Vtx_DlgDesignerData::getAllCtrlNames(Vtx_StringArray& names) const {
    names.removeAll();
    for (const Vtx_DesignerControl& control : m_controls)
        if (control.type == ctVarEdit)
            names.append(control.contents);
}

void Vtx_DlgDesignerData::setDynIdRange(int firstDynId, int lastDynId) {
    m_firstDynId = firstDynId;
    m_lastDynId = lastDynId;
    m_selection.removeAll();
    Vtx_Array<Vtx_DesignerControl> controls;
    std::swap(controls, m_controls);
    for (Vtx_DesignerControl& control : controls)
        append(control);
    // Ids recorded in the history belong to the old range.
    m_history->clear();
}

// ---- selection ----

void Vtx_DlgDesignerData::selectCtrls(const Vtx_Array<int>& ids) {
    m_selection.removeAll();
    for (const int id : ids) {
        int i = -1;
        if (findCtrlFromResource(id, i) && !m_selection.contains(id))
            m_selection.append(id);
    }
}

bool Vtx_DlgDesignerData::toggleSelection(int id) {
    int i = -1;
    if (!findCtrlFromResource(id, i))
        return false;
    if (const int at = m_selection.find(id); at >= 0)
        m_selection.removeAt(at);
    else
        m_selection.append(id);
    return true;
}

int Vtx_DlgDesignerData::getCurSel() const {
    int i = -1;
    if (m_selection.length() == 1 && findCtrlFromResource(m_selection[0], i))
        return i;
    return -1;
}

Vtx_Array<int> Vtx_DlgDesignerData::selectedPositions() const {
    Vtx_Array<int> positions;
    for (const int id : m_selection) {
        int i = -1;
        if (findCtrlFromResource(id, i))
            positions.append(i);
    }
    return positions;
}

// ---- undo ----

DesignState Vtx_DlgDesignerData::currentState() const {
    return {m_controls, m_selection};
}

void Vtx_DlgDesignerData::restoreState(const DesignState& state) {
    m_controls = state.controls;
    m_selection = state.selection;
}

void Vtx_DlgDesignerData::beginChange() {
    if (m_changeDepth++ == 0)
        m_changeStart = std::make_unique<DesignState>(currentState());
}

bool Vtx_DlgDesignerData::endChange() {
    if (m_changeDepth == 0 || --m_changeDepth > 0)
        return false;
    DesignState before = std::move(*m_changeStart);
    m_changeStart.reset();
    if (before.controls == m_controls)
        return false;
    m_history->push(std::move(before), currentState());
    return true;
}

bool Vtx_DlgDesignerData::undo() {
    return step(false);
}

bool Vtx_DlgDesignerData::redo() {
    return step(true);
}

bool Vtx_DlgDesignerData::step(bool forward) {
    if (m_changeDepth > 0)
        return false;
    const DesignState* state = forward ? m_history->redo() : m_history->undo();
    if (state)
        restoreState(*state);
    return state != nullptr;
}

bool Vtx_DlgDesignerData::canUndo() const {
    return m_history->canUndo();
}

bool Vtx_DlgDesignerData::canRedo() const {
    return m_history->canRedo();
}

bool Vtx_DlgDesignerData::isModified() const {
    return m_modifiedOutside || !m_history->atSavedPosition();
}

void Vtx_DlgDesignerData::setModified(bool modified) {
    m_modifiedOutside = modified;
    if (!modified)
        m_history->markSaved();
}
