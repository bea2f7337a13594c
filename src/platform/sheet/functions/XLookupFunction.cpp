// XLOOKUP(key, lookup vector, return values, [if not found], [match mode],
// [search mode]).
#include "platform/sheet/formula/Interpreter.h"
#include "platform/sheet/functions/LookupSearch.h"

#include <cmath>
#include <memory>

namespace vtx::sheet {

namespace {

using K = ArgKind;

// Optional whole-number argument i (a reference reads its cell), fallback
// when not given; false after setting the error.
bool modeArgument(FunctionCall& c, int i, int fallback, int& out) {
    out = fallback;
    if (!c.has(i))
        return true;
    double n = 0;
    FormulaError e = FormulaError::None;
    if (!toNumber(operandValue(c.args[i], c.cells), n, e)) {
        c.setError(e);
        return false;
    }
    out = std::fabs(n) < 100 ? static_cast<int>(n) : 100; // 100: no mode
    return true;
}

// The row (vertical) or column at pos of the return values: a reference
// into a range (so that it can be summed or referred to), a part of an
// array, or the single value.
void setLine(FunctionCall& c, const Operand& arg, const ArgValues& values, bool vertical, int pos) {
    auto lineOf = [&](const CellRange& r) {
        return vertical ? CellRange{r.col0, r.row0 + pos, r.col1, r.row0 + pos}
                        : CellRange{r.col0 + pos, r.row0, r.col0 + pos, r.row1};
    };
    if (const CellRange* r = values.range()) {
        const CellRange line = lineOf(*r);
        c.result.kind =
            line.cols() == 1 && line.rows() == 1 ? OperandKind::Ref : OperandKind::Range;
        c.result.range = line;
        return;
    }
    const int n = vertical ? values.cols() : values.rows();
    if (n == 1) {
        c.setValue(vertical ? values.at(pos, 0) : values.at(0, pos));
        return;
    }
    auto a = std::make_shared<ArrayValue>();
    a->rows = vertical ? 1 : n;
    a->cols = vertical ? n : 1;
    a->values.reserve(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k)
        a->values.push_back(vertical ? values.at(pos, k) : values.at(k, pos));
    if (arg.kind == OperandKind::Array && arg.array->origin.isValid())
        a->origin = lineOf(arg.array->origin);
    c.result.setArray(std::move(a));
}

// Binary search (search mode 2 ascending, -2 descending): the first equal
// value, else for match mode -1 / 1 the next smaller / larger one.
int binarySearch(const LookupVector& v, const LookupKey& key, int matchMode, bool descending) {
    const SortedSplit s = searchSorted(v, key, descending, false);
    // firstAfter: the first value >= key (ascending) or <= key (descending).
    if (s.firstAfter >= 0 && key.order(v.at(s.firstAfter)) == 0)
        return s.firstAfter;
    if (matchMode == 0)
        return -1;
    return (matchMode > 0) != descending ? s.firstAfter : s.lastBefore;
}

void xlookup(FunctionCall& c) {
    if (passError(c, 0, 2))
        return;
    int matchMode = 0;
    int searchMode = 1;
    if (!modeArgument(c, 4, 0, matchMode) || !modeArgument(c, 5, 1, searchMode))
        return;
    const bool binary = searchMode == 2 || searchMode == -2;
    // Wildcards are not searched for in sorted data.
    if (matchMode < -1 || matchMode > 2 || !(binary || searchMode == 1 || searchMode == -1) ||
        (binary && matchMode == 2)) {
        c.setError(FormulaError::Value);
        return;
    }
    const ArgValues look(c.args[1], c.cells);
    const ArgValues ret(c.args[2], c.cells);
    // The look-up values are one row or column; the return values have as
    // many rows (columns) and any number of columns (rows).
    const bool isColumn = look.cols() == 1;
    const bool isRow = look.rows() == 1;
    const bool vertical = isColumn && (!isRow || ret.rows() == 1);
    if ((!isColumn && !isRow) ||
        (vertical ? ret.rows() != look.rows() : ret.cols() != look.cols())) {
        c.setError(FormulaError::Value);
        return;
    }
    const LookupKey key(c.args[0], c.cells, matchMode == 2);
    const LookupVector v(look, c.cells, vertical);
    int pos = -1;
    if (binary)
        pos = binarySearch(v, key, matchMode, searchMode < 0);
    else if (matchMode == 0 || matchMode == 2)
        pos = findMatch(c, v, key, searchMode < 0);
    else
        pos = findNearest(v, key, matchMode, searchMode < 0);
    if (pos >= 0)
        setLine(c, c.args[2], ret, vertical, pos);
    else if (c.has(3))
        c.result = c.args[3];
    else
        c.setError(FormulaError::NA);
}

} // namespace

void addXLookup(std::vector<FunctionInfo>& t) {
    t.push_back({"XLOOKUP", 3, 6, {K::Scalar, K::Any, K::Any, K::Any}, xlookup});
}

} // namespace vtx::sheet
