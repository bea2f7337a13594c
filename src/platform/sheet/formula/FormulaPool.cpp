#include "platform/sheet/formula/FormulaPool.h"

#include "platform/sheet/formula/Interpreter.h"

namespace vtx::sheet {

FormulaCode* FormulaPool::intern(const FormulaCode& code) {
    auto& bucket = m_programs[code.hash()];
    for (auto& program : bucket) {
        if (program->sameProgram(code)) {
            ++program->useCount;
            return program.get();
        }
    }
    auto program = std::make_unique<FormulaCode>(code);
    program->useCount = 1;
    program->arithmeticOnly = program->isArithmetic();
    program->scalarOnly = !program->arithmeticOnly && isScalarProgram(*program);
    program->textOnly = !program->arithmeticOnly && !program->scalarOnly && isTextProgram(*program);
    bucket.push_back(std::move(program));
    ++m_count;
    return bucket.back().get();
}

void FormulaPool::release(FormulaCode* code) {
    if (!code || --code->useCount > 0)
        return;
    auto it = m_programs.find(code->hash());
    if (it == m_programs.end())
        return;
    auto& bucket = it->second;
    for (std::size_t i = 0; i < bucket.size(); ++i) {
        if (bucket[i].get() == code) {
            bucket[i] = std::move(bucket.back());
            bucket.pop_back();
            --m_count;
            break;
        }
    }
    if (bucket.empty())
        m_programs.erase(it);
}

} // namespace vtx::sheet
