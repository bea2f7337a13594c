#pragma once

/// The parsed form of a formula: a postfix program whose references are kept
/// relative to the formula's own cell (or absolute where written with "$" or
/// as R1C1 numbers). Formulas that differ only by their position therefore
/// have equal programs, and the sheet keeps one shared copy of each
/// (FormulaPool).

#include "platform/sheet/FormulaError.h"
#include "platform/sheet/SheetTypes.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vtx::sheet {

enum class Op : std::uint8_t {
    Number,  ///< push numbers[index]
    Text,    ///< push texts[index]
    Boolean, ///< push index != 0
    Error,   ///< push the error value index
    Missing, ///< an empty argument: IF(A1,,2)
    Ref,     ///< push the cell reference refs[index]
    Range,   ///< push the range ranges[index]
    Negate,
    UnaryPlus,
    Percent,
    Add,
    Subtract,
    Multiply,
    Divide,
    Power,
    Concat,
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Paren,    ///< a written pair of parentheses; shown, not evaluated
    Call,     ///< built-in function index with argc arguments
    CallName, ///< function names[index] looked up when called (custom functions)
    /// IF: when the condition on the stack is false, a placeholder stands for
    /// the then-branch and evaluation goes on at index (the else-branch or
    /// the call); an invalid condition skips both branches.
    JumpIfFalse,
    /// IF: after the then-branch, a placeholder stands for the else-branch and
    /// evaluation goes on at index (the call).
    Jump,
    /// IFERROR: when the value on the stack is no error, a placeholder stands
    /// for the alternative and evaluation goes on at index (the call).
    JumpIfNotError,
    Nop, ///< a jump of a call with a wrong argument count, made harmless
    /// The range operator ":" between two references that are not both
    /// written cells ("B1:INDEX(C1:C9,3)"): the smallest range holding both.
    RangeJoin,
    /// A name that is neither a reference nor a function: names[index] as
    /// written; evaluates to #NAME? so that the formula can be mended.
    Name,
};

/// Bits of Instr::flags.
enum InstrFlag : std::uint8_t {
    /// The instruction stands inside an argument that takes arrays (SUM,
    /// SUMPRODUCT, ...): operators and functions given ranges or arrays
    /// compute element by element instead of taking a single value.
    kInstrArray = 1,
};

struct Instr {
    Op op = Op::Number;
    std::uint8_t argc = 0;
    std::uint8_t flags = 0;
    std::uint32_t index = 0;
    bool operator==(const Instr&) const = default;
};

/// One corner of a reference. Relative parts hold the offset from the
/// formula's cell, absolute parts the column or row itself.
struct CellRef {
    std::int32_t col = 0;
    std::int32_t row = 0;
    bool colAbs = false;
    bool rowAbs = false;
    bool operator==(const CellRef&) const = default;

    CellPos resolve(CellPos at) const {
        return {colAbs ? col : at.col + col, rowAbs ? row : at.row + row};
    }
    /// The reference that points at target from the cell at, keeping the flags.
    CellRef pointingAt(CellPos target, CellPos at) const {
        CellRef r = *this;
        r.col = colAbs ? target.col : target.col - at.col;
        r.row = rowAbs ? target.row : target.row - at.row;
        return r;
    }
};

/// Values of RangeRef::whole.
enum WholeBand : std::uint8_t {
    kWholeNone = 0,
    kWholeColumns = 1, ///< "A:C": every row of the columns
    kWholeRows = 2,    ///< "2:5": every column of the rows
};

struct RangeRef {
    CellRef first = {};
    CellRef last;
    /// Whole columns or rows (WholeBand): the other extent is the whole grid
    /// and stays so when rows or columns are inserted or deleted.
    std::uint8_t whole = kWholeNone;
    bool operator==(const RangeRef&) const = default;
    /// The range at a formula position, corners put in order.
    CellRange resolve(CellPos at) const;
};

/// True when the position lies in the grid (headers excluded).
inline bool isInGrid(CellPos p) {
    return p.col >= 1 && p.col <= kMaxCols && p.row >= 1 && p.row <= kMaxRows;
}

/// A set of instructions: a bit per Op.
constexpr std::uint64_t opBit(Op op) {
    return std::uint64_t{1} << static_cast<unsigned>(op);
}
/// The instructions Op::Add to Op::Power.
constexpr std::uint64_t kArithmeticOps = opBit(Op::Add) | opBit(Op::Subtract) |
                                         opBit(Op::Multiply) | opBit(Op::Divide) | opBit(Op::Power);

/// The longest program isArithmetic() accepts (its operands fit a small
/// fixed stack).
constexpr std::size_t kMaxArithmeticCode = 64;

/// An immutable formula program. Shared between cells through FormulaPool;
/// never changed once pooled.
class FormulaCode {
public:
    std::vector<Instr> code;
    std::vector<double> numbers;
    std::vector<std::string> texts;
    std::vector<CellRef> refs;
    std::vector<RangeRef> ranges;
    std::vector<std::string> names; ///< upper-case names of CallName
    /// Number literals written otherwise than their shortest text ("0.0001",
    /// "1.50", "1E3"): index into numbers and the text as written, in the
    /// order of the indexes. Part of the program, so "1.0" and "1" are two.
    std::vector<std::pair<std::uint32_t, std::string>> spellings;
    /// The last `addressRefs` entries of refs are arguments of custom
    /// functions that name cells elsewhere (AddressArguments): no
    /// precedents of the formula.
    std::uint32_t addressRefs = 0;
    bool isVolatile = false;
    /// Set when pooled (isArithmetic()): the interpreter may take its fast
    /// path of plain numbers.
    bool arithmeticOnly = false;
    /// Set when pooled (isScalarProgram()): numbers, truth values, operators
    /// and functions of single values only, for the interpreter's fast path.
    bool scalarOnly = false;
    /// Set when pooled (isTextProgram()): texts, numbers, cell references,
    /// "&", arithmetic and the text functions of TextPieces.h only, for the
    /// interpreter's text path.
    bool textOnly = false;

    /// The references whose cells the formula reads in its own grid.
    std::span<const CellRef> precedentRefs() const {
        return {refs.data(), refs.size() - addressRefs};
    }

    /// Empties the program, keeping its memory for the next parse.
    void clear();
    /// Adds a number literal written as `written`; returns its index.
    std::uint32_t addNumber(double value, std::string_view written);
    /// The text of number literal `index`: as written.
    std::string numberText(std::uint32_t index) const;
    /// A hash of everything that identifies the program.
    std::uint64_t hash() const;
    bool sameProgram(const FormulaCode& other) const;
    /// True for a short, well-formed program of numbers, single cell
    /// references, + - * /, signs and parentheses only ("A1+1", "(B2-C2)*0.5").
    bool isArithmetic() const;
    /// True for a program of at most kMaxArithmeticCode instructions, not
    /// volatile, of the instructions in `ops` (opBit()) only, whose calls
    /// (Op::Call) are all of built-in functions `callable` accepts: the
    /// programs the interpreter's fast paths take.
    bool isShortProgramOf(std::uint64_t ops, bool (*callable)(std::uint32_t index)) const;
    /// The formula text without "=", written in A1 or R1C1 style for a
    /// formula standing at `at`.
    std::string render(CellPos at, bool r1c1) const;

    int useCount = 0; ///< cells that use this program (kept by FormulaPool)
};

/// Column letters of a 1-based column: 1 "A", 27 "AA".
std::string columnName(int col);
/// Appends the A1 text of one reference corner ("$B$3"), or "#REF!".
void appendA1(std::string& out, const CellRef& ref, CellPos at);
/// The text of a whole-column or whole-row range ("A:C", "$2:$2", "C[-1]").
std::string bandText(const RangeRef& range, CellPos at, bool r1c1);
/// Appends the R1C1 text of one reference corner ("R[-1]C2").
void appendR1C1(std::string& out, const CellRef& ref, CellPos at);

} // namespace vtx::sheet
