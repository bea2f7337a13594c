// Formula grammar (operators from loosest to tightest binding):
//
//   formula     := ["="] comparison
//   comparison  := concat { ("=" | "<>" | "<" | "<=" | ">" | ">=") concat }
//   concat      := additive { "&" additive }
//   additive    := term { ("+" | "-") term }
//   term        := power { ("*" | "/") power }
//   power       := unary { "^" unary }                 left to right: 2^3^2 = 64
//   unary       := { "-" | "+" } postfix               -2^2 = 4, as spreadsheets do
//   postfix     := primary { "%" }
//   primary     := NUMBER | TEXT | TRUE | FALSE | ERROR
//                | REF [ ":" REF ]
//                | NAME "(" [ arg { "," arg } ] ")"
//                | "(" comparison ")"
//   arg         := [ comparison ]                      an empty argument is "missing"
//
//   REF (A1)    := ["$"] letters(1..3) ["$"] digits    A1, $B$2, AB$10
//   REF (R1C1)  := "R" [n | "[" ±n "]"] "C" [n | "[" ±n "]"]   R1C1, R[-1]C, RC[2]
//
// The parser is an operator-precedence (shunting-yard) loop with an explicit
// stack, so the depth of a formula costs heap, never the C++ stack; open
// parentheses are limited to kMaxNesting. IF and IFERROR get jumps around
// their branches, so that only the branch taken is evaluated.

#include "platform/sheet/formula/Parser.h"

#include "platform/sheet/formula/Lexer.h"
#include "platform/sheet/functions/FunctionApi.h"
#include "platform/sheet/functions/FunctionRegistry.h"
#include "platform/sheet/functions/TextUtil.h"

#include <vector>

namespace vtx::sheet {

namespace {

int precedence(Op op) {
    switch (op) {
    case Op::Equal:
    case Op::NotEqual:
    case Op::Less:
    case Op::LessEqual:
    case Op::Greater:
    case Op::GreaterEqual:
        return 1;
    case Op::Concat:
        return 2;
    case Op::Add:
    case Op::Subtract:
        return 3;
    case Op::Multiply:
    case Op::Divide:
        return 4;
    case Op::Power:
        return 5;
    case Op::RangeJoin:
        return 7; // binds tighter than the unary operators: -A1:B2 negates the range
    default:
        return 6; // unary
    }
}

struct StackItem {
    enum Kind : std::uint8_t { Binary, Unary, Group, Function } kind;
    Op op = Op::Add;
    int argc = 0;
    int position = 0;
    bool named = false;
    std::uint32_t index = 0;
    /// Branches evaluated only when needed: 1 IF, 2 IFERROR; the positions
    /// of their jump instructions.
    int lazy = 0;
    int firstJump = -1;
    int secondJump = -1;
    /// The argument being read takes arrays (m_arrayDepth counts it).
    bool arrayArg = false;
};

class Parser {
public:
    Parser(std::string_view text, CellPos at, RefStyle style, const CustomNameTest& isCustom,
           FormulaCode& out)
        : m_lexer(text, at, style), m_isCustom(isCustom), m_out(out) {}

    bool run(ParseError& error);

private:
    void emit(Op op, std::uint32_t index = 0, int argc = 0) {
        m_out.code.push_back({op, static_cast<std::uint8_t>(argc),
                              m_arrayDepth > 0 ? std::uint8_t{kInstrArray} : std::uint8_t{0},
                              index});
    }
    /// Enters the argument `call.argc` of a call: an argument of a built-in
    /// function declared to take ranges and arrays is an array context for
    /// everything inside it.
    void enterArgument(StackItem& call) {
        if (call.arrayArg)
            --m_arrayDepth;
        call.arrayArg =
            !call.named && functionInfo(call.index).kinds[std::min(call.argc, 3)] == ArgKind::Any;
        if (call.arrayArg)
            ++m_arrayDepth;
    }
    void popOperator() {
        const StackItem& top = m_stack.back();
        emit(top.op);
        // A range built at run time may reach cells the formula does not
        // name: it is evaluated with every recalculation.
        if (top.op == Op::RangeJoin)
            m_out.isVolatile = true;
        m_stack.pop_back();
    }
    bool fail(ParseError& error, ParseErrorCode code, int position) {
        error = {code, position};
        return false;
    }
    bool operand(const Token& t, ParseError& error);
    bool closeCall(ParseError& error, int position);
    /// An argument of a call ended at a comma (its count is already raised).
    void argumentEnded(StackItem& call);
    void patchJumps(const StackItem& call);

    Lexer m_lexer;
    const CustomNameTest& m_isCustom;
    FormulaCode& m_out;
    std::vector<StackItem> m_stack;
    int m_depth = 0;
    int m_arrayDepth = 0; ///< open arguments that take arrays
};

bool Parser::operand(const Token& t, ParseError& error) {
    switch (t.type) {
    case TokenType::Number:
        emit(Op::Number, m_out.addNumber(t.number, t.text));
        return true;
    case TokenType::Text:
        emit(Op::Text, static_cast<std::uint32_t>(m_out.texts.size()));
        m_out.texts.emplace_back(t.text);
        return true;
    case TokenType::Boolean:
        emit(Op::Boolean, t.number != 0 ? 1u : 0u);
        return true;
    case TokenType::ErrorLiteral:
        emit(Op::Error, static_cast<std::uint32_t>(t.number));
        return true;
    case TokenType::Ref:
        emit(Op::Ref, static_cast<std::uint32_t>(m_out.refs.size()));
        m_out.refs.push_back(t.range.first);
        return true;
    case TokenType::Range:
        emit(Op::Range, static_cast<std::uint32_t>(m_out.ranges.size()));
        m_out.ranges.push_back(t.range);
        return true;
    default:
        return fail(error, ParseErrorCode::UnknownName, t.position);
    }
}

void Parser::argumentEnded(StackItem& call) {
    auto here = [this] { return static_cast<int>(m_out.code.size()); };
    if (call.lazy == 1 && call.argc == 1) {
        call.firstJump = here();
        emit(Op::JumpIfFalse);
    } else if (call.lazy == 1 && call.argc == 2) {
        call.secondJump = here();
        emit(Op::Jump);
        m_out.code[static_cast<std::size_t>(call.firstJump)].index =
            static_cast<std::uint32_t>(here());
    } else if (call.lazy == 2 && call.argc == 1) {
        call.firstJump = here();
        emit(Op::JumpIfNotError);
    }
}

void Parser::patchJumps(const StackItem& call) {
    auto at = [this](int i) -> Instr& { return m_out.code[static_cast<std::size_t>(i)]; };
    auto end = static_cast<std::uint32_t>(m_out.code.size());
    bool valid = (call.lazy == 1 && (call.argc == 2 || call.argc == 3)) ||
                 (call.lazy == 2 && call.argc == 2);
    if (!valid) {
        // A wrong argument count is an error value at run time; every
        // argument is then evaluated in order.
        if (call.firstJump >= 0)
            at(call.firstJump).op = Op::Nop;
        if (call.secondJump >= 0)
            at(call.secondJump).op = Op::Nop;
        return;
    }
    if (call.lazy == 1 && call.argc == 3)
        at(call.secondJump).index = end;
    else
        at(call.firstJump).index = end;
}

bool Parser::closeCall(ParseError& error, int position) {
    while (!m_stack.empty() && m_stack.back().kind != StackItem::Group &&
           m_stack.back().kind != StackItem::Function)
        popOperator();
    if (m_stack.empty())
        return fail(error, ParseErrorCode::UnbalancedParen, position);
    StackItem top = m_stack.back();
    m_stack.pop_back();
    --m_depth;
    if (top.arrayArg)
        --m_arrayDepth; // the call itself stands in its caller's context
    if (top.kind == StackItem::Group) {
        emit(Op::Paren);
        return true;
    }
    if (top.argc > kMaxArguments)
        return fail(error, ParseErrorCode::TooManyArguments, position);
    if (top.lazy)
        patchJumps(top);
    emit(top.named ? Op::CallName : Op::Call, top.index, top.argc);
    if (!top.named && functionInfo(top.index).isVolatile)
        m_out.isVolatile = true;
    return true;
}

bool Parser::run(ParseError& error) {
    bool expectOperand = true;
    bool justOpenedCall = false;
    Token t;
    bool first = true;
    while (true) {
        if (!m_lexer.next(t, error))
            return false;
        if (first) {
            first = false;
            if (t.type == TokenType::Operator && t.op == Op::Equal) {
                if (!m_lexer.next(t, error))
                    return false;
            }
            if (t.type == TokenType::End)
                return fail(error, ParseErrorCode::Empty, t.position);
        }
        bool opened = false;
        if (expectOperand) {
            switch (t.type) {
            case TokenType::Operator:
                if (t.op != Op::Add && t.op != Op::Subtract)
                    return fail(error, ParseErrorCode::MissingOperand, t.position);
                m_stack.push_back({StackItem::Unary, t.op == Op::Add ? Op::UnaryPlus : Op::Negate,
                                   0, t.position});
                break;
            case TokenType::LeftParen:
                if (++m_depth > kMaxNesting)
                    return fail(error, ParseErrorCode::NestingTooDeep, t.position);
                m_stack.push_back({StackItem::Group, Op::Paren, 0, t.position});
                break;
            case TokenType::Name: {
                if (!t.call) {
                    // A name the formula language does not know: kept as
                    // written and evaluated as #NAME?, so it can be mended.
                    emit(Op::Name, static_cast<std::uint32_t>(m_out.names.size()));
                    m_out.names.emplace_back(t.text);
                    expectOperand = false;
                    break;
                }
                Token paren;
                if (!m_lexer.next(paren, error))
                    return false;
                if (++m_depth > kMaxNesting)
                    return fail(error, ParseErrorCode::NestingTooDeep, t.position);
                StackItem item{StackItem::Function, Op::Call, 0, t.position};
                int builtin = -1;
                if (!m_isCustom || !m_isCustom(upperText(t.text)))
                    builtin = findFunction(t.text);
                if (builtin >= 0) {
                    item.index = static_cast<std::uint32_t>(builtin);
                    std::string_view name = functionName(item.index);
                    item.lazy = name == "IF" ? 1 : (name == "IFERROR" ? 2 : 0);
                } else {
                    item.named = true;
                    item.index = static_cast<std::uint32_t>(m_out.names.size());
                    m_out.names.push_back(upperText(t.text));
                }
                enterArgument(item);
                m_stack.push_back(item);
                opened = true;
                break;
            }
            case TokenType::Comma:
            case TokenType::RightParen:
                // An empty argument: "IF(A1,,2)" or "F(1,)"; "F()" has none.
                if (m_stack.empty() || m_stack.back().kind != StackItem::Function)
                    return fail(error, ParseErrorCode::MissingOperand, t.position);
                if (t.type == TokenType::RightParen && justOpenedCall) {
                    if (!closeCall(error, t.position))
                        return false;
                    expectOperand = false;
                    break;
                }
                emit(Op::Missing);
                ++m_stack.back().argc;
                if (t.type == TokenType::Comma) {
                    argumentEnded(m_stack.back());
                    enterArgument(m_stack.back());
                }
                if (t.type == TokenType::RightParen) {
                    if (!closeCall(error, t.position))
                        return false;
                    expectOperand = false;
                }
                break;
            case TokenType::End:
                if (!m_stack.empty() && m_stack.back().kind == StackItem::Binary &&
                    m_stack.back().op == Op::RangeJoin)
                    return fail(error, ParseErrorCode::BadReference, t.position);
                return fail(error, ParseErrorCode::MissingOperand, t.position);
            case TokenType::Percent:
                return fail(error, ParseErrorCode::MissingOperand, t.position);
            default:
                if (!operand(t, error))
                    return false;
                expectOperand = false;
                break;
            }
            justOpenedCall = opened;
            continue;
        }
        justOpenedCall = false;
        switch (t.type) {
        case TokenType::Operator: {
            int p = precedence(t.op);
            while (
                !m_stack.empty() &&
                ((m_stack.back().kind == StackItem::Unary && p <= precedence(Op::Negate)) ||
                 (m_stack.back().kind == StackItem::Binary && precedence(m_stack.back().op) >= p)))
                popOperator();
            m_stack.push_back({StackItem::Binary, t.op, 0, t.position});
            expectOperand = true;
            break;
        }
        case TokenType::Percent:
            emit(Op::Percent);
            break;
        case TokenType::Comma:
            while (!m_stack.empty() && m_stack.back().kind != StackItem::Group &&
                   m_stack.back().kind != StackItem::Function)
                popOperator();
            if (m_stack.empty() || m_stack.back().kind != StackItem::Function)
                return fail(error, ParseErrorCode::UnexpectedToken, t.position);
            ++m_stack.back().argc;
            argumentEnded(m_stack.back());
            enterArgument(m_stack.back());
            expectOperand = true;
            break;
        case TokenType::RightParen:
            if (!m_stack.empty()) {
                // Count the argument just finished before closing a call.
                std::size_t i = m_stack.size();
                while (i > 0 && m_stack[i - 1].kind != StackItem::Group &&
                       m_stack[i - 1].kind != StackItem::Function)
                    --i;
                if (i > 0 && m_stack[i - 1].kind == StackItem::Function)
                    ++m_stack[i - 1].argc;
            }
            if (!closeCall(error, t.position))
                return false;
            break;
        case TokenType::End:
            while (!m_stack.empty()) {
                if (m_stack.back().kind == StackItem::Group ||
                    m_stack.back().kind == StackItem::Function)
                    return fail(error, ParseErrorCode::UnbalancedParen, m_stack.back().position);
                popOperator();
            }
            return true;
        default:
            return fail(error, ParseErrorCode::UnexpectedToken, t.position);
        }
    }
}

} // namespace

bool parseFormula(std::string_view text, CellPos at, RefStyle style, const CustomNameTest& isCustom,
                  FormulaCode& out, ParseError& error) {
    out.clear();
    error = ParseError();
    if (text.size() > static_cast<std::size_t>(kMaxFormulaLength)) {
        error = {ParseErrorCode::FormulaTooLong, kMaxFormulaLength};
        return false;
    }
    Parser parser(text, at, style, isCustom, out);
    return parser.run(error);
}

} // namespace vtx::sheet
