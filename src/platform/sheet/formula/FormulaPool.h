#pragma once

/// One shared copy of each distinct formula program of a grid. Formulas that
/// differ only by their position have equal programs (references are
/// relative), so a column of 100,000 "=A{n-1}+1" formulas holds one program.

#include "platform/sheet/formula/FormulaCode.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vtx::sheet {

class FormulaPool {
public:
    /// The pooled program equal to `code`, its use count raised by one; a
    /// new program is copied from `code`, which is left as it was.
    FormulaCode* intern(const FormulaCode& code);
    /// Raises the use count of a pooled program.
    void retain(FormulaCode* code) { ++code->useCount; }
    /// Lowers the use count; the program is dropped when no cell uses it.
    void release(FormulaCode* code);
    std::size_t size() const { return m_count; }
    void clear() {
        m_programs.clear();
        m_count = 0;
    }

private:
    std::unordered_map<std::uint64_t, std::vector<std::unique_ptr<FormulaCode>>> m_programs;
    std::size_t m_count = 0;
};

} // namespace vtx::sheet
