// CONCAT and TEXTJOIN: values and ranges joined row by row.
#include "platform/sheet/functions/FunctionApi.h"
#include "platform/sheet/functions/TextUtil.h"

#include <algorithm>
#include <tuple>

namespace vtx::sheet {

namespace {

// At most this many cells of a delimiter range are read; a join never uses
// more delimiters than fit into a text of kMaxTextLength.
constexpr std::size_t kMaxDelimiters = 2 * kMaxTextLength + 2;

/// Calls fn(text) for the values of one argument: a written value, or the
/// cells of a range row by row. With allPositions every cell of the range
/// counts, an empty one as ""; otherwise only cells that hold something.
/// fn returns false to stop. Gives the first error value met.
template <typename Fn>
FormulaError forEachJoinedText(const FunctionCall& c, const Operand& a, bool allPositions,
                               Fn&& fn) {
    if (a.kind == OperandKind::Error)
        return a.error;
    if (a.kind == OperandKind::Array) {
        // Elements are kept row by row already.
        FormulaError error = FormulaError::None;
        a.array->forEachRun([&](const Value& v, std::size_t count) {
            if (v.isError()) {
                error = v.asError();
                return false;
            }
            if (!allPositions && v.isEmpty())
                return true;
            const std::string text = toText(v);
            for (std::size_t k = 0; k < count; ++k)
                if (!fn(text))
                    return false;
            return true;
        });
        return error;
    }
    if (!a.isReference()) {
        fn(toText(operandValue(a, c.cells)));
        return FormulaError::None;
    }
    const CellRange& r = a.range;
    std::vector<std::tuple<int, int, const Value*>> cells;
    c.cells.forEach(r, [&](int col, int row, const Cell& cell) {
        if (!cell.value.isEmpty())
            cells.emplace_back(row, col, &cell.value);
    });
    if (r.col0 != r.col1)
        std::sort(cells.begin(), cells.end());
    auto width = static_cast<long long>(r.cols());
    long long next = 0; // the next position, counted row by row from the range's corner
    for (const auto& [row, col, value] : cells) {
        if (value->isError())
            return value->asError();
        long long at = static_cast<long long>(row - r.row0) * width + (col - r.col0);
        for (; allPositions && next < at; ++next)
            if (!fn(std::string()))
                return FormulaError::None;
        next = at + 1;
        if (!fn(toText(*value)))
            return FormulaError::None;
    }
    long long total = static_cast<long long>(r.row1 - r.row0 + 1) * width;
    for (; allPositions && next < total; ++next)
        if (!fn(std::string()))
            break;
    return FormulaError::None;
}

/// Joins texts with delimiters taken in turn, stopping once the result is
/// too long.
struct Joiner {
    std::vector<std::string> delimiters;
    bool ignoreEmpty = true;
    std::string out;
    std::size_t items = 0;

    bool add(const std::string& text) {
        if (text.empty() && ignoreEmpty)
            return true;
        if (items > 0 && !delimiters.empty())
            out += delimiters[(items - 1) % delimiters.size()];
        out += text;
        ++items;
        return out.size() <= kMaxTextLength;
    }
    // Empty items change the result only when some delimiter shows.
    bool emptiesShow() const {
        return !ignoreEmpty && std::any_of(delimiters.begin(), delimiters.end(),
                                           [](const std::string& d) { return !d.empty(); });
    }
};

void join(FunctionCall& c, int first, Joiner& joiner) {
    bool allPositions = joiner.emptiesShow();
    for (int i = first; i < c.argc; ++i) {
        FormulaError e = forEachJoinedText(c, c.args[i], allPositions,
                                           [&](const std::string& t) { return joiner.add(t); });
        if (e != FormulaError::None) {
            c.setError(e);
            return;
        }
        if (joiner.out.size() > kMaxTextLength)
            break;
    }
    c.setText(std::move(joiner.out));
}

} // namespace

void concatFunction(FunctionCall& c) {
    Joiner joiner;
    join(c, 0, joiner);
}

void textJoinFunction(FunctionCall& c) {
    Joiner joiner;
    joiner.ignoreEmpty = c.flag(1);
    FormulaError e = forEachJoinedText(c, c.args[0], true, [&](const std::string& t) {
        joiner.delimiters.push_back(t);
        return joiner.delimiters.size() < kMaxDelimiters;
    });
    if (e != FormulaError::None)
        c.setError(e);
    else
        join(c, 2, joiner);
}

} // namespace vtx::sheet
