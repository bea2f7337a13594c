// Look-up functions: VLOOKUP, HLOOKUP, LOOKUP, MATCH (XLOOKUP in
// XLookupFunction.cpp, INDEX in ReferenceFunctions.cpp). The searches
// themselves are in LookupSearch.cpp.
#include "platform/sheet/formula/Interpreter.h"
#include "platform/sheet/functions/FunctionApi.h"
#include "platform/sheet/functions/LookupSearch.h"

namespace vtx::sheet {

namespace {

using K = ArgKind;

// An optional flag or match type written empty ("VLOOKUP(k,r,2,)") counts
// as 0, as in common spreadsheet programs; not written at all, as fallback.
double optionalNumber(const FunctionCall& c, int i, double fallback) {
    if (i >= c.argc)
        return fallback;
    return c.args[i].kind == OperandKind::Missing ? 0.0 : c.num(i);
}

void tableLookup(FunctionCall& c, bool vertical) {
    if (passError(c, 0, 1))
        return;
    const ArgValues table(c.args[1], c.cells);
    const double index = c.num(2);
    if (index < 1) {
        c.setError(FormulaError::Value);
        return;
    }
    if (index >= (vertical ? table.cols() : table.rows()) + 1) {
        c.setError(FormulaError::Ref);
        return;
    }
    const int line = static_cast<int>(index) - 1;
    const bool approximate = optionalNumber(c, 3, 1) != 0;
    const LookupKey key(c.args[0], c.cells, !approximate);
    const LookupVector keys(table, c.cells, vertical);
    const int pos = approximate ? findSorted(keys, key) : findMatch(c, keys, key);
    if (pos < 0)
        c.setError(FormulaError::NA);
    else
        c.setValue(vertical ? table.at(pos, line) : table.at(line, pos));
}

void matchPosition(FunctionCall& c) {
    if (passError(c, 0, 1))
        return;
    const ArgValues values(c.args[1], c.cells);
    if (values.rows() != 1 && values.cols() != 1) {
        c.setError(FormulaError::NA);
        return;
    }
    const double type = optionalNumber(c, 2, 1);
    const LookupKey key(c.args[0], c.cells, type == 0);
    const LookupVector v(values, c.cells, values.cols() == 1);
    const int pos = type == 0 ? findMatch(c, v, key) : findSorted(v, key, type < 0);
    if (pos < 0)
        c.setError(FormulaError::NA);
    else
        c.setNumber(pos + 1);
}

// LOOKUP(key, vector, [result vector]): approximate search. Without a result
// vector the searched values are a table: its first column (first row when
// it is wider than tall) is searched and the last column (row) returned.
void vectorLookup(FunctionCall& c) {
    if (passError(c, 0, 2))
        return;
    const ArgValues search(c.args[1], c.cells);
    const bool vertical = search.rows() >= search.cols();
    const LookupKey key(c.args[0], c.cells, false);
    const int pos = findSorted(LookupVector(search, c.cells, vertical), key);
    if (pos < 0) {
        c.setError(FormulaError::NA);
        return;
    }
    if (!c.has(2)) {
        c.setValue(vertical ? search.at(pos, search.cols() - 1)
                            : search.at(search.rows() - 1, pos));
        return;
    }
    const ArgValues result(c.args[2], c.cells);
    const LookupVector out(result, c.cells, result.rows() >= result.cols());
    if (pos >= out.size())
        c.setError(FormulaError::NA);
    else
        c.setValue(out.at(pos));
}

} // namespace

void addLookupFunctions(std::vector<FunctionInfo>& t) {
    addXLookup(t);
    t.push_back({"VLOOKUP", 3, 4, {K::Scalar, K::Any, K::Number, K::Boolean}, [](FunctionCall& c) {
                     tableLookup(c, true);
                 }});
    t.push_back({"HLOOKUP", 3, 4, {K::Scalar, K::Any, K::Number, K::Boolean}, [](FunctionCall& c) {
                     tableLookup(c, false);
                 }});
    t.push_back({"MATCH", 2, 3, {K::Scalar, K::Any, K::Number}, matchPosition});
    t.push_back({"LOOKUP", 2, 3, {K::Scalar, K::Any, K::Any}, vectorLookup});
}

} // namespace vtx::sheet
