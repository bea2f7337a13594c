#pragma once

/// The undo history of one design: a stack of changes, each holding the
/// controls and the selection before and after it. Designs are small (a
/// hundred controls at most get window ids), so a change keeps whole copies
/// of the control list; that makes every change undoable the same way,
/// whatever operation made it.

#include "designer/VtxDesignerControl.h"
#include "platform/core/VtxArray.h"

#include <vector>

namespace designer {

struct DesignState {
    Vtx_Array<Vtx_DesignerControl> controls;
    Vtx_Array<int> selection;
};

class DesignHistory {
public:
    /// Changes kept; the oldest is forgotten beyond this.
    static constexpr int kMaxSteps = 500;

    /// Records a change after the current position (redo steps are dropped).
    void push(DesignState before, DesignState after);
    /// The state to return to, or null when there is nothing to undo; the
    /// position moves back.
    const DesignState* undo();
    /// The state to go to again, or null; the position moves forward.
    const DesignState* redo();
    bool canUndo() const { return m_position > 0; }
    bool canRedo() const { return m_position < static_cast<int>(m_steps.size()); }
    int undoCount() const { return m_position; }
    void clear();

    /// The design is as it was saved when the position is the saved one.
    void markSaved() { m_savedPosition = m_position; }
    bool atSavedPosition() const { return m_position == m_savedPosition; }

private:
    struct Step {
        DesignState before;
        DesignState after;
    };
    std::vector<Step> m_steps;
    int m_position = 0;
    /// -1 when the saved state has been forgotten or replaced.
    int m_savedPosition = 0;
};

} // namespace designer
