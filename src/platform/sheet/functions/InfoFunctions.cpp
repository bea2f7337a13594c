// Information functions: IS... tests, NA, ROW, COLUMN, ROWS, COLUMNS,
// ADDRESS, TYPE, N.
#include "platform/sheet/formula/FormulaCode.h"
#include "platform/sheet/functions/FunctionApi.h"

#include <cmath>
#include <string_view>

namespace vtx::sheet {

namespace {

using K = ArgKind;

bool isError(const Operand& a) {
    return a.kind == OperandKind::Error;
}

bool isAsciiLetter(char ch) {
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

bool isAsciiDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// Whether a sheet name could be read as a cell reference in either style
// ("AB12", "R2C3", "R", "C4"), and so must be quoted.
bool looksLikeReference(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && i < 3 && isAsciiLetter(s[i]))
        ++i;
    if (i > 0 && i < s.size() && isAsciiDigit(s[i])) {
        std::size_t j = i;
        while (j < s.size() && isAsciiDigit(s[j]))
            ++j;
        if (j == s.size())
            return true;
    }
    // R1C1 style: [R[digits]][C[digits]], not empty.
    std::size_t k = 0;
    auto part = [&](char letter) {
        if (k < s.size() && (s[k] == letter || s[k] == letter + ('a' - 'A'))) {
            ++k;
            while (k < s.size() && isAsciiDigit(s[k]))
                ++k;
        }
    };
    part('R');
    part('C');
    return k > 0 && k == s.size();
}

// The sheet prefix of ADDRESS: the name, quoted ('My sheet'!) when it holds
// anything but letters, digits, '_' and '.', starts with a digit or reads as
// a reference; quotes inside are doubled.
std::string sheetPrefix(std::string_view name) {
    bool plain = !isAsciiDigit(name[0]) && !looksLikeReference(name);
    for (char ch : name)
        plain = plain && (isAsciiLetter(ch) || isAsciiDigit(ch) || ch == '_' || ch == '.' ||
                          static_cast<unsigned char>(ch) >= 0x80);
    if (plain)
        return std::string(name) + '!';
    std::string out = "'";
    for (char ch : name) {
        out += ch;
        if (ch == '\'')
            out += ch;
    }
    return out + "'!";
}

// ADDRESS: row, column, [abs = 1: both absolute, 2 row only, 3 column only,
// 4 neither], [a1 = TRUE, FALSE for R1C1], [sheet].
void address(FunctionCall& c) {
    double row = std::trunc(c.num(0));
    double col = std::trunc(c.num(1));
    double abs = std::trunc(c.numOr(2, 1));
    if (row < 1 || row > kMaxRows || col < 1 || col > kMaxCols || abs < 1 || abs > 4) {
        c.setError(FormulaError::Value);
        return;
    }
    bool absRow = abs == 1 || abs == 2;
    bool absCol = abs == 1 || abs == 3;
    bool a1 = true;
    FormulaError e = FormulaError::None;
    Value sheet = c.has(4) ? operandValue(c.args[4], c.cells) : Value();
    if (c.has(3) && !toTruth(operandValue(c.args[3], c.cells), a1, e))
        sheet = Value::error(e); // the left argument's error wins
    if (sheet.isError()) {
        c.setError(sheet.asError());
        return;
    }
    std::string rowText = std::to_string(static_cast<int>(row));
    std::string colText = std::to_string(static_cast<int>(col));
    std::string name = toText(sheet);
    std::string out = name.empty() ? std::string() : sheetPrefix(name);
    if (a1) {
        out += absCol ? "$" : "";
        out += columnName(static_cast<int>(col));
        out += absRow ? "$" : "";
        out += rowText;
    } else {
        out += absRow ? "R" + rowText : "R[" + rowText + "]";
        out += absCol ? "C" + colText : "C[" + colText + "]";
    }
    c.setText(std::move(out));
}

} // namespace

void addInfoFunctions(std::vector<FunctionInfo>& t) {
    t.push_back(
        {"ISERROR", 1, 1, {K::Scalar}, [](FunctionCall& c) { c.setBoolean(isError(c.args[0])); }});
    t.push_back({"ISERR", 1, 1, {K::Scalar}, [](FunctionCall& c) {
                     c.setBoolean(isError(c.args[0]) && c.args[0].error != FormulaError::NA);
                 }});
    t.push_back({"ISNA", 1, 1, {K::Scalar}, [](FunctionCall& c) {
                     c.setBoolean(isError(c.args[0]) && c.args[0].error == FormulaError::NA);
                 }});
    t.push_back({"ISNUMBER", 1, 1, {K::Scalar}, [](FunctionCall& c) {
                     c.setBoolean(c.args[0].kind == OperandKind::Number);
                 }});
    t.push_back({"ISTEXT", 1, 1, {K::Scalar}, [](FunctionCall& c) {
                     c.setBoolean(c.args[0].kind == OperandKind::Text);
                 }});
    t.push_back({"ISNONTEXT", 1, 1, {K::Scalar}, [](FunctionCall& c) {
                     c.setBoolean(c.args[0].kind != OperandKind::Text);
                 }});
    t.push_back({"ISLOGICAL", 1, 1, {K::Scalar}, [](FunctionCall& c) {
                     c.setBoolean(c.args[0].kind == OperandKind::Boolean);
                 }});
    t.push_back({"ISBLANK", 1, 1, {K::Scalar}, [](FunctionCall& c) {
                     c.setBoolean(c.args[0].kind == OperandKind::Empty);
                 }});
    t.push_back(
        {"ISREF", 1, 1, {K::Any}, [](FunctionCall& c) { c.setBoolean(c.args[0].isReference()); }});
    t.push_back({"ISEVEN", 1, 1, {K::Number}, [](FunctionCall& c) {
                     c.setBoolean(std::fmod(std::trunc(std::fabs(c.num(0))), 2.0) == 0.0);
                 }});
    t.push_back({"ISODD", 1, 1, {K::Number}, [](FunctionCall& c) {
                     c.setBoolean(std::fmod(std::trunc(std::fabs(c.num(0))), 2.0) == 1.0);
                 }});
    t.push_back({"NA", 0, 0, {K::Scalar}, [](FunctionCall& c) { c.setError(FormulaError::NA); }});
    t.push_back({"ROW", 0, 1, {K::Any}, [](FunctionCall& c) {
                     if (c.argc == 0)
                         c.setNumber(c.at.row);
                     else if (c.args[0].isReference())
                         c.setNumber(c.args[0].range.row0);
                     else
                         c.setError(FormulaError::Value);
                 }});
    t.push_back({"COLUMN", 0, 1, {K::Any}, [](FunctionCall& c) {
                     if (c.argc == 0)
                         c.setNumber(c.at.col);
                     else if (c.args[0].isReference())
                         c.setNumber(c.args[0].range.col0);
                     else
                         c.setError(FormulaError::Value);
                 }});
    t.push_back({"ROWS", 1, 1, {K::Any}, [](FunctionCall& c) {
                     if (c.args[0].isReference())
                         c.setNumber(c.args[0].range.rows());
                     else if (c.args[0].kind == OperandKind::Array)
                         c.setNumber(c.args[0].array->rows);
                     else if (isError(c.args[0]))
                         c.setError(c.args[0].error);
                     else
                         c.setNumber(1);
                 }});
    t.push_back({"COLUMNS", 1, 1, {K::Any}, [](FunctionCall& c) {
                     if (c.args[0].isReference())
                         c.setNumber(c.args[0].range.cols());
                     else if (c.args[0].kind == OperandKind::Array)
                         c.setNumber(c.args[0].array->cols);
                     else if (isError(c.args[0]))
                         c.setError(c.args[0].error);
                     else
                         c.setNumber(1);
                 }});
    t.push_back({"ADDRESS", 2, 5, {K::Number, K::Number, K::Number, K::Scalar}, address});
    t.push_back({"TYPE", 1, 1, {K::Scalar}, [](FunctionCall& c) {
                     switch (c.args[0].kind) {
                     case OperandKind::Text:
                         c.setNumber(2);
                         break;
                     case OperandKind::Boolean:
                         c.setNumber(4);
                         break;
                     case OperandKind::Error:
                         c.setNumber(16);
                         break;
                     default:
                         c.setNumber(1);
                         break;
                     }
                 }});
    t.push_back({"N", 1, 1, {K::Scalar}, [](FunctionCall& c) {
                     const Operand& a = c.args[0];
                     if (a.kind == OperandKind::Error)
                         c.setError(a.error);
                     else if (a.kind == OperandKind::Number || a.kind == OperandKind::Boolean)
                         c.setNumber(a.number);
                     else
                         c.setNumber(0);
                 }});
}

} // namespace vtx::sheet
