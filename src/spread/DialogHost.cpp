#include "spread/DialogHost.h"

Vtx_Spread* HiddenDialogHost::grid(int id) const {
    auto it = m_grids.find(id);
    return it == m_grids.end() ? nullptr : it->second;
}

bool HiddenDialogHost::placeholderRect(int id, Vtx_Rect& rect) const {
    auto it = m_placeholders.find(id);
    if (it == m_placeholders.end())
        return false;
    rect = it->second;
    return true;
}

bool HiddenDialogHost::replacePlaceholder(int id, Vtx_Spread& grid, const Vtx_Rect& rect) {
    if (!m_placeholders.count(id))
        return false;
    m_placeholders[id] = rect;
    m_grids[id] = &grid;
    return true;
}

bool HiddenDialogHost::askText(const Vtx_String&, const Vtx_String&, Vtx_String& text) {
    if (!m_hasAnswer)
        return false;
    text = m_answer;
    return true;
}
