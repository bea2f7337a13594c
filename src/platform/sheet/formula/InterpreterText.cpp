// The interpreter's path for formulas of texts (A1&"-X", LEFT(A1,4),
// LEN(B1)+LEN(D1), CONCATENATE(C1,"/",D1)): part numbers, profile names and
// labels built from cells. Texts on its stack are views, so that reading a
// cell's text or taking a part of it copies nothing; only the formula's
// value is made a string. The parts of the text functions are the very ones
// their bodies compute with (TextPieces.h). Whatever this path does not take
// on (a truth value or an error in a cell, an error anywhere) it leaves to
// the general path, which starts again.

#include "platform/sheet/formula/Interpreter.h"

#include "platform/sheet/functions/FunctionRegistry.h"
#include "platform/sheet/functions/TextPieces.h"

#include <algorithm>
#include <vector>

namespace vtx::sheet {

namespace {

enum class TextFunction : std::uint8_t {
    None,
    Len,
    Left,
    Right,
    Mid,
    Upper,
    Lower,
    Proper,
    Trim,
    Clean,
    Rept,
    Concatenate,
};

/// The text path's function of every built-in function, by index (None for
/// the functions it leaves to the general path).
std::vector<TextFunction> makeTextFunctions() {
    const std::pair<const char*, TextFunction> named[] = {
        {"LEN", TextFunction::Len},
        {"LEFT", TextFunction::Left},
        {"RIGHT", TextFunction::Right},
        {"MID", TextFunction::Mid},
        {"UPPER", TextFunction::Upper},
        {"LOWER", TextFunction::Lower},
        {"PROPER", TextFunction::Proper},
        {"TRIM", TextFunction::Trim},
        {"CLEAN", TextFunction::Clean},
        {"REPT", TextFunction::Rept},
        {"CONCATENATE", TextFunction::Concatenate},
    };
    std::vector<TextFunction> table(static_cast<std::size_t>(functionCount()), TextFunction::None);
    for (const auto& [name, function] : named) {
        int i = findFunction(name);
        if (i >= 0)
            table[static_cast<std::size_t>(i)] = function;
    }
    return table;
}

/// Looked up for every call: kept inline.
[[gnu::always_inline]] inline TextFunction textFunction(std::uint32_t index) {
    static const std::vector<TextFunction> table = makeTextFunctions();
    return index < table.size() ? table[index] : TextFunction::None;
}

/// The most slots a text program may need: every instruction pushes at most
/// one operand.
constexpr std::size_t kTextSlots = kMaxArithmeticCode + 1;

} // namespace

bool isTextProgram(const FormulaCode& program) {
    constexpr std::uint64_t kOps = opBit(Op::Number) | opBit(Op::Text) | opBit(Op::Ref) |
                                   opBit(Op::Paren) | opBit(Op::Negate) | opBit(Op::UnaryPlus) |
                                   opBit(Op::Percent) | kArithmeticOps | opBit(Op::Concat) |
                                   opBit(Op::Call);
    return program.isShortProgramOf(
        kOps, [](std::uint32_t index) { return textFunction(index) != TextFunction::None; });
}

namespace {

using TextKind = TextOperand::Kind;

/// The number of an operand as the general path coerces it (an empty cell is
/// 0, a text is read as a number); false for a text that reads as none.
bool numberOf(const TextOperand& op, double& out) {
    if (op.kind == TextKind::Number) {
        out = op.number;
        return true;
    }
    if (op.kind == TextKind::Empty) {
        out = 0;
        return true;
    }
    return textToNumber(op.text, out);
}

/// Makes an operand a text as the general path does: a number in general
/// format (in the slot's own buffer), an empty cell "".
void makeText(TextOperand& op) {
    if (op.kind == TextKind::Text)
        return;
    op.buffer.clear();
    if (op.kind == TextKind::Number)
        appendGeneral(op.buffer, op.number);
    op.text = op.buffer;
    op.kind = TextKind::Text;
}

void setNumber(TextOperand& op, double n) {
    op.kind = TextKind::Number;
    op.number = n;
}

} // namespace

[[gnu::always_inline]] inline bool Interpreter::callText(const Instr& in, TextOperand* args,
                                                         std::size_t argc) {
    const FunctionInfo& def = m_functions[in.index];
    if (argc < def.minArgs || (def.maxArgs != 255 && argc > def.maxArgs))
        return false;
    for (std::size_t i = 0; i < argc; ++i) {
        if (def.kinds[std::min<std::size_t>(i, 3)] == ArgKind::Number) {
            double n = 0;
            if (!numberOf(args[i], n))
                return false;
            setNumber(args[i], n);
        } else {
            makeText(args[i]);
        }
    }
    TextOperand& result = args[0];
    const std::string_view text = args[0].text;
    std::string_view part;
    // A part of the first argument's text stays in that slot: nothing to copy.
    auto takePart = [&](bool ok) {
        if (ok)
            result.text = part;
        return ok;
    };
    std::string& made = m_textResult;
    made.clear();
    switch (textFunction(in.index)) {
    case TextFunction::Len:
        setNumber(result, static_cast<double>(text.size()));
        return true;
    case TextFunction::Left:
        return takePart(leftPart(text, argc > 1 ? args[1].number : 1, part));
    case TextFunction::Right:
        return takePart(rightPart(text, argc > 1 ? args[1].number : 1, part));
    case TextFunction::Mid:
        return takePart(midPart(text, args[1].number, args[2].number, part));
    case TextFunction::Upper:
        appendUpper(made, text);
        break;
    case TextFunction::Lower:
        appendLower(made, text);
        break;
    case TextFunction::Proper:
        appendProper(made, text);
        break;
    case TextFunction::Trim:
        appendTrimmed(made, text);
        break;
    case TextFunction::Clean:
        appendCleaned(made, text);
        break;
    case TextFunction::Rept:
        if (!appendRepeated(made, text, args[1].number))
            return false;
        break;
    case TextFunction::Concatenate:
        for (std::size_t i = 0; i < argc; ++i)
            made += args[i].text;
        if (made.size() > kMaxTextLength)
            return false;
        break;
    case TextFunction::None:
        return false;
    }
    // Built apart from the arguments, which it may have been made of.
    result.buffer.swap(made);
    result.text = result.buffer;
    return true;
}

bool Interpreter::evaluateText(const FormulaCode& program, CellPos at, Value& out) {
    if (m_texts.empty())
        m_texts.resize(kTextSlots);
    TextOperand* s = m_texts.data();
    std::size_t depth = 0;
    for (const Instr& in : program.code) {
        switch (in.op) {
        case Op::Number:
            setNumber(s[depth++], program.numbers[in.index]);
            break;
        case Op::Text: {
            TextOperand& op = s[depth++];
            op.kind = TextKind::Text;
            op.text = program.texts[in.index];
            break;
        }
        case Op::Ref: {
            const Value* cell = referencedValue(program, in.index, at);
            if (!cell)
                return false;
            const Value& v = *cell;
            TextOperand& op = s[depth++];
            if (v.isText()) {
                op.kind = TextKind::Text;
                op.text = v.asText();
            } else if (v.isNumber()) {
                setNumber(op, v.asNumber());
            } else if (v.isEmpty()) {
                op.kind = TextKind::Empty;
            } else {
                return false; // truth values and errors of cells
            }
            break;
        }
        case Op::Paren:
            break;
        case Op::UnaryPlus:
            if (depth < 1)
                return false;
            break; // keeps even a text, as on the general path
        case Op::Negate:
        case Op::Percent: {
            double n = 0;
            if (depth < 1 || !numberOf(s[depth - 1], n))
                return false;
            setNumber(s[depth - 1], in.op == Op::Negate ? -n : n / 100.0);
            break;
        }
        case Op::Concat: {
            if (depth < 2)
                return false;
            TextOperand& a = s[depth - 2];
            TextOperand& b = s[depth - 1];
            makeText(a);
            makeText(b);
            m_textResult.clear();
            m_textResult.reserve(a.text.size() + b.text.size());
            m_textResult += a.text;
            m_textResult += b.text;
            if (m_textResult.size() > kMaxTextLength)
                return false;
            a.buffer.swap(m_textResult);
            a.text = a.buffer;
            --depth;
            break;
        }
        case Op::Call: {
            const std::size_t argc = in.argc;
            if (depth < argc || argc == 0 || !callText(in, s + (depth - argc), argc))
                return false;
            depth = depth - argc + 1;
            break;
        }
        default: { // + - * / ^
            double x = 0;
            double y = 0;
            if (depth < 2 || !numberOf(s[depth - 2], x) || !numberOf(s[depth - 1], y) ||
                arithmeticResult(in.op, x, y, s[depth - 2].number) != FormulaError::None)
                return false;
            s[depth - 2].kind = TextKind::Number;
            --depth;
            break;
        }
        }
    }
    if (depth != 1)
        return false;
    const TextOperand& last = s[0];
    if (last.kind == TextKind::Text)
        out.assignText(last.text);
    else
        out = Value::number(last.kind == TextKind::Number ? last.number : 0.0);
    return true;
}

} // namespace vtx::sheet
