// Logical functions: IF, IFS, SWITCH, AND, OR, XOR, NOT, TRUE, FALSE, IFERROR,
// IFNA, CHOOSE.
#include "platform/sheet/formula/Interpreter.h"
#include "platform/sheet/functions/FunctionApi.h"

namespace vtx::sheet {

namespace {

using K = ArgKind;

// AND, OR and XOR see booleans and numbers; texts in references are skipped,
// a written text that is no truth value is #VALUE!.
template <typename Combine> void logicalFold(FunctionCall& c, Combine combine) {
    int seen = 0;
    bool acc = false;
    bool first = true;
    for (int i = 0; i < c.argc; ++i) {
        const Operand& a = c.args[i];
        auto take = [&](bool b) {
            acc = first ? b : combine(acc, b);
            first = false;
            ++seen;
        };
        switch (a.kind) {
        case OperandKind::Number:
        case OperandKind::Boolean:
            take(a.number != 0.0);
            break;
        case OperandKind::Error:
            c.setError(a.error);
            return;
        case OperandKind::Text:
            c.setError(FormulaError::Value);
            return;
        case OperandKind::Ref:
        case OperandKind::Range: {
            FormulaError e = FormulaError::None;
            c.cells.forEach(a.range, [&](int, int, const Cell& cell) {
                const Value& v = cell.value;
                if (v.isError() && e == FormulaError::None)
                    e = v.asError();
                else if (v.isNumber() || v.isBoolean())
                    take(v.asNumber() != 0.0);
            });
            if (e != FormulaError::None) {
                c.setError(e);
                return;
            }
            break;
        }
        case OperandKind::Array: {
            // Elements count as cells do: texts are passed over.
            FormulaError e = FormulaError::None;
            a.array->forEachRun([&](const Value& v, std::size_t) {
                if (v.isError())
                    e = v.asError();
                else if (v.isNumber() || v.isBoolean())
                    take(v.asNumber() != 0.0);
                return e == FormulaError::None;
            });
            if (e != FormulaError::None) {
                c.setError(e);
                return;
            }
            break;
        }
        default:
            break;
        }
    }
    if (!seen)
        c.setError(FormulaError::Value);
    else
        c.setBoolean(acc);
}

// The chosen argument becomes the result; the arguments are dropped after
// the call, so its text can be moved.
void copyOperand(FunctionCall& c, Operand& a) {
    if (a.kind == OperandKind::Missing)
        c.setNumber(0);
    else
        c.result = std::move(a);
}

// IFS: condition, value, condition, value ...: the value of the first true
// condition; #N/A when none is.
void ifs(FunctionCall& c) {
    if (c.argc % 2 != 0) {
        c.setError(FormulaError::Value);
        return;
    }
    for (int i = 0; i < c.argc; i += 2) {
        bool truth = false;
        FormulaError e = FormulaError::None;
        if (!toTruth(operandValue(c.args[i], c.cells), truth, e)) {
            c.setError(e);
            return;
        }
        if (truth) {
            copyOperand(c, c.args[i + 1]);
            return;
        }
    }
    c.setError(FormulaError::NA);
}

// SWITCH: expression, value, result, value, result ..., [default]: the
// result of the first value equal to the expression (compared as "=" does);
// the default, else #N/A, when none is.
void switchOf(FunctionCall& c) {
    const Operand& e = c.args[0];
    if (e.kind == OperandKind::Error) {
        c.setError(e.error);
        return;
    }
    const Value key = operandValue(e, c.cells);
    int i = 1;
    for (; i + 1 < c.argc; i += 2) {
        const Operand& v = c.args[i];
        if (v.kind == OperandKind::Error) {
            c.setError(v.error);
            return;
        }
        if (compareValues(key, operandValue(v, c.cells)) == 0) {
            copyOperand(c, c.args[i + 1]);
            return;
        }
    }
    if (i < c.argc)
        copyOperand(c, c.args[i]);
    else
        c.setError(FormulaError::NA);
}

} // namespace

bool toTruth(const Value& v, bool& out, FormulaError& error) {
    switch (v.type()) {
    case ValueType::Number:
    case ValueType::Boolean:
        out = v.asNumber() != 0.0;
        return true;
    case ValueType::Empty:
        out = false;
        return true;
    case ValueType::Error:
        error = v.asError();
        return false;
    case ValueType::Text:
        break;
    }
    bool isTrue = compareTextNoCase(v.asText(), "TRUE") == 0;
    if (isTrue || compareTextNoCase(v.asText(), "FALSE") == 0) {
        out = isTrue;
        return true;
    }
    error = FormulaError::Value;
    return false;
}

void addLogicalFunctions(std::vector<FunctionInfo>& t) {
    // IF and CHOOSE give the argument they pick as it is: a reference stays
    // a reference ("SUM(IF(A1>0,B1:B5,C1:C5))", "A1:CHOOSE(2,B3,B5)").
    t.push_back({"IF", 1, 3, {K::Boolean, K::Pass}, [](FunctionCall& c) {
                     if (c.flag(0)) {
                         if (c.argc > 1)
                             copyOperand(c, c.args[1]);
                         else
                             c.setBoolean(true);
                     } else if (c.argc > 2) {
                         copyOperand(c, c.args[2]);
                     } else {
                         c.setBoolean(false);
                     }
                 }});
    t.push_back({"IFS", 2, 254, {K::Scalar}, ifs});
    t.push_back({"SWITCH", 3, 254, {K::Scalar}, switchOf});
    t.push_back({"AND", 1, 255, {K::Any}, [](FunctionCall& c) {
                     logicalFold(c, [](bool a, bool b) { return a && b; });
                 }});
    t.push_back({"OR", 1, 255, {K::Any}, [](FunctionCall& c) {
                     logicalFold(c, [](bool a, bool b) { return a || b; });
                 }});
    t.push_back({"XOR", 1, 255, {K::Any}, [](FunctionCall& c) {
                     logicalFold(c, [](bool a, bool b) { return a != b; });
                 }});
    t.push_back({"NOT", 1, 1, {K::Boolean}, [](FunctionCall& c) { c.setBoolean(!c.flag(0)); }});
    t.push_back({"TRUE", 0, 0, {K::Scalar}, [](FunctionCall& c) { c.setBoolean(true); }});
    t.push_back({"FALSE", 0, 0, {K::Scalar}, [](FunctionCall& c) { c.setBoolean(false); }});
    t.push_back({"IFERROR", 2, 2, {K::Scalar}, [](FunctionCall& c) {
                     copyOperand(c, c.args[0].kind == OperandKind::Error ? c.args[1] : c.args[0]);
                 }});
    t.push_back({"IFNA", 2, 2, {K::Scalar}, [](FunctionCall& c) {
                     bool na = c.args[0].kind == OperandKind::Error &&
                               c.args[0].error == FormulaError::NA;
                     copyOperand(c, na ? c.args[1] : c.args[0]);
                 }});
    t.push_back({"CHOOSE", 2, 255, {K::Number, K::Pass}, [](FunctionCall& c) {
                     double n = c.num(0);
                     int i = clampToInt(n);
                     if (i < 1 || i >= c.argc)
                         c.setError(FormulaError::Value);
                     else
                         copyOperand(c, c.args[i]);
                 }});
}

} // namespace vtx::sheet
