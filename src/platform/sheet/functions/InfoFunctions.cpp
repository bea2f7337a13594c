// Information functions: IS... tests, NA, ROW, COLUMN, ROWS, COLUMNS, TYPE, N.
#include "platform/sheet/functions/FunctionApi.h"

#include <cmath>

namespace vtx::sheet {

namespace {

using K = ArgKind;

bool isError(const Operand& a) {
    return a.kind == OperandKind::Error;
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
