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

/// An operand of the interpreter's text path: a number, a text or an empty
/// cell. A text is a view of a cell's text, of a literal of the program or
/// of the slot's own buffer, never of another slot's buffer: a call's result
/// replaces its first argument's slot and leaves no view dangling.
struct TextOperand {
    enum class Kind : std::uint8_t { Empty, Number, Text };
    Kind kind = Kind::Empty;
    double number = 0.0;
    std::string_view text;
    std::string buffer;
};

class Interpreter {
public:
    Interpreter(const CellStore& cells, NamedFunctionHost* host, LookupIndex* lookups);
    /// The value of the program standing at `at`.
    Value evaluate(const FormulaCode& code, CellPos at) {
        double number = 0;
        if (code.arithmeticOnly && evaluateArithmetic(code, at, number))
            return Value::number(number);
        if (code.scalarOnly || code.textOnly)
            return evaluateFast(code, at);
        return evaluateProgram(code, at);
    }
    /// Where to note the references that functions and the range operator
    /// build at run time (OFFSET, INDIRECT, INDEX, "A1:INDEX(...)"), so that
    /// recalculation can check the cells they reach; null to note nothing.
    void setDynamicReads(std::vector<CellRange>* reads) { m_dynamicReads = reads; }

private:
    /// The value of the cell that reference `index` of the program names
    /// from `at`; null for a reference outside the grid.
    const Value* referencedValue(const FormulaCode& program, std::uint32_t index,
                                 CellPos at) const {
        const CellPos p = program.refs[index].resolve(at);
        return isInGrid(p) ? &m_cells.value(p.col, p.row) : nullptr;
    }
    /// The value of an arithmetic program (FormulaCode::arithmeticOnly) on a
    /// stack of plain numbers; false, with nothing done, where the general
    /// path must answer: a cell holding no number, a division by zero, a
    /// result beyond the finite numbers.
    bool evaluateArithmetic(const FormulaCode& program, CellPos at, double& out) const;
    /// The value of a program of single numbers and truth values
    /// (FormulaCode::scalarOnly) on a stack of operands that never hold texts,
    /// references or arrays; false where the general path must answer: a
    /// cell holding a text, truth value or error, an empty cell where a
    /// function would read the cell itself, any error on the way.
    bool evaluateScalar(const FormulaCode& program, CellPos at, Value& out);
    /// The value of a program of texts and numbers (FormulaCode::textOnly)
    /// on a stack of operands whose texts are views of the cells' texts, the
    /// program's literals or the slots' own buffers, so that reading a cell
    /// or taking a part of a text copies nothing; false, with nothing done,
    /// where the general path must answer: a cell holding a truth value or
    /// an error, a text read as a number that is none, any error on the way.
    bool evaluateText(const FormulaCode& program, CellPos at, Value& out);
    /// A call of evaluateText(): its arguments are args[0] to args[argc - 1],
    /// its result takes the place of args[0]; false where the general path
    /// must answer.
    bool callText(const Instr& in, TextOperand* args, std::size_t argc);
    /// evaluate() of a scalar or text program: its fast path, else the
    /// general one. Every branch gives the one value, made in the caller's
    /// place; out of line, so that the arithmetic path inlined into the
    /// caller stays small.
    Value evaluateFast(const FormulaCode& code, CellPos at);
    /// evaluate() on the operand stack: any program.
    Value evaluateProgram(const FormulaCode& program, CellPos at);

    /// A fresh operand on top of the stack. Slots are kept from one push to
    /// the next (and from one formula to the next): push() gives a slot the
    /// state of a new Operand but keeps its text's memory, so that pushing
    /// and popping numbers and references builds and frees no strings.
    Operand& push() {
        if (m_depth == m_slots) [[unlikely]]
            growStack();
        Operand& op = m_stack[m_depth++];
        op.kind = OperandKind::Empty;
        op.error = FormulaError::None;
        op.number = 0.0;
        op.text.clear();
        op.range = CellRange();
        if (op.array) [[unlikely]]
            dropArray(op);
        return op;
    }
    // The rare parts of push(), out of line so that push() stays small.
    void growStack();
    static void dropArray(Operand& op);
    Operand& top() { return m_stack[m_depth - 1]; }
    /// Replaces the operands from `base` up by the one on top (a call's
    /// result). Texts and arrays change places only when there are any: most
    /// results are numbers, and the slot above is dead anyway.
    void settle(std::size_t base) {
        Operand& from = m_stack[m_depth - 1];
        Operand& to = m_stack[base];
        m_depth = base + 1;
        if (from.array)
            m_holdsArrays = true;
        if (&from == &to)
            return;
        to.kind = from.kind;
        to.error = from.error;
        to.number = from.number;
        to.range = from.range;
        if (!from.text.empty() || !to.text.empty())
            to.text.swap(from.text);
        if (from.array || to.array)
            to.array.swap(from.array);
    }
    /// Lets go of the arrays still held by slots once a formula is done.
    void releaseArrays() {
        if (!m_holdsArrays)
            return;
        for (Operand& op : m_stack)
            if (op.array)
                dropArray(op);
        m_holdsArrays = false;
    }

    void call(std::uint32_t index, int argc, bool arrays, CellPos at);
    /// Coerces the arguments by their declared kinds and runs the body.
    void run(const FunctionInfo& def, Operand* args, int argc, CellPos at, Operand& result);
    /// Replaces a reference operand by the value of its cell (a range by the
    /// cell it shares a row or column with, else #VALUE!); an array by its
    /// element in the formula's row or column.
    void dereference(Operand& op, CellPos at) const {
        if (op.kind == OperandKind::Ref)
            readCell(op);
        else if (op.kind == OperandKind::Range || op.kind == OperandKind::Array)
            dereferenceMulti(op, at);
    }
    /// dereference() of a single cell reference.
    void readCell(Operand& op) const;
    /// dereference() of a range or an array.
    void dereferenceMulti(Operand& op, CellPos at) const;

    // ---- element by element (InterpreterArrays.cpp) ----
    /// The element (row, col) of an operand, a single value standing for
    /// every element; false outside a larger operand's size.
    bool element(const Operand& op, int row, int col, Operand& out) const;
    /// a op b over ranges and arrays; the result replaces a.
    void binaryArray(Op op, Operand& a, const Operand& b, CellPos at);
    void unaryArray(Op op, Operand& a, CellPos at);
    /// A call whose value arguments hold ranges or arrays, once per element.
    void liftedCall(const FunctionInfo& def, Operand* args, int argc, CellPos at, Operand& result);

    const CellStore& m_cells;
    NamedFunctionHost* m_host;
    LookupIndex* m_lookups;
    /// Slots made at once: most formulas need no more, and an interpreter
    /// is made for every recalculation, however small.
    static constexpr std::size_t kFirstSlots = 8;
    const FunctionInfo* m_functions; ///< the built-in functions, by index
    std::vector<Operand> m_stack;
    std::size_t m_slots = 0; ///< m_stack.size(), kept at hand for push()
    std::size_t m_depth = 0; ///< operands in use in m_stack
    /// Set when an array may have come onto the stack (a call's result, an
    /// operator computing element by element): releaseArrays() has work.
    bool m_holdsArrays = false;
    /// One entry per IF being evaluated: true when its condition is an
    /// array, so that both branches are evaluated.
    std::vector<bool> m_arrayIfs;
    std::vector<CellRange>* m_dynamicReads = nullptr;
    /// The stack of evaluateScalar(), made when first needed.
    std::vector<Operand> m_scalars;
    /// The stack of evaluateText(), made when first needed, and where its
    /// results are built before they take the place of their first argument.
    std::vector<TextOperand> m_texts;
    std::string m_textResult;
};

/// True when every instruction of the program has a single number or truth
/// value as its operands and result: the evaluateScalar() programs.
bool isScalarProgram(const FormulaCode& program);
/// True when the program holds only what evaluateText() runs: numbers,
/// texts, cell references, "&", arithmetic and signs, and calls of LEN,
/// LEFT, RIGHT, MID, UPPER, LOWER, PROPER, TRIM, CLEAN, REPT and CONCATENATE.
bool isTextProgram(const FormulaCode& program);
/// x op y for + - * / ^: the error (#DIV/0!, #NUM!) or FormulaError::None
/// with the result in out.
FormulaError arithmeticResult(Op op, double x, double y, double& out);
/// Converts an argument, its reference already read, to what its declared
/// kind asks for (a number, text or truth value); the error that stops the
/// call, or FormulaError::None.
FormulaError coerceArgument(ArgKind kind, Operand& a);
/// a op b for single values (references already read): the result replaces a.
void applyBinary(Op op, Operand& a, const Operand& b);
/// Negation, unary plus or percent of a single value, in place.
void applyUnary(Op op, Operand& a);
/// True for a range of more than one cell or an array.
bool isArrayLike(const Operand& op);
/// Copies a cell value into an operand.
void setOperandValue(Operand& op, const Value& v);
/// The plain value of an operand that holds one.
Value operandToValue(const Operand& op);

/// Compares two values as the comparison operators do: numbers < texts <
/// booleans, texts without regard to case; an empty value equals 0, "" and
/// FALSE. Returns <0, 0 or >0.
int compareValues(const Value& a, const Value& b);
/// Windows-1252 case-folding comparison of two texts (<0, 0, >0).
int compareTextNoCase(std::string_view a, std::string_view b);

} // namespace vtx::sheet
