// Statistical and aggregate functions: SUM, AVERAGE, MIN, MAX, COUNT and kin,
// the criteria functions and SUMPRODUCT.
#include "platform/sheet/formula/Interpreter.h"
#include "platform/sheet/functions/Criterion.h"
#include "platform/sheet/functions/FunctionApi.h"
#include "platform/sheet/functions/TextUtil.h"

#include <algorithm>
#include <cmath>

namespace vtx::sheet {

namespace {

using K = ArgKind;

// The numbers of the arguments as SUM sees them; false after setting the error.
bool collect(FunctionCall& c, std::vector<double>& out) {
    FormulaError e = forEachNumber(c, 0, [&](double v) { out.push_back(v); });
    if (e != FormulaError::None) {
        c.setError(e);
        return false;
    }
    return true;
}

// The criterion argument i as a value (a reference reads its cell); false,
// with the result set to the error, when it is an error value.
bool criterionValue(FunctionCall& c, int i, Value& out) {
    out = operandValue(c.args[i], c.cells);
    if (!out.isError())
        return true;
    c.setError(out.asError());
    return false;
}

// The criteria range argument i; false, with the result set to its error
// (#VALUE! when it is no reference), when it is none.
bool criteriaRange(FunctionCall& c, int i) {
    if (c.args[i].isReference())
        return true;
    c.setError(c.args[i].kind == OperandKind::Error ? c.args[i].error : FormulaError::Value);
    return false;
}

// Calls fn(col, row, value) for every cell of the criteria range that
// matches, empty cells included when the criterion matches them.
template <typename Fn>
void forEachMatch(const FunctionCall& c, const CellRange& r, const Criterion& k, Fn&& fn) {
    if (k.matchesEmpty()) {
        for (int col = r.col0; col <= r.col1; ++col)
            for (int row = r.row0; row <= r.row1; ++row) {
                const Value& v = c.cells.value(col, row);
                if (k.matches(v))
                    fn(col, row, v);
            }
        return;
    }
    c.cells.forEach(r, [&](int col, int row, const Cell& cell) {
        if (k.matches(cell.value))
            fn(col, row, cell.value);
    });
}

// SUMIF and AVERAGEIF: sums the cells of the sum range (the criteria range
// itself when not given) whose criteria cell matches.
void sumIf(FunctionCall& c, bool average) {
    Value criterion;
    if (!criteriaRange(c, 0) || (c.has(2) && !criteriaRange(c, 2)) ||
        !criterionValue(c, 1, criterion))
        return;
    CellRange r = c.args[0].range;
    CellRange sum = c.has(2) ? c.args[2].range : r;
    Criterion k(criterion);
    double total = 0;
    int count = 0;
    FormulaError e = FormulaError::None;
    forEachMatch(c, r, k, [&](int col, int row, const Value&) {
        const Value& v = c.cells.value(sum.col0 + col - r.col0, sum.row0 + row - r.row0);
        if (v.isNumber()) {
            total += v.asNumber();
            ++count;
        } else if (v.isError() && e == FormulaError::None) {
            e = v.asError();
        }
    });
    if (e != FormulaError::None)
        c.setError(e);
    else if (average && count == 0)
        c.setError(FormulaError::Div0);
    else
        c.setNumber(average ? total / count : total);
}

// The criteria pairs of COUNTIFS and its kin, from argument `first` on:
// range, criterion, range, criterion... Every range has the shape of the
// first; a criterion written as a reference stands for its cell.
// Calls fn(col offset, row offset) for each position where every range's
// cell matches its criterion. False, with the result set to the error, when
// the arguments are not such pairs.
template <typename Fn> bool forEachAllMatch(FunctionCall& c, int first, Fn&& fn) {
    if ((c.argc - first) < 2 || (c.argc - first) % 2 != 0) {
        c.setError(FormulaError::Value);
        return false;
    }
    std::vector<CellRange> ranges;
    std::vector<Criterion> criteria;
    for (int i = first; i < c.argc; i += 2) {
        if (!criteriaRange(c, i))
            return false;
        const CellRange& r = c.args[i].range;
        if (!ranges.empty() && (r.cols() != ranges[0].cols() || r.rows() != ranges[0].rows())) {
            c.setError(FormulaError::Value);
            return false;
        }
        Value criterion;
        if (!criterionValue(c, i + 1, criterion))
            return false;
        ranges.push_back(r);
        criteria.emplace_back(criterion);
    }
    // The first pair picks the candidates (its matching cells only, unless
    // its criterion matches empty cells); the others are checked at the same
    // offset.
    forEachMatch(c, ranges[0], criteria[0], [&](int col, int row, const Value&) {
        const int dc = col - ranges[0].col0;
        const int dr = row - ranges[0].row0;
        for (std::size_t k = 1; k < ranges.size(); ++k)
            if (!criteria[k].matches(c.cells.value(ranges[k].col0 + dc, ranges[k].row0 + dr)))
                return;
        fn(dc, dr);
    });
    return true;
}

// SUMIFS, AVERAGEIFS, MAXIFS, MINIFS: the numbers of the first range (of the
// criteria ranges' shape) where every criterion matches.
enum class IfsResult { Sum, Average, Max, Min };

void numbersIfs(FunctionCall& c, IfsResult what) {
    const CellRange& values = c.args[0].range;
    const CellRange& shape = c.args[1].range;
    if (!criteriaRange(c, 0))
        return;
    if (c.args[1].isReference() &&
        (values.cols() != shape.cols() || values.rows() != shape.rows())) {
        c.setError(FormulaError::Value);
        return;
    }
    double total = 0;
    double best = 0;
    int count = 0;
    FormulaError e = FormulaError::None;
    const bool ok = forEachAllMatch(c, 1, [&](int dc, int dr) {
        const Value& v = c.cells.value(values.col0 + dc, values.row0 + dr);
        if (v.isNumber()) {
            const double x = v.asNumber();
            total += x;
            best = count == 0 ? x : what == IfsResult::Max ? std::max(best, x) : std::min(best, x);
            ++count;
        } else if (v.isError() && e == FormulaError::None) {
            e = v.asError();
        }
    });
    if (!ok)
        return;
    if (e != FormulaError::None)
        c.setError(e);
    else if (what == IfsResult::Average && count == 0)
        c.setError(FormulaError::Div0);
    else if (what == IfsResult::Sum || what == IfsResult::Average)
        c.setNumber(what == IfsResult::Average ? total / count : total);
    else
        c.setNumber(best); // 0 when nothing matched
}

double sumOfSquares(const std::vector<double>& v, double mean) {
    double s = 0;
    for (double x : v)
        s += (x - mean) * (x - mean);
    return s;
}

void variance(FunctionCall& c, bool sampleStdDev, bool root) {
    std::vector<double> v;
    if (!collect(c, v))
        return;
    std::size_t n = v.size();
    if (n < (sampleStdDev ? 2u : 1u)) {
        c.setError(FormulaError::Div0);
        return;
    }
    double mean = 0;
    for (double x : v)
        mean += x;
    mean /= static_cast<double>(n);
    double var = sumOfSquares(v, mean) / static_cast<double>(sampleStdDev ? n - 1 : n);
    c.setNumber(root ? std::sqrt(var) : var);
}

// The numbers of the first argument alone, as SUM sees them; false after
// setting the error.
bool collectFirst(FunctionCall& c, std::vector<double>& out) {
    FunctionCall first{c.args, 1, c.result, c.cells, c.at, c.lookups};
    return collect(first, out);
}

void kth(FunctionCall& c, bool largest) {
    std::vector<double> v;
    if (!collectFirst(c, v))
        return;
    const double k = std::ceil(c.num(1));
    if (!(k >= 1 && k <= static_cast<double>(v.size()))) {
        c.setError(FormulaError::Num);
        return;
    }
    const auto i = static_cast<std::size_t>(k);
    if (largest)
        std::nth_element(v.begin(), v.begin() + static_cast<long>(i - 1), v.end(),
                         std::greater<>());
    else
        std::nth_element(v.begin(), v.begin() + static_cast<long>(i - 1), v.end());
    c.setNumber(v[i - 1]);
}

// PERCENTILE: the value below which a fraction k of the numbers lies,
// interpolated linearly between the two nearest ranks.
void percentile(FunctionCall& c, double k) {
    std::vector<double> v;
    if (!collectFirst(c, v))
        return;
    if (v.empty() || k < 0 || k > 1) {
        c.setError(FormulaError::Num);
        return;
    }
    double rank = k * static_cast<double>(v.size() - 1);
    auto lo = static_cast<std::size_t>(rank);
    std::nth_element(v.begin(), v.begin() + static_cast<long>(lo), v.end());
    double low = v[lo];
    if (lo + 1 == v.size() || rank == static_cast<double>(lo)) {
        c.setNumber(low);
        return;
    }
    double high = *std::min_element(v.begin() + static_cast<long>(lo) + 1, v.end());
    c.setNumber(low + (rank - static_cast<double>(lo)) * (high - low));
}

void quartile(FunctionCall& c) {
    double q = std::trunc(c.num(1));
    if (q < 0 || q > 4)
        c.setError(FormulaError::Num);
    else
        percentile(c, q / 4);
}

// MAXA and MINA: written numbers, truth values and number texts count (another
// written text is #VALUE!); in references and arrays numbers count, TRUE as 1,
// FALSE and texts as 0, and empty cells are passed over. 0 with no values.
void extremeA(FunctionCall& c, bool largest) {
    double m = 0;
    bool any = false;
    auto take = [&](double x) {
        m = !any ? x : largest ? std::max(m, x) : std::min(m, x);
        any = true;
    };
    for (int i = 0; i < c.argc; ++i) {
        const Operand& a = c.args[i];
        if (!a.isMulti()) {
            FormulaError e = forEachNumber(
                FunctionCall{c.args + i, 1, c.result, c.cells, c.at, c.lookups}, 0, take);
            if (e != FormulaError::None) {
                c.setError(e);
                return;
            }
            continue;
        }
        ArgValues values(a, c.cells);
        for (std::size_t j = 0; j < values.size(); ++j) {
            const Value& v = values.at(j);
            if (v.isError()) {
                c.setError(v.asError());
                return;
            }
            if (v.isNumber() || v.isBoolean())
                take(v.asNumber());
            else if (v.isText())
                take(0);
        }
    }
    c.setNumber(m);
}

// SUMPRODUCT's total over lists of one size; elements that are no number
// count as 0. Beyond the filled part of every list (empty cells, padding)
// each position gives the same product: its runs are taken at once when that
// product is 0, and the first error is still the first in row order.
void sumProducts(FunctionCall& c, const std::vector<ArgValues>& lists) {
    const int rows = lists.front().rows();
    const int cols = lists.front().cols();
    int keptRows = 0;
    int keptCols = 0;
    for (const ArgValues& list : lists) {
        int r = 0;
        int k = 0;
        list.extent(r, k);
        if (r > 0 && k > 0) {
            keptRows = std::max(keptRows, std::min(r, rows));
            keptCols = std::max(keptCols, std::min(k, cols));
        }
    }
    auto product = [&](int row, int col, double& p) {
        p = 1;
        for (const ArgValues& list : lists) {
            const Value& v = list.at(row, col);
            if (v.isError()) {
                c.setError(v.asError());
                return false;
            }
            p *= v.isNumber() ? v.asNumber() : 0.0;
        }
        return true;
    };
    double total = 0;
    double p = 0;
    // A run of positions beyond the filled parts, the first at (row, col).
    auto run = [&](int row, int col, std::size_t count) {
        if (count == 0)
            return true;
        if (!product(row, col, p))
            return false;
        for (std::size_t k = 0; p != 0.0 && k < count; ++k)
            total += p;
        return true;
    };
    for (int r = 0; r < keptRows; ++r) {
        for (int k = 0; k < keptCols; ++k) {
            if (!product(r, k, p))
                return;
            total += p;
        }
        if (!run(r, keptCols, static_cast<std::size_t>(cols - keptCols)))
            return;
    }
    if (!run(keptRows, 0,
             static_cast<std::size_t>(rows - keptRows) * static_cast<std::size_t>(cols)))
        return;
    c.setNumber(total);
}

} // namespace

void addStatFunctions(std::vector<FunctionInfo>& t) {
    t.push_back({"SUM", 1, 255, {K::Any}, [](FunctionCall& c) {
                     double s = 0;
                     FormulaError e = sumNumbers(c, 0, s);
                     if (e != FormulaError::None)
                         c.setError(e);
                     else
                         c.setNumber(s);
                 }});
    t.push_back({"PRODUCT", 1, 255, {K::Any}, [](FunctionCall& c) {
                     double p = 1;
                     bool any = false;
                     FormulaError e = forEachNumber(c, 0, [&](double v) {
                         p *= v;
                         any = true;
                     });
                     if (e != FormulaError::None)
                         c.setError(e);
                     else
                         c.setNumber(any ? p : 0);
                 }});
    t.push_back({"SUMSQ", 1, 255, {K::Any}, [](FunctionCall& c) {
                     double s = 0;
                     FormulaError e = forEachNumber(c, 0, [&](double v) { s += v * v; });
                     if (e != FormulaError::None)
                         c.setError(e);
                     else
                         c.setNumber(s);
                 }});
    t.push_back({"AVERAGE", 1, 255, {K::Any}, [](FunctionCall& c) {
                     double s = 0;
                     int n = 0;
                     FormulaError e = forEachNumber(c, 0, [&](double v) {
                         s += v;
                         ++n;
                     });
                     if (e != FormulaError::None)
                         c.setError(e);
                     else if (n == 0)
                         c.setError(FormulaError::Div0);
                     else
                         c.setNumber(s / n);
                 }});
    t.push_back({"MIN", 1, 255, {K::Any}, [](FunctionCall& c) {
                     double m = 0;
                     bool any = false;
                     FormulaError e = forEachNumber(c, 0, [&](double v) {
                         m = any ? std::min(m, v) : v;
                         any = true;
                     });
                     if (e != FormulaError::None)
                         c.setError(e);
                     else
                         c.setNumber(m);
                 }});
    t.push_back({"MAX", 1, 255, {K::Any}, [](FunctionCall& c) {
                     double m = 0;
                     bool any = false;
                     FormulaError e = forEachNumber(c, 0, [&](double v) {
                         m = any ? std::max(m, v) : v;
                         any = true;
                     });
                     if (e != FormulaError::None)
                         c.setError(e);
                     else
                         c.setNumber(m);
                 }});
    t.push_back({"MAXA", 1, 255, {K::Any}, [](FunctionCall& c) { extremeA(c, true); }});
    t.push_back({"MINA", 1, 255, {K::Any}, [](FunctionCall& c) { extremeA(c, false); }});
    t.push_back({"MEDIAN", 1, 255, {K::Any}, [](FunctionCall& c) {
                     std::vector<double> v;
                     if (!collect(c, v))
                         return;
                     if (v.empty()) {
                         c.setError(FormulaError::Num);
                         return;
                     }
                     std::sort(v.begin(), v.end());
                     std::size_t n = v.size();
                     c.setNumber(n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
                 }});
    t.push_back({"STDEV", 1, 255, {K::Any}, [](FunctionCall& c) { variance(c, true, true); }});
    t.push_back({"STDEVP", 1, 255, {K::Any}, [](FunctionCall& c) { variance(c, false, true); }});
    t.push_back({"VAR", 1, 255, {K::Any}, [](FunctionCall& c) { variance(c, true, false); }});
    t.push_back({"VARP", 1, 255, {K::Any}, [](FunctionCall& c) { variance(c, false, false); }});
    t.push_back({"LARGE", 2, 2, {K::Any, K::Number}, [](FunctionCall& c) { kth(c, true); }});
    t.push_back({"SMALL", 2, 2, {K::Any, K::Number}, [](FunctionCall& c) { kth(c, false); }});
    for (const char* name : {"PERCENTILE", "PERCENTILE.INC"})
        t.push_back(
            {name, 2, 2, {K::Any, K::Number}, [](FunctionCall& c) { percentile(c, c.num(1)); }});
    for (const char* name : {"QUARTILE", "QUARTILE.INC"})
        t.push_back({name, 2, 2, {K::Any, K::Number}, quartile});
    t.push_back({"COUNT", 1, 255, {K::Any}, [](FunctionCall& c) {
                     double n = 0;
                     for (int i = 0; i < c.argc; ++i) {
                         const Operand& a = c.args[i];
                         double x = 0;
                         if (a.isReference())
                             c.cells.forEach(a.range, [&](int, int, const Cell& cell) {
                                 n += cell.value.isNumber();
                             });
                         else if (a.kind == OperandKind::Array)
                             a.array->forEachRun([&](const Value& v, std::size_t count) {
                                 n += v.isNumber() ? static_cast<double>(count) : 0.0;
                                 return true;
                             });
                         else if (a.kind == OperandKind::Number || a.kind == OperandKind::Boolean ||
                                  (a.kind == OperandKind::Text && textToNumber(a.text, x)))
                             ++n;
                     }
                     c.setNumber(n);
                 }});
    t.push_back({"COUNTA", 1, 255, {K::Any}, [](FunctionCall& c) {
                     double n = 0;
                     for (int i = 0; i < c.argc; ++i) {
                         const Operand& a = c.args[i];
                         if (a.isReference())
                             c.cells.forEach(a.range, [&](int, int, const Cell& cell) {
                                 n += !cell.value.isEmpty();
                             });
                         else if (a.kind == OperandKind::Array)
                             a.array->forEachRun([&](const Value& v, std::size_t count) {
                                 n += v.isEmpty() ? 0.0 : static_cast<double>(count);
                                 return true;
                             });
                         else if (a.kind != OperandKind::Missing)
                             ++n;
                     }
                     c.setNumber(n);
                 }});
    t.push_back({"COUNTBLANK", 1, 1, {K::Any}, [](FunctionCall& c) {
                     if (!c.args[0].isReference()) {
                         c.setError(FormulaError::Value);
                         return;
                     }
                     const CellRange& r = c.args[0].range;
                     double filled = 0;
                     c.cells.forEach(r, [&](int, int, const Cell& cell) {
                         const Value& v = cell.value;
                         filled += !(v.isEmpty() || (v.isText() && v.asText().empty()));
                     });
                     c.setNumber(static_cast<double>(r.cols()) * r.rows() - filled);
                 }});
    t.push_back({"COUNTIF", 2, 2, {K::Any, K::Scalar}, [](FunctionCall& c) {
                     Value criterion;
                     if (!criteriaRange(c, 0) || !criterionValue(c, 1, criterion))
                         return;
                     Criterion k(criterion);
                     double n = 0;
                     forEachMatch(c, c.args[0].range, k, [&](int, int, const Value&) { ++n; });
                     c.setNumber(n);
                 }});
    t.push_back(
        {"SUMIF", 2, 3, {K::Any, K::Scalar, K::Any}, [](FunctionCall& c) { sumIf(c, false); }});
    t.push_back(
        {"AVERAGEIF", 2, 3, {K::Any, K::Scalar, K::Any}, [](FunctionCall& c) { sumIf(c, true); }});
    t.push_back({"COUNTIFS", 2, 254, {K::Any}, [](FunctionCall& c) {
                     double n = 0;
                     if (forEachAllMatch(c, 0, [&](int, int) { ++n; }))
                         c.setNumber(n);
                 }});
    t.push_back(
        {"SUMIFS", 3, 255, {K::Any}, [](FunctionCall& c) { numbersIfs(c, IfsResult::Sum); }});
    t.push_back({"AVERAGEIFS", 3, 255, {K::Any}, [](FunctionCall& c) {
                     numbersIfs(c, IfsResult::Average);
                 }});
    t.push_back(
        {"MAXIFS", 3, 255, {K::Any}, [](FunctionCall& c) { numbersIfs(c, IfsResult::Max); }});
    t.push_back(
        {"MINIFS", 3, 255, {K::Any}, [](FunctionCall& c) { numbersIfs(c, IfsResult::Min); }});
    t.push_back({"SUMPRODUCT", 1, 255, {K::Any}, [](FunctionCall& c) {
                     // Ranges and arrays of one size; elements that are no number
                     // (texts, truth values, empty cells) count as 0.
                     std::vector<ArgValues> lists;
                     lists.reserve(static_cast<std::size_t>(c.argc));
                     for (int i = 0; i < c.argc; ++i) {
                         const Operand& a = c.args[i];
                         if (a.kind == OperandKind::Error) {
                             c.setError(a.error);
                             return;
                         }
                         if (a.kind == OperandKind::Missing) {
                             c.setError(FormulaError::Value);
                             return;
                         }
                         lists.emplace_back(a, c.cells);
                         if (lists.back().rows() != lists.front().rows() ||
                             lists.back().cols() != lists.front().cols()) {
                             c.setError(FormulaError::Value);
                             return;
                         }
                     }
                     sumProducts(c, lists);
                 }});
}

} // namespace vtx::sheet
