#pragma once

#include "designer/VtxDlgDesignerData.h"

namespace designer {

/// Makes the changes of one editing operation one undo step.
class ChangeScope {
public:
    explicit ChangeScope(Vtx_DlgDesignerData& design) : m_design(design) { design.beginChange(); }
    ~ChangeScope() { m_design.endChange(); }
    ChangeScope(const ChangeScope&) = delete;
    ChangeScope& operator=(const ChangeScope&) = delete;

private:
    Vtx_DlgDesignerData& m_design;
};

} // namespace designer
