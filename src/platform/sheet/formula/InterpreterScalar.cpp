// The interpreter's path for formulas of single numbers and truth values
// ("IF(A1>0,ROUND(B1*1.5,2),MAX(D1,E1))"): the bulk of engineering tables.
// It runs the very operators and function bodies of the general path, on a
// stack whose operands never hold a text, reference or array, so that
// pushing is setting a number and reading a cell is reading its number.
// Whatever this path does not take on (a text or truth value in a cell, an
// error anywhere) it leaves to the general path, which starts again.

#include "platform/sheet/formula/Interpreter.h"

#include "platform/sheet/functions/FunctionRegistry.h"

#include <algorithm>
#include <vector>

namespace vtx::sheet {

namespace {

/// Functions whose result, for arguments that are numbers and truth values,
/// depends on those alone: no cell, position, text or state is read.
constexpr const char* kScalarFunctions[] = {
    "ABS",  "SIGN",     "INT",     "TRUNC",     "SQRT",    "EXP",     "LN",
    "LOG",  "LOG10",    "POWER",   "SIN",       "COS",     "TAN",     "ASIN",
    "ACOS", "ATAN",     "ATAN2",   "PI",        "DEGREES", "RADIANS", "EVEN",
    "ODD",  "ROUND",    "ROUNDUP", "ROUNDDOWN", "CEILING", "FLOOR",   "MROUND",
    "MOD",  "QUOTIENT", "SUM",     "PRODUCT",   "AVERAGE", "MIN",     "MAX",
    "IF",   "AND",      "OR",      "XOR",       "NOT",     "TRUE",    "FALSE",
};

bool isScalarFunction(std::uint32_t index) {
    static const std::vector<bool> table = [] {
        std::vector<bool> t(static_cast<std::size_t>(functionCount()), false);
        for (const char* name : kScalarFunctions) {
            int i = findFunction(name);
            if (i >= 0)
                t[static_cast<std::size_t>(i)] = true;
        }
        return t;
    }();
    return index < table.size() && table[index];
}

/// The most slots a scalar program may need: every instruction pushes at
/// most one operand.
constexpr std::size_t kScalarSlots = kMaxArithmeticCode + 1;

} // namespace

bool isScalarProgram(const FormulaCode& program) {
    // Instructions inside arguments that take arrays (kInstrArray) work
    // element by element only on ranges and arrays, which such a program
    // cannot make: the flag changes nothing here.
    constexpr std::uint64_t kOps =
        opBit(Op::Number) | opBit(Op::Boolean) | opBit(Op::Ref) | opBit(Op::Paren) |
        opBit(Op::Nop) | opBit(Op::Negate) | opBit(Op::UnaryPlus) | opBit(Op::Percent) |
        kArithmeticOps | opBit(Op::Equal) | opBit(Op::NotEqual) | opBit(Op::Less) |
        opBit(Op::LessEqual) | opBit(Op::Greater) | opBit(Op::GreaterEqual) |
        opBit(Op::JumpIfFalse) | opBit(Op::Jump) | opBit(Op::Call);
    return program.isShortProgramOf(kOps, isScalarFunction);
}

bool Interpreter::evaluateScalar(const FormulaCode& program, CellPos at, Value& out) {
    if (m_scalars.empty())
        m_scalars.resize(kScalarSlots);
    Operand* s = m_scalars.data();
    std::size_t depth = 0;
    const std::size_t end = program.code.size();
    for (std::size_t pc = 0; pc < end; ++pc) {
        const Instr& in = program.code[pc];
        switch (in.op) {
        case Op::Number:
            s[depth++].setNumber(program.numbers[in.index]);
            break;
        case Op::Boolean:
            s[depth++].setBoolean(in.index != 0);
            break;
        case Op::Ref: {
            const Value* cell = referencedValue(program, in.index, at);
            if (!cell)
                return false;
            const Value& v = *cell;
            Operand& op = s[depth++];
            if (v.isNumber()) {
                op.setNumber(v.asNumber());
            } else if (v.isEmpty()) {
                op.setEmpty();
                op.number = 0;
            } else {
                return false; // texts, truth values and errors of cells
            }
            break;
        }
        case Op::Paren:
        case Op::Nop:
            break;
        case Op::Negate:
        case Op::UnaryPlus:
        case Op::Percent:
            if (depth < 1)
                return false;
            applyUnary(in.op, s[depth - 1]);
            if (s[depth - 1].kind == OperandKind::Error)
                return false;
            break;
        case Op::JumpIfFalse:
            // The condition stays for IF's call; a placeholder stands for the
            // branch not taken, as on the general path.
            if (depth < 1)
                return false;
            if (s[depth - 1].number != 0.0)
                break;
            s[depth++].kind = OperandKind::Missing;
            pc = static_cast<std::size_t>(in.index) - 1;
            break;
        case Op::Jump:
            s[depth++].kind = OperandKind::Missing;
            pc = static_cast<std::size_t>(in.index) - 1;
            break;
        case Op::Call: {
            const std::size_t argc = in.argc;
            const FunctionInfo& def = m_functions[in.index];
            if (depth < argc || argc < def.minArgs || (def.maxArgs != 255 && argc > def.maxArgs))
                return false;
            Operand* args = s + (depth - argc);
            for (std::size_t i = 0; i < argc; ++i) {
                ArgKind kind = def.kinds[std::min<std::size_t>(i, 3)];
                // A function taking a reference reads an empty cell itself
                // (MAX skips it): only the general path can pass one.
                if (args[i].kind == OperandKind::Empty &&
                    (kind == ArgKind::Any || kind == ArgKind::Pass))
                    return false;
                coerceArgument(kind, args[i]);
            }
            Operand& result = s[depth];
            result.setNumber(0);
            FunctionCall fc{args, static_cast<int>(argc), result, m_cells, at, m_lookups};
            def.body(fc);
            if (result.kind != OperandKind::Number && result.kind != OperandKind::Boolean)
                return false; // an error (or an empty branch of IF)
            args[0].kind = result.kind;
            args[0].number = result.number;
            depth = depth - argc + 1;
            break;
        }
        default: // the binary operators
            if (depth < 2)
                return false;
            applyBinary(in.op, s[depth - 2], s[depth - 1]);
            --depth;
            if (s[depth - 1].kind == OperandKind::Error)
                return false;
            break;
        }
    }
    if (depth != 1)
        return false;
    const Operand& last = s[0];
    if (last.kind == OperandKind::Boolean)
        out = Value::boolean(last.number != 0.0);
    else
        out = Value::number(last.kind == OperandKind::Number ? last.number : 0.0);
    return true;
}

} // namespace vtx::sheet
