// Functions that give references: INDEX, OFFSET, INDIRECT. Their result is a
// reference operand, so it can be summed, looked into, or joined into a
// range ("B1:INDEX(C1:C9,3)"); where a value is needed, the reference is
// read like any other.
#include "platform/sheet/formula/Lexer.h"
#include "platform/sheet/functions/FunctionApi.h"

#include <cmath>
#include <memory>

namespace vtx::sheet {

namespace {

using K = ArgKind;

// A whole number argument in a range the grid can hold, or false.
bool indexArg(double n, int& out) {
    if (!(std::fabs(n) < 2.0e9))
        return false;
    out = static_cast<int>(std::trunc(n));
    return true;
}

void setReference(Operand& result, const CellRange& r) {
    result.kind = (r.col0 == r.col1 && r.row0 == r.row1) ? OperandKind::Ref : OperandKind::Range;
    result.range = r;
}

// INDEX into an array: an element, or a whole row or column (index 0).
void indexArray(FunctionCall& c, const ArrayValue& a, int row, int col) {
    if (row > a.rows || col > a.cols) {
        c.setError(FormulaError::Ref);
        return;
    }
    if (row > 0 && col > 0) {
        c.setValue(a.at(row - 1, col - 1));
        return;
    }
    auto part = std::make_shared<ArrayValue>();
    part->rows = row > 0 ? 1 : a.rows;
    part->cols = col > 0 ? 1 : a.cols;
    for (int r = 0; r < part->rows; ++r)
        for (int k = 0; k < part->cols; ++k)
            part->values.push_back(a.at(row > 0 ? row - 1 : r, col > 0 ? col - 1 : k));
    c.result.setArray(std::move(part));
}

void index(FunctionCall& c) {
    const Operand& source = c.args[0];
    if (source.kind == OperandKind::Error) {
        c.setError(source.error);
        return;
    }
    // Huge positions are clamped: beyond the range is #REF!, below 0 #VALUE!.
    int row = clampToInt(c.num(1));
    int col = clampToInt(c.numOr(2, 0));
    int rows = 1;
    int cols = 1;
    if (source.isReference()) {
        rows = source.range.rows();
        cols = source.range.cols();
    } else if (source.kind == OperandKind::Array) {
        rows = source.array->rows;
        cols = source.array->cols;
    }
    // A single row indexed by one number: the number picks the column.
    if (!c.has(2) && rows == 1 && cols > 1) {
        col = row;
        row = 1;
    }
    if (row == 0 && rows == 1)
        row = 1;
    if (col == 0 && cols == 1)
        col = 1;
    if (row < 0 || col < 0) {
        c.setError(FormulaError::Value);
        return;
    }
    if (row > rows || col > cols) {
        c.setError(FormulaError::Ref);
        return;
    }
    if (source.kind == OperandKind::Array) {
        indexArray(c, *source.array, row, col);
        return;
    }
    if (!source.isReference()) {
        c.setValue(operandValue(source, c.cells)); // a single value is a 1 x 1 table
        return;
    }
    // Row or column 0 gives the whole column or row of the range.
    const CellRange& r = source.range;
    CellRange picked{col > 0 ? r.col0 + col - 1 : r.col0, row > 0 ? r.row0 + row - 1 : r.row0,
                     col > 0 ? r.col0 + col - 1 : r.col1, row > 0 ? r.row0 + row - 1 : r.row1};
    setReference(c.result, picked);
}

void offset(FunctionCall& c) {
    const Operand& base = c.args[0];
    if (base.kind == OperandKind::Error) {
        c.setError(base.error);
        return;
    }
    if (!base.isReference()) {
        c.setError(FormulaError::Value);
        return;
    }
    int dr = 0;
    int dc = 0;
    int height = base.range.rows();
    int width = base.range.cols();
    if (!indexArg(c.num(1), dr) || !indexArg(c.num(2), dc) ||
        (c.has(3) && !indexArg(c.num(3), height)) || (c.has(4) && !indexArg(c.num(4), width))) {
        c.setError(FormulaError::Ref);
        return;
    }
    long long col0 = static_cast<long long>(base.range.col0) + dc;
    long long row0 = static_cast<long long>(base.range.row0) + dr;
    long long col1 = col0 + width - 1;
    long long row1 = row0 + height - 1;
    if (height < 1 || width < 1 || col0 < 1 || row0 < 1 || col1 > kMaxCols || row1 > kMaxRows) {
        c.setError(FormulaError::Ref);
        return;
    }
    setReference(c.result, {static_cast<int>(col0), static_cast<int>(row0), static_cast<int>(col1),
                            static_cast<int>(row1)});
}

void indirect(FunctionCall& c) {
    bool a1 = !c.has(1) || c.flag(1);
    std::string_view text = c.text(0);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    // The text is read as a formula of one reference standing in this cell.
    Lexer lexer(text, c.at, a1 ? RefStyle::A1 : RefStyle::R1C1);
    Token token;
    Token end;
    ParseError error;
    if (text.empty() || !lexer.next(token, error) ||
        (token.type != TokenType::Ref && token.type != TokenType::Range) ||
        !lexer.next(end, error) || end.type != TokenType::End) {
        c.setError(FormulaError::Ref);
        return;
    }
    CellPos a = token.range.first.resolve(c.at);
    CellPos b = token.type == TokenType::Range ? token.range.last.resolve(c.at) : a;
    if (!isInGrid(a) || !isInGrid(b)) {
        c.setError(FormulaError::Ref);
        return;
    }
    setReference(c.result, CellRange::ordered(a.col, a.row, b.col, b.row));
}

} // namespace

void addReferenceFunctions(std::vector<FunctionInfo>& t) {
    t.push_back({"INDEX", 2, 3, {K::Any, K::Number, K::Number}, index});
    t.push_back({"OFFSET", 3, 5, {K::Any, K::Number}, offset, true});
    t.push_back({"INDIRECT", 1, 2, {K::Text, K::Boolean}, indirect, true});
}

} // namespace vtx::sheet
