// A program shown as formula text: the text the grid shows and saves, which
// must read back to the same program.

#include "platform/sheet/formula/FormulaCode.h"
#include "platform/sheet/formula/Lexer.h"
#include "platform/sheet/functions/FunctionRegistry.h"

#include <algorithm>

namespace vtx::sheet {

namespace {

void appendQuoted(std::string& out, const std::string& text) {
    out += '"';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

const char* binaryText(Op op) {
    switch (op) {
    case Op::Add:
        return "+";
    case Op::Subtract:
        return "-";
    case Op::Multiply:
        return "*";
    case Op::Divide:
        return "/";
    case Op::Power:
        return "^";
    case Op::Concat:
        return "&";
    case Op::Equal:
        return "=";
    case Op::NotEqual:
        return "<>";
    case Op::Less:
        return "<";
    case Op::LessEqual:
        return "<=";
    case Op::Greater:
        return ">";
    case Op::GreaterEqual:
        return ">=";
    default:
        return "";
    }
}

/// One shown operand: its text and how many bytes at its start and at its
/// end are a plain operand (reference, range, number, name, ...), which the
/// reader could read together with a neighbour across a ":".
struct Shown {
    std::string text;
    std::size_t head = 0;
    std::size_t tail = 0;

    static Shown plain(std::string s) {
        const std::size_t n = s.size();
        return {std::move(s), n, n};
    }
    static Shown closed(std::string s) { return {std::move(s), 0, 0}; }
};

/// True when `left:right` would not read back as the two operands around the
/// range operator: "A :A" written without its blank reads as the whole
/// column A:A, "1 :2" as the rows 1:2, R1C1 "R1 :C1" as a name. Only the
/// last plain operand of the left and the first of the right can merge;
/// a right side that begins with an opening character stands for any such.
bool mergesAcrossColon(std::string_view tail, std::string_view head, RefStyle style) {
    if (tail.empty())
        return false;
    std::string probe(tail);
    probe += ':';
    probe += head.empty() ? std::string_view("(") : head;
    Lexer lexer(probe, CellPos{1, 1}, style);
    Token token;
    ParseError error;
    while (lexer.next(token, error) && token.type != TokenType::End) {
        const auto at = static_cast<std::size_t>(token.position);
        if (at == tail.size())
            return !(token.type == TokenType::Operator && token.op == Op::RangeJoin);
        if (at > tail.size())
            return true;
    }
    return true;
}

} // namespace

std::string FormulaCode::render(CellPos at, bool r1c1) const {
    // Postfix to infix with a stack of texts: no recursion, so any nesting
    // depth the parser accepted can be shown.
    std::vector<Shown> stack;
    // Shown A1 text is read back in the default style, which also takes
    // R1C1 references, so that is the style it must survive.
    const RefStyle readBack = r1c1 ? RefStyle::R1C1 : RefStyle::Default;
    auto refText = [&](const CellRef& r) {
        std::string s;
        if (r1c1)
            appendR1C1(s, r, at);
        else
            appendA1(s, r, at);
        return s;
    };
    for (const Instr& in : code) {
        switch (in.op) {
        case Op::Number:
            stack.push_back(Shown::plain(numberText(in.index)));
            break;
        case Op::Text: {
            std::string s;
            appendQuoted(s, texts[in.index]);
            stack.push_back(Shown::closed(std::move(s)));
            break;
        }
        case Op::Boolean:
            stack.push_back(Shown::plain(in.index ? "TRUE" : "FALSE"));
            break;
        case Op::Error:
            stack.push_back(
                Shown::plain(std::string(errorText(static_cast<FormulaError>(in.index)))));
            break;
        case Op::Missing:
            stack.push_back(Shown::closed({}));
            break;
        case Op::Ref:
            stack.push_back(Shown::plain(refText(refs[in.index])));
            break;
        case Op::Range: {
            const RangeRef& r = ranges[in.index];
            if (r.whole != kWholeNone) {
                stack.push_back(Shown::plain(bandText(r, at, r1c1)));
                break;
            }
            std::string a = refText(r.first);
            std::string b = refText(r.last);
            stack.push_back(
                Shown::plain(a == "#REF!" || b == "#REF!" ? std::string("#REF!") : a + ":" + b));
            break;
        }
        case Op::Name:
            stack.push_back(Shown::plain(names[in.index]));
            break;
        case Op::Negate:
        case Op::UnaryPlus:
            if (!stack.empty()) {
                Shown& top = stack.back();
                top.text.insert(top.text.begin(), in.op == Op::Negate ? '-' : '+');
                top.head = 0;
            }
            break;
        case Op::Percent:
            if (!stack.empty()) {
                stack.back().text += '%';
                stack.back().tail = 0;
            }
            break;
        case Op::JumpIfFalse:
        case Op::Jump:
        case Op::JumpIfNotError:
        case Op::Nop:
            break;
        case Op::Paren:
            if (!stack.empty())
                stack.back() = Shown::closed("(" + stack.back().text + ")");
            break;
        case Op::Call:
        case Op::CallName: {
            std::size_t argc = std::min<std::size_t>(in.argc, stack.size());
            std::string s =
                in.op == Op::Call ? std::string(functionName(in.index)) : names[in.index];
            s += '(';
            for (std::size_t i = stack.size() - argc; i < stack.size(); ++i) {
                if (i != stack.size() - argc)
                    s += ',';
                s += stack[i].text;
            }
            s += ')';
            stack.resize(stack.size() - argc);
            stack.push_back(Shown::closed(std::move(s)));
            break;
        }
        default: {
            if (stack.size() < 2)
                break;
            Shown right = std::move(stack.back());
            stack.pop_back();
            Shown& left = stack.back();
            if (in.op == Op::RangeJoin) {
                const std::string_view leftText = left.text;
                const bool blank =
                    mergesAcrossColon(leftText.substr(leftText.size() - left.tail),
                                      std::string_view(right.text).substr(0, right.head), readBack);
                left.text += blank ? " :" : ":";
            } else {
                left.text += binaryText(in.op);
            }
            // The head of the left side stays the head of the whole.
            left.text += right.text;
            left.tail = right.tail;
            break;
        }
        }
    }
    return stack.empty() ? std::string() : stack.back().text;
}

} // namespace vtx::sheet
