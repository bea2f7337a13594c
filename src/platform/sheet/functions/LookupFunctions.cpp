// Look-up functions: VLOOKUP, HLOOKUP, LOOKUP, MATCH, INDEX.
#include "platform/sheet/formula/Interpreter.h"
#include "platform/sheet/functions/FunctionApi.h"
#include "platform/sheet/functions/LookupIndex.h"

namespace vtx::sheet {

namespace {

using K = ArgKind;

Value keyOf(const Operand& a) {
    switch (a.kind) {
    case OperandKind::Number:
        return Value::number(a.number);
    case OperandKind::Boolean:
        return Value::boolean(a.number != 0);
    case OperandKind::Text:
        return Value::text(a.text);
    default:
        return Value();
    }
}

// Position (0-based) of key along a row or column of the range.
// mode 0: exact; 1: largest value <= key (ascending data); -1: smallest value
// >= key (descending data). -1 when not found.
int locate(const FunctionCall& c, const CellRange& r, bool vertical, const Value& key, int mode) {
    int n = vertical ? r.rows() : r.cols();
    auto at = [&](int i) -> const Value& {
        return vertical ? c.cells.value(r.col0, r.row0 + i) : c.cells.value(r.col0 + i, r.row0);
    };
    if (mode == 0) {
        if (vertical && c.lookups) {
            int row = c.lookups->findExact(c.cells, r.col0, r.row0, r.row1, key);
            return row < 0 ? -1 : row - r.row0;
        }
        for (int i = 0; i < n; ++i)
            if (at(i).type() == key.type() && compareValues(at(i), key) == 0)
                return i;
        return -1;
    }
    // Binary search over sorted data; cells of another kind than the key are
    // passed over as spreadsheets do.
    int lo = 0;
    int hi = n - 1;
    int best = -1;
    while (lo <= hi) {
        int mid = lo + (hi - lo) / 2;
        int probe = mid;
        while (probe <= hi && at(probe).type() != key.type())
            ++probe;
        if (probe > hi) {
            hi = mid - 1;
            continue;
        }
        int cmp = compareValues(at(probe), key);
        bool acceptable = mode > 0 ? cmp <= 0 : cmp >= 0;
        if (acceptable) {
            best = probe;
            if (cmp == 0 && mode > 0) {
                lo = probe + 1;
                continue;
            }
            lo = probe + 1;
        } else {
            hi = mid - 1;
        }
    }
    return best;
}

void tableLookup(FunctionCall& c, bool vertical) {
    const Operand& key = c.args[0];
    if (key.kind == OperandKind::Error) {
        c.setError(key.error);
        return;
    }
    if (!c.args[1].isReference()) {
        c.setError(c.args[1].kind == OperandKind::Error ? c.args[1].error : FormulaError::Value);
        return;
    }
    const CellRange& r = c.args[1].range;
    int index = clampToInt(c.num(2));
    int span = vertical ? r.cols() : r.rows();
    if (index < 1) {
        c.setError(FormulaError::Value);
        return;
    }
    if (index > span) {
        c.setError(FormulaError::Ref);
        return;
    }
    bool approximate = !c.has(3) || c.flag(3);
    CellRange keys = vertical ? CellRange{r.col0, r.row0, r.col0, r.row1}
                              : CellRange{r.col0, r.row0, r.col1, r.row0};
    int pos = locate(c, keys, vertical, keyOf(key), approximate ? 1 : 0);
    if (pos < 0) {
        c.setError(FormulaError::NA);
        return;
    }
    c.setValue(vertical ? c.cells.value(r.col0 + index - 1, r.row0 + pos)
                        : c.cells.value(r.col0 + pos, r.row0 + index - 1));
}

} // namespace

void addLookupFunctions(std::vector<FunctionInfo>& t) {
    t.push_back({"VLOOKUP", 3, 4, {K::Scalar, K::Any, K::Number, K::Boolean}, [](FunctionCall& c) {
                     tableLookup(c, true);
                 }});
    t.push_back({"HLOOKUP", 3, 4, {K::Scalar, K::Any, K::Number, K::Boolean}, [](FunctionCall& c) {
                     tableLookup(c, false);
                 }});
    t.push_back({"MATCH", 2, 3, {K::Scalar, K::Any, K::Number}, [](FunctionCall& c) {
                     const Operand& key = c.args[0];
                     if (key.kind == OperandKind::Error) {
                         c.setError(key.error);
                         return;
                     }
                     if (!c.args[1].isReference()) {
                         c.setError(FormulaError::NA);
                         return;
                     }
                     const CellRange& r = c.args[1].range;
                     if (r.cols() != 1 && r.rows() != 1) {
                         c.setError(FormulaError::NA);
                         return;
                     }
                     double type = c.numOr(2, 1);
                     int mode = type > 0 ? 1 : (type < 0 ? -1 : 0);
                     int pos = locate(c, r, r.cols() == 1, keyOf(key), mode);
                     if (pos < 0)
                         c.setError(FormulaError::NA);
                     else
                         c.setNumber(pos + 1);
                 }});
    t.push_back({"LOOKUP", 2, 3, {K::Scalar, K::Any, K::Any}, [](FunctionCall& c) {
                     const Operand& key = c.args[0];
                     if (key.kind == OperandKind::Error) {
                         c.setError(key.error);
                         return;
                     }
                     if (!c.args[1].isReference() || (c.has(2) && !c.args[2].isReference())) {
                         c.setError(FormulaError::NA);
                         return;
                     }
                     const CellRange& r = c.args[1].range;
                     // A vector form: one row or column; with a wider table the
                     // first column (or row, when wider than tall) is searched.
                     bool vertical = r.rows() >= r.cols();
                     CellRange keys = vertical ? CellRange{r.col0, r.row0, r.col0, r.row1}
                                               : CellRange{r.col0, r.row0, r.col1, r.row0};
                     int pos = locate(c, keys, vertical, keyOf(key), 1);
                     if (pos < 0) {
                         c.setError(FormulaError::NA);
                         return;
                     }
                     if (c.has(2)) {
                         const CellRange& res = c.args[2].range;
                         bool resVertical = res.rows() >= res.cols();
                         c.setValue(resVertical ? c.cells.value(res.col0, res.row0 + pos)
                                                : c.cells.value(res.col0 + pos, res.row0));
                     } else {
                         c.setValue(vertical ? c.cells.value(r.col1, r.row0 + pos)
                                             : c.cells.value(r.col0 + pos, r.row1));
                     }
                 }});
    t.push_back({"INDEX", 2, 3, {K::Any, K::Number, K::Number}, [](FunctionCall& c) {
                     if (!c.args[0].isReference()) {
                         c.setError(c.args[0].kind == OperandKind::Error ? c.args[0].error
                                                                         : FormulaError::Value);
                         return;
                     }
                     const CellRange& r = c.args[0].range;
                     int row = clampToInt(c.num(1));
                     int col = clampToInt(c.numOr(2, 0));
                     // A single row indexed by one number: the number picks the column.
                     if (!c.has(2) && r.rows() == 1 && r.cols() > 1) {
                         col = row;
                         row = 1;
                     }
                     if (col == 0 && r.cols() == 1)
                         col = 1;
                     if (row == 0 && r.rows() == 1)
                         row = 1;
                     if (row < 1 || col < 1) {
                         c.setError(FormulaError::Value);
                         return;
                     }
                     if (row > r.rows() || col > r.cols()) {
                         c.setError(FormulaError::Ref);
                         return;
                     }
                     c.setValue(c.cells.value(r.col0 + col - 1, r.row0 + row - 1));
                 }});
}

} // namespace vtx::sheet
