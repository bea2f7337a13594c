#pragma once

/// Evaluates one formula program at one cell. The program is postfix, so the
/// interpreter is a loop over instructions with an operand stack: nothing in
/// it recurses, whatever the nesting of the formula.

#include "platform/sheet/CellStore.h"
#include "platform/sheet/Value.h"
#include "platform/sheet/formula/FormulaCode.h"
#include "platform/sheet/functions/FunctionApi.h"

#include <string_view>
#include <vector>

namespace vtx::sheet {

/// Calls of functions that are not built in (custom functions of a grid).
class NamedFunctionHost {
public:
    virtual ~NamedFunctionHost() = default;
    /// Evaluates the function `name` (upper case) with its arguments as
    /// written (references not yet read) and sets the result; #NAME? when
    /// there is no such function.
    virtual void callNamed(std::string_view name, Operand* args, int argc, CellPos at,
                           Operand& result) = 0;
};

class Interpreter {
public:
    Interpreter(const CellStore& cells, NamedFunctionHost* host, LookupIndex* lookups)
        : m_cells(cells), m_host(host), m_lookups(lookups) {}
    /// The value of the program standing at `at`.
    Value evaluate(const FormulaCode& code, CellPos at);

private:
    void binary(Op op);
    void call(std::uint32_t index, int argc, CellPos at);
    /// Replaces a reference operand by the value of its cell (a range by the
    /// cell it shares a row or column with, else #VALUE!).
    void dereference(Operand& op, CellPos at) const;

    const CellStore& m_cells;
    NamedFunctionHost* m_host;
    LookupIndex* m_lookups;
    std::vector<Operand> m_stack;
};

/// Compares two values as the comparison operators do: numbers < texts <
/// booleans, texts without regard to case; an empty value equals 0, "" and
/// FALSE. Returns <0, 0 or >0.
int compareValues(const Value& a, const Value& b);
/// Windows-1252 case-folding comparison of two texts (<0, 0, >0).
int compareTextNoCase(std::string_view a, std::string_view b);

} // namespace vtx::sheet
