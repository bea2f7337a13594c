#include "designer/DesignHistory.h"

#include <utility>

namespace designer {

void DesignHistory::push(DesignState before, DesignState after) {
    m_steps.resize(static_cast<std::size_t>(m_position));
    if (m_savedPosition > m_position)
        m_savedPosition = -1; // the saved state was among the dropped redo steps
    m_steps.push_back({std::move(before), std::move(after)});
    if (static_cast<int>(m_steps.size()) > kMaxSteps) {
        m_steps.erase(m_steps.begin());
        m_savedPosition = m_savedPosition > 0 ? m_savedPosition - 1 : -1;
    }
    m_position = static_cast<int>(m_steps.size());
}

const DesignState* DesignHistory::undo() {
    if (!canUndo())
        return nullptr;
    --m_position;
    return &m_steps[static_cast<std::size_t>(m_position)].before;
}

const DesignState* DesignHistory::redo() {
    if (!canRedo())
        return nullptr;
    ++m_position;
    return &m_steps[static_cast<std::size_t>(m_position - 1)].after;
}

void DesignHistory::clear() {
    m_steps.clear();
    m_position = 0;
    m_savedPosition = 0;
}

} // namespace designer
