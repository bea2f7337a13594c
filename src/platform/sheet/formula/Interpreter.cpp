#include "platform/sheet/formula/Interpreter.h"

#include "platform/core/VtxString.h"
#include "platform/sheet/formula/FormulaCode.h"
#include "platform/sheet/functions/FunctionRegistry.h"

#include <cmath>

namespace vtx::sheet {

void setOperandValue(Operand& op, const Value& v) {
    switch (v.type()) {
    case ValueType::Empty:
        op.setEmpty();
        break;
    case ValueType::Number:
        op.setNumber(v.asNumber());
        break;
    case ValueType::Boolean:
        op.setBoolean(v.asBoolean());
        break;
    case ValueType::Text:
        op.kind = OperandKind::Text;
        op.text = v.asText(); // into the operand's own memory
        break;
    case ValueType::Error:
        op.setError(v.asError());
        break;
    }
}

Value operandToValue(const Operand& op) {
    switch (op.kind) {
    case OperandKind::Number:
        return Value::number(op.number);
    case OperandKind::Boolean:
        return Value::boolean(op.number != 0.0);
    case OperandKind::Text:
        return Value::text(op.text);
    case OperandKind::Error:
        return Value::error(op.error);
    default:
        return Value();
    }
}

namespace {

// Number of an operand that is already a plain value; false with the error.
bool operandNumber(const Operand& op, double& out, FormulaError& error) {
    switch (op.kind) {
    case OperandKind::Number:
    case OperandKind::Boolean:
        out = op.number;
        return true;
    case OperandKind::Empty:
    case OperandKind::Missing:
        out = 0;
        return true;
    case OperandKind::Text:
        if (textToNumber(op.text, out))
            return true;
        error = FormulaError::Value;
        return false;
    case OperandKind::Error:
        error = op.error;
        return false;
    default:
        error = FormulaError::Value;
        return false;
    }
}

void appendOperandText(std::string& out, const Operand& op) {
    switch (op.kind) {
    case OperandKind::Number:
        appendGeneral(out, op.number);
        break;
    case OperandKind::Boolean:
        out += op.number != 0.0 ? "TRUE" : "FALSE";
        break;
    case OperandKind::Text:
        out += op.text;
        break;
    default:
        break;
    }
}

// Turns a value operand into its text, in place (in the text's own memory).
void makeText(Operand& op) {
    if (op.kind == OperandKind::Text)
        return;
    op.text.clear();
    appendOperandText(op.text, op);
    op.kind = OperandKind::Text;
}

} // namespace

bool isArrayLike(const Operand& op) {
    return op.kind == OperandKind::Array ||
           (op.kind == OperandKind::Range &&
            (op.range.col0 != op.range.col1 || op.range.row0 != op.range.row1));
}

int compareTextNoCase(std::string_view a, std::string_view b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto x = static_cast<unsigned char>(vtxToUpper(a[i]));
        auto y = static_cast<unsigned char>(vtxToUpper(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int compareValues(const Value& a, const Value& b) {
    auto rank = [](const Value& v) {
        switch (v.type()) {
        case ValueType::Number:
            return 0;
        case ValueType::Text:
            return 1;
        case ValueType::Boolean:
            return 2;
        default:
            return 3;
        }
    };
    // An empty cell takes the kind of the other side.
    if (a.isEmpty() && b.isEmpty())
        return 0;
    if (a.isEmpty()) {
        if (b.isText())
            return b.asText().empty() ? 0 : -1;
        return compareValues(b.isBoolean() ? Value::boolean(false) : Value::number(0), b);
    }
    if (b.isEmpty())
        return -compareValues(b, a);
    int ra = rank(a);
    int rb = rank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (a.isText())
        return compareTextNoCase(a.asText(), b.asText());
    return compareNumbers(a.asNumber(), b.asNumber());
}

void FunctionCall::setNumber(double n) {
    if (std::isfinite(n))
        result.setNumber(n);
    else
        result.setError(FormulaError::Num);
}

void FunctionCall::setValue(const Value& v) {
    setOperandValue(result, v);
}

ArgValues::ArgValues(const Operand& op, const CellStore& cells) : m_cells(cells) {
    if (op.isReference()) {
        m_range = &op.range;
        m_rows = op.range.rows();
        m_cols = op.range.cols();
    } else if (op.kind == OperandKind::Array) {
        m_array = op.array.get();
        m_rows = m_array->rows;
        m_cols = m_array->cols;
    } else {
        m_single = operandToValue(op);
    }
}

void ArgValues::extent(int& rows, int& cols) const {
    rows = m_rows;
    cols = m_cols;
    if (m_range) {
        m_cells.usedExtent(*m_range, rows, cols);
    } else if (m_array && m_array->padded) {
        rows = m_array->keptRows;
        cols = m_array->keptCols;
    }
}

Value operandValue(const Operand& op, const CellStore& cells) {
    if (op.kind == OperandKind::Ref)
        return cells.value(op.range.col0, op.range.row0);
    if (op.kind == OperandKind::Range) {
        if (op.range.col0 == op.range.col1 && op.range.row0 == op.range.row1)
            return cells.value(op.range.col0, op.range.row0);
        return Value::error(FormulaError::Value);
    }
    if (op.kind == OperandKind::Array) {
        if (op.array->rows == 1 && op.array->cols == 1)
            return op.array->at(0, 0);
        return Value::error(FormulaError::Value);
    }
    return operandToValue(op);
}

FormulaError sumNumbers(const FunctionCall& call, int first, double& sum) {
    double total = 0;
    for (int i = first; i < call.argc; ++i) {
        const Operand& a = call.args[i];
        if (a.kind == OperandKind::Range && call.cells.exactSum(a.range, total, total))
            continue;
        if (a.kind == OperandKind::Array) {
            // A run of zeros (the padding of arrays over whole columns)
            // changes no sum: it is passed over rather than added.
            FormulaError e = FormulaError::None;
            a.array->forEachRun([&](const Value& v, std::size_t count) {
                if (v.isError())
                    e = v.asError();
                else if (v.isNumber() && v.asNumber() != 0.0)
                    for (std::size_t k = 0; k < count; ++k)
                        total += v.asNumber();
                return e == FormulaError::None;
            });
            if (e != FormulaError::None)
                return e;
            continue;
        }
        FunctionCall one{call.args + i, 1, call.result, call.cells, call.at, call.lookups};
        FormulaError e = forEachNumber(one, 0, [&](double v) { total += v; });
        if (e != FormulaError::None)
            return e;
    }
    sum = total;
    return FormulaError::None;
}

bool toNumber(const Value& v, double& out, FormulaError& error) {
    switch (v.type()) {
    case ValueType::Number:
    case ValueType::Boolean:
        out = v.asNumber();
        return true;
    case ValueType::Empty:
        out = 0;
        return true;
    case ValueType::Text:
        if (textToNumber(v.asText(), out))
            return true;
        error = FormulaError::Value;
        return false;
    case ValueType::Error:
        error = v.asError();
        return false;
    }
    return false;
}

std::string toText(const Value& v) {
    if (v.isError())
        return {};
    return v.toText();
}

Interpreter::Interpreter(const CellStore& cells, NamedFunctionHost* host, LookupIndex* lookups)
    : m_cells(cells), m_host(host), m_lookups(lookups), m_functions(&functionInfo(0)),
      m_stack(kFirstSlots), m_slots(kFirstSlots) {}

void Interpreter::readCell(Operand& op) const {
    CellPos p{op.range.col0, op.range.row0};
    if (!isInGrid(p)) {
        op.setError(FormulaError::Ref);
        return;
    }
    const Value& v = m_cells.value(p.col, p.row);
    if (v.isNumber())
        op.setNumber(v.asNumber()); // most cells read hold numbers
    else
        setOperandValue(op, v);
}

void Interpreter::dereferenceMulti(Operand& op, CellPos at) const {
    if (op.kind == OperandKind::Array) {
        // The element standing where the range it came from would give its
        // cell; an array of no range gives its first element.
        std::shared_ptr<const ArrayValue> a = std::move(op.array);
        const CellRange& o = a->origin;
        if (!o.isValid() || (a->rows == 1 && a->cols == 1))
            setOperandValue(op, a->at(0, 0));
        else if (a->cols == 1 && at.row >= o.row0 && at.row <= o.row1)
            setOperandValue(op, a->at(at.row - o.row0, 0));
        else if (a->rows == 1 && at.col >= o.col0 && at.col <= o.col1)
            setOperandValue(op, a->at(0, at.col - o.col0));
        else
            op.setError(FormulaError::Value);
        return;
    }
    const CellRange& r = op.range;
    // Implicit intersection: the cell of the range in the formula's row or column.
    if (r.col0 == r.col1 && at.row >= r.row0 && at.row <= r.row1)
        setOperandValue(op, m_cells.value(r.col0, at.row));
    else if (r.row0 == r.row1 && at.col >= r.col0 && at.col <= r.col1)
        setOperandValue(op, m_cells.value(at.col, r.row0));
    else if (r.col0 == r.col1 && r.row0 == r.row1)
        setOperandValue(op, m_cells.value(r.col0, r.row0));
    else
        op.setError(FormulaError::Value);
}

void Interpreter::growStack() {
    m_stack.emplace_back();
    m_slots = m_stack.size();
}

void Interpreter::dropArray(Operand& op) {
    op.array.reset();
}

namespace {

// The index of IF among the built-in functions: its calls close the array
// state that its condition opened.
std::uint32_t ifIndex() {
    static const auto index = static_cast<std::uint32_t>(findFunction("IF"));
    return index;
}

// The truth of an IF condition: 1, 0, or -1 when it is no truth value.
int truthOf(const Operand& cond) {
    if (cond.kind == OperandKind::Number || cond.kind == OperandKind::Boolean)
        return cond.number != 0.0;
    if (cond.kind == OperandKind::Empty || cond.kind == OperandKind::Missing)
        return 0;
    if (cond.kind == OperandKind::Text && compareTextNoCase(cond.text, "TRUE") == 0)
        return 1;
    if (cond.kind == OperandKind::Text && compareTextNoCase(cond.text, "FALSE") == 0)
        return 0;
    return -1;
}

bool isReferenceOrError(const Operand& op) {
    return op.isReference() || op.kind == OperandKind::Error;
}

} // namespace

bool Interpreter::evaluateArithmetic(const FormulaCode& program, CellPos at, double& out) const {
    double stack[kMaxArithmeticCode];
    std::size_t depth = 0;
    for (const Instr& in : program.code) {
        switch (in.op) {
        case Op::Number:
            stack[depth++] = program.numbers[in.index];
            break;
        case Op::Ref: {
            CellPos p = program.refs[in.index].resolve(at);
            if (!isInGrid(p))
                return false;
            const Value& v = m_cells.value(p.col, p.row);
            if (v.isNumber())
                stack[depth++] = v.asNumber();
            else if (v.isEmpty())
                stack[depth++] = 0; // as the general path reads an empty cell
            else
                return false;
            break;
        }
        case Op::Negate:
            stack[depth - 1] = -stack[depth - 1];
            break;
        case Op::UnaryPlus:
        case Op::Paren:
            break;
        default: { // + - * /
            double y = stack[--depth];
            double& x = stack[depth - 1];
            if (in.op == Op::Add)
                x += y;
            else if (in.op == Op::Subtract)
                x -= y;
            else if (in.op == Op::Multiply)
                x *= y;
            else if (y != 0)
                x /= y;
            else
                return false;
            if (!std::isfinite(x))
                return false;
            break;
        }
        }
    }
    out = stack[0];
    return true;
}

Value Interpreter::evaluateFast(const FormulaCode& code, CellPos at) {
    Value value;
    if (!(code.scalarOnly ? evaluateScalar(code, at, value) : evaluateText(code, at, value)))
        value = evaluateProgram(code, at);
    return value;
}

Value Interpreter::evaluateProgram(const FormulaCode& program, CellPos at) {
    m_depth = 0;
    m_arrayIfs.clear();
    const std::size_t end = program.code.size();
    for (std::size_t pc = 0; pc < end; ++pc) {
        const Instr& in = program.code[pc];
        const bool arrays = (in.flags & kInstrArray) != 0;
        switch (in.op) {
        case Op::Number:
            push().setNumber(program.numbers[in.index]);
            break;
        case Op::Text: {
            Operand& op = push();
            op.kind = OperandKind::Text;
            op.text = program.texts[in.index];
            break;
        }
        case Op::Boolean:
            push().setBoolean(in.index != 0);
            break;
        case Op::Error:
            push().setError(static_cast<FormulaError>(in.index));
            break;
        case Op::Name:
            push().setError(FormulaError::Name);
            break;
        case Op::Missing:
            push().kind = OperandKind::Missing;
            break;
        case Op::Ref: {
            CellPos p = program.refs[in.index].resolve(at);
            Operand& op = push();
            if (!isInGrid(p)) {
                op.setError(FormulaError::Ref);
                break;
            }
            op.kind = OperandKind::Ref;
            op.range = CellRange::cell(p.col, p.row);
            break;
        }
        case Op::Range: {
            const RangeRef& def = program.ranges[in.index];
            Operand& op = push();
            CellPos a = def.first.resolve(at);
            CellPos b = def.last.resolve(at);
            if (!isInGrid(a) || !isInGrid(b)) {
                op.setError(FormulaError::Ref);
                break;
            }
            op.kind = OperandKind::Range;
            op.range = def.resolve(at);
            break;
        }
        case Op::Paren:
        case Op::Nop:
            break;
        case Op::JumpIfFalse: {
            if (m_depth == 0)
                return Value::error(FormulaError::Value);
            Operand& cond = top();
            if (arrays && isArrayLike(cond)) {
                // An array condition chooses element by element: both
                // branches are evaluated and IF's call combines them.
                m_arrayIfs.push_back(true);
                break;
            }
            m_arrayIfs.push_back(false);
            dereference(cond, at);
            int truth = truthOf(cond);
            if (truth == 1)
                break;
            std::size_t target = in.index;
            push().kind = OperandKind::Missing;
            if (truth < 0 && target > 0 && program.code[target - 1].op == Op::Jump) {
                // Neither branch: IF gives the condition's error.
                push().kind = OperandKind::Missing;
                target = program.code[target - 1].index;
            }
            pc = target - 1;
            break;
        }
        case Op::Jump:
            if (!m_arrayIfs.empty() && m_arrayIfs.back())
                break; // an array IF evaluates its else-branch too
            push().kind = OperandKind::Missing;
            pc = static_cast<std::size_t>(in.index) - 1;
            break;
        case Op::JumpIfNotError: {
            if (m_depth == 0)
                return Value::error(FormulaError::Value);
            Operand& value = top();
            if (arrays && isArrayLike(value))
                break; // some elements may be errors: the alternative is needed
            dereference(value, at);
            if (value.kind == OperandKind::Error)
                break;
            push().kind = OperandKind::Missing;
            pc = static_cast<std::size_t>(in.index) - 1;
            break;
        }
        case Op::Negate:
        case Op::UnaryPlus:
        case Op::Percent: {
            if (m_depth == 0)
                return Value::error(FormulaError::Value);
            Operand& op = top();
            if (arrays && isArrayLike(op)) {
                unaryArray(in.op, op, at);
                break;
            }
            dereference(op, at);
            applyUnary(in.op, op);
            break;
        }
        case Op::Call:
            if (in.index == ifIndex() && (in.argc == 2 || in.argc == 3) && !m_arrayIfs.empty())
                m_arrayIfs.pop_back();
            call(in.index, in.argc, arrays, at);
            break;
        case Op::CallName: {
            std::size_t argc = in.argc;
            if (m_depth < argc)
                return Value::error(FormulaError::Value);
            std::size_t base = m_depth - argc;
            Operand& result = push();
            if (m_host)
                m_host->callNamed(program.names[in.index], &m_stack[base], in.argc, at, result);
            else
                result.setError(FormulaError::Name);
            settle(base);
            break;
        }
        case Op::RangeJoin: {
            if (m_depth < 2)
                return Value::error(FormulaError::Value);
            Operand& a = m_stack[m_depth - 2];
            const Operand& b = top();
            if (!isReferenceOrError(a) || !isReferenceOrError(b)) {
                a.setError(FormulaError::Value);
            } else if (a.kind == OperandKind::Error) {
            } else if (b.kind == OperandKind::Error) {
                a.setError(b.error);
            } else {
                a.range = {
                    std::min(a.range.col0, b.range.col0), std::min(a.range.row0, b.range.row0),
                    std::max(a.range.col1, b.range.col1), std::max(a.range.row1, b.range.row1)};
                a.kind = OperandKind::Range;
                if (m_dynamicReads)
                    m_dynamicReads->push_back(a.range);
            }
            --m_depth;
            break;
        }
        default: {
            if (m_depth < 2)
                return Value::error(FormulaError::Value);
            Operand& a = m_stack[m_depth - 2];
            Operand& b = top();
            if (arrays && (isArrayLike(a) || isArrayLike(b))) {
                binaryArray(in.op, a, b, at);
            } else {
                dereference(a, at);
                dereference(b, at);
                applyBinary(in.op, a, b);
            }
            --m_depth;
            break;
        }
        }
    }
    if (m_depth == 0)
        return Value::error(FormulaError::Value);
    Operand& last = top();
    dereference(last, at);
    releaseArrays();
    switch (last.kind) {
    case OperandKind::Number:
        return Value::number(last.number);
    case OperandKind::Empty:
    case OperandKind::Missing:
        return Value::number(0);
    case OperandKind::Text:
        return Value::text(std::move(last.text));
    default:
        return operandToValue(last);
    }
}

void applyUnary(Op op, Operand& a) {
    if (op == Op::UnaryPlus)
        return;
    double n = 0;
    FormulaError e = FormulaError::None;
    if (!operandNumber(a, n, e)) {
        a.setError(e);
        return;
    }
    a.setNumber(op == Op::Negate ? -n : n / 100.0);
}

FormulaError arithmeticResult(Op op, double x, double y, double& out) {
    switch (op) {
    case Op::Add:
        out = x + y;
        break;
    case Op::Subtract:
        out = x - y;
        break;
    case Op::Multiply:
        out = x * y;
        break;
    case Op::Divide:
        if (y == 0)
            return FormulaError::Div0;
        out = x / y;
        break;
    default: // Power
        if (x == 0 && y == 0)
            return FormulaError::Num;
        out = std::pow(x, y);
        break;
    }
    if (std::isfinite(out))
        return FormulaError::None;
    return x == 0 && y < 0 ? FormulaError::Div0 : FormulaError::Num;
}

namespace {

// x op y for + - * / ^, into out.
void arithmetic(Op op, double x, double y, Operand& out) {
    double r = 0;
    FormulaError e = arithmeticResult(op, x, y, r);
    if (e == FormulaError::None)
        out.setNumber(r);
    else
        out.setError(e);
}

} // namespace

void applyBinary(Op op, Operand& a, const Operand& b) {
    if (op >= Op::Add && op <= Op::Power && a.kind == OperandKind::Number &&
        b.kind == OperandKind::Number) {
        arithmetic(op, a.number, b.number, a); // the common case, straight away
        return;
    }
    if (op >= Op::Equal && op <= Op::GreaterEqual) {
        if (a.kind == OperandKind::Error || b.kind == OperandKind::Error) {
            FormulaError e = a.kind == OperandKind::Error ? a.error : b.error;
            a.setError(e);
            return;
        }
        int c = 0;
        if (a.kind == OperandKind::Number && b.kind == OperandKind::Number)
            c = compareNumbers(a.number, b.number);
        else
            c = compareValues(operandToValue(a), operandToValue(b));
        bool r = false;
        switch (op) {
        case Op::Equal:
            r = c == 0;
            break;
        case Op::NotEqual:
            r = c != 0;
            break;
        case Op::Less:
            r = c < 0;
            break;
        case Op::LessEqual:
            r = c <= 0;
            break;
        case Op::Greater:
            r = c > 0;
            break;
        default:
            r = c >= 0;
            break;
        }
        a.setBoolean(r);
        return;
    }
    if (op == Op::Concat) {
        if (a.kind == OperandKind::Error)
            return;
        if (b.kind == OperandKind::Error) {
            a.setError(b.error);
            return;
        }
        makeText(a);
        appendOperandText(a.text, b);
        if (a.text.size() > kMaxTextLength)
            a.setError(FormulaError::Value);
        return;
    }
    double x = 0;
    double y = 0;
    FormulaError e = FormulaError::None;
    if (!operandNumber(a, x, e) || !operandNumber(b, y, e)) {
        a.setError(e);
        return;
    }
    arithmetic(op, x, y, a);
}

void Interpreter::call(std::uint32_t index, int argc, bool arrays, CellPos at) {
    if (m_depth < static_cast<std::size_t>(argc)) {
        push().setError(FormulaError::Value);
        return;
    }
    const FunctionInfo& def = m_functions[index];
    std::size_t base = m_depth - static_cast<std::size_t>(argc);
    // The result takes the slot above the arguments (pushed first: a push
    // may move the stack), then the place of the first one.
    Operand& result = push();
    Operand* args = &m_stack[base];
    bool lifted = false;
    if (arrays) {
        // A range or array where a value is declared makes the call run once
        // per element; arguments passed on as written (IF's branches) follow
        // but do not start it, so IF(A1>0,B1:B5,C1:C5) stays a reference.
        for (int i = 0; i < argc && !lifted; ++i) {
            ArgKind kind = def.kinds[std::min(i, 3)];
            lifted = kind != ArgKind::Any && kind != ArgKind::Pass && isArrayLike(args[i]);
        }
    }
    if (lifted)
        liftedCall(def, args, argc, at, result);
    else
        run(def, args, argc, at, result);
    if (m_dynamicReads && result.isReference())
        m_dynamicReads->push_back(result.range);
    settle(base);
}

FormulaError coerceArgument(ArgKind kind, Operand& a) {
    if (kind == ArgKind::Any || kind == ArgKind::Pass || kind == ArgKind::Scalar ||
        a.kind == OperandKind::Missing)
        return FormulaError::None;
    if (a.kind == OperandKind::Error)
        return a.error;
    if (kind == ArgKind::Number) {
        if (a.kind == OperandKind::Number)
            return FormulaError::None;
        double n = 0;
        FormulaError e = FormulaError::None;
        if (!operandNumber(a, n, e))
            return e;
        a.setNumber(n);
    } else if (kind == ArgKind::Text) {
        makeText(a);
    } else if (kind == ArgKind::Boolean) {
        if (a.kind == OperandKind::Text) {
            if (compareTextNoCase(a.text, "TRUE") == 0)
                a.setBoolean(true);
            else if (compareTextNoCase(a.text, "FALSE") == 0)
                a.setBoolean(false);
            else
                return FormulaError::Value;
        } else {
            a.setBoolean(a.number != 0.0);
        }
    }
    return FormulaError::None;
}

void Interpreter::run(const FunctionInfo& def, Operand* args, int argc, CellPos at,
                      Operand& result) {
    FormulaError failed = FormulaError::None;
    if (argc < def.minArgs || (def.maxArgs != 255 && argc > def.maxArgs))
        failed = FormulaError::Value;
    for (int i = 0; i < argc && failed == FormulaError::None; ++i) {
        ArgKind kind = def.kinds[std::min(i, 3)];
        if (kind == ArgKind::Any || kind == ArgKind::Pass)
            continue;
        dereference(args[i], at);
        failed = coerceArgument(kind, args[i]);
    }
    if (failed != FormulaError::None) {
        result.setError(failed);
    } else {
        FunctionCall fc{args, argc, result, m_cells, at, m_lookups};
        def.body(fc);
    }
}

} // namespace vtx::sheet
