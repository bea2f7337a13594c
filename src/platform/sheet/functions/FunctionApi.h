#pragma once

/// What a built-in function sees: its metadata, its arguments on the
/// interpreter's stack and the cells of its grid. Arguments are coerced
/// centrally (Interpreter.cpp) according to their declared kind before the
/// body runs, so bodies stay small.

#include "platform/sheet/CellStore.h"
#include "platform/sheet/FormulaError.h"
#include "platform/sheet/SheetTypes.h"
#include "platform/sheet/Value.h"
#include "platform/sheet/functions/NumberText.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vtx::sheet {

enum class OperandKind : std::uint8_t {
    Empty,
    Number,
    Text,
    Boolean,
    Error,
    Ref,
    Range,
    Missing,
    Array
};

/// Values computed element by element: an operator or a function applied to
/// a range or another array gives one. Never changed once on the stack.
///
/// An array computed from whole columns or rows, or other ranges far larger
/// than their filled part, is padded: only the elements of the first
/// keptRows rows and keptCols columns are kept, and every other element is
/// `fill` (what the operation gives for the empty cells beyond), so that it
/// costs what the filled cells cost while its size stays that of the ranges.
struct ArrayValue {
    int rows = 0;
    int cols = 0;
    /// Row by row: every element, or when padded the kept ones.
    std::vector<Value> values;
    /// The cells the array was computed from: where a single value is needed,
    /// the element in the formula's row or column is taken, as the range's
    /// cell would be. Invalid (col0 > col1) for arrays of no range.
    CellRange origin;
    bool padded = false;
    int keptRows = 0;
    int keptCols = 0;
    Value fill;

    const Value& at(int row, int col) const {
        if (padded) {
            if (row >= keptRows || col >= keptCols)
                return fill;
            return values[static_cast<std::size_t>(row) * static_cast<std::size_t>(keptCols) +
                          static_cast<std::size_t>(col)];
        }
        return values[static_cast<std::size_t>(row) * static_cast<std::size_t>(cols) +
                      static_cast<std::size_t>(col)];
    }
    /// Calls fn(value, count) for the elements row by row, a run of padding
    /// as one call with its length; stops when fn returns false.
    template <typename Fn> void forEachRun(Fn&& fn) const {
        if (!padded) {
            for (const Value& v : values)
                if (!fn(v, std::size_t{1}))
                    return;
            return;
        }
        std::size_t pending = 0;
        const auto spare = static_cast<std::size_t>(cols - keptCols);
        for (int r = 0; r < keptRows; ++r) {
            for (int c = 0; c < keptCols; ++c) {
                if (pending > 0 && !fn(fill, std::exchange(pending, 0)))
                    return;
                if (!fn(at(r, c), std::size_t{1}))
                    return;
            }
            pending += spare;
        }
        pending += static_cast<std::size_t>(rows - keptRows) * static_cast<std::size_t>(cols);
        if (pending > 0)
            fn(fill, pending);
    }
};

/// The most elements an array may have; a larger one is #NUM!.
constexpr std::size_t kMaxArrayElements = 4'000'000;

/// A value on the interpreter's stack: a value, a reference to a cell or
/// range not yet read, or an array.
struct Operand {
    OperandKind kind = OperandKind::Empty;
    FormulaError error = FormulaError::None;
    double number = 0.0;
    std::string text;
    CellRange range;
    std::shared_ptr<const ArrayValue> array; ///< for Array

    void setNumber(double n) {
        kind = OperandKind::Number;
        number = n;
    }
    void setBoolean(bool b) {
        kind = OperandKind::Boolean;
        number = b ? 1.0 : 0.0;
    }
    void setText(std::string t) {
        kind = OperandKind::Text;
        text = std::move(t);
    }
    void setError(FormulaError e) {
        kind = OperandKind::Error;
        error = e;
    }
    void setEmpty() { kind = OperandKind::Empty; }
    void setArray(std::shared_ptr<const ArrayValue> a) {
        kind = OperandKind::Array;
        array = std::move(a);
    }
    bool isReference() const { return kind == OperandKind::Ref || kind == OperandKind::Range; }
    /// A range, a reference or an array: something with several values.
    bool isMulti() const { return isReference() || kind == OperandKind::Array; }
};

/// An argument seen as a grid of values, whatever it is: the cells of a
/// reference or range, the elements of an array, or one value (1 x 1).
/// Positions count from 0. fromCells() tells whether the values come from
/// cells (where list functions pass over texts and truth values).
class ArgValues {
public:
    ArgValues(const Operand& op, const CellStore& cells);
    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    std::size_t size() const {
        return static_cast<std::size_t>(m_rows) * static_cast<std::size_t>(m_cols);
    }
    /// The value at a position inside the grid.
    const Value& at(int row, int col) const {
        if (m_range)
            return m_cells.value(m_range->col0 + col, m_range->row0 + row);
        if (m_array)
            return m_array->at(row, col);
        return m_single;
    }
    /// The value at a position counted row by row.
    const Value& at(std::size_t i) const {
        return at(static_cast<int>(i / static_cast<std::size_t>(m_cols)),
                  static_cast<int>(i % static_cast<std::size_t>(m_cols)));
    }
    bool fromCells() const { return m_range != nullptr; }
    /// The rows and columns from the first position beyond which every
    /// value is the same (an empty cell, an array's padding): the filled
    /// part of a range, the kept part of a padded array, else everything.
    void extent(int& rows, int& cols) const;
    /// The range behind the values (nullptr for arrays and single values).
    const CellRange* range() const { return m_range; }

private:
    const CellStore& m_cells;
    const CellRange* m_range = nullptr;
    const ArrayValue* m_array = nullptr;
    Value m_single;
    int m_rows = 1;
    int m_cols = 1;
};

/// How an argument is prepared before the body runs.
enum class ArgKind : std::uint8_t {
    Unset,   ///< not declared: the previous argument's kind repeats
    Number,  ///< a number (texts that read as numbers, booleans, empty = 0); errors propagate
    Text,    ///< a text (numbers in general format); errors propagate
    Boolean, ///< a truth value; errors propagate
    Scalar,  ///< a value read from a reference, any kind, errors kept
    Any,     ///< as written: references and ranges stay references; takes arrays
    /// As written, so that a reference can be passed on as the result (IF,
    /// CHOOSE); but where the call computes element by element, a range or
    /// an array here is taken element by element like a value.
    Pass,
};

struct FunctionCall;
class LookupIndex;
using FunctionBody = void (*)(FunctionCall&);

struct FunctionInfo {
    const char* name;
    std::uint8_t minArgs;
    std::uint8_t maxArgs; ///< 255: any number
    ArgKind kinds[4];     ///< kinds of the first arguments; the last declared one repeats
    FunctionBody body;
    bool isVolatile = false;
};

/// One call of a built-in function.
struct FunctionCall {
    Operand* args;
    int argc;
    Operand& result;
    const CellStore& cells;
    CellPos at;
    LookupIndex* lookups;

    double num(int i) const { return args[i].number; }
    bool flag(int i) const { return args[i].number != 0.0; }
    const std::string& text(int i) const { return args[i].text; }
    bool has(int i) const { return i < argc && args[i].kind != OperandKind::Missing; }
    /// The number of argument i, or fallback when it was not given.
    double numOr(int i, double fallback) const { return has(i) ? num(i) : fallback; }

    void setNumber(double n);
    void setBoolean(bool b) { result.setBoolean(b); }
    /// Sets a text result; one longer than kMaxTextLength gives #VALUE!.
    void setText(std::string t) {
        if (t.size() > kMaxTextLength)
            result.setError(FormulaError::Value);
        else
            result.setText(std::move(t));
    }
    void setError(FormulaError e) { result.setError(e); }
    /// Sets a cell's value as the result.
    void setValue(const Value& v);
};

/// Reads an operand as a plain value (references read their cell; a range
/// gives #VALUE!).
Value operandValue(const Operand& op, const CellStore& cells);
/// Coerces a value to a number (a text by textToNumber); false (with the
/// error) when it cannot be.
bool toNumber(const Value& v, double& out, FormulaError& error);
/// Coerces a value to a text.
std::string toText(const Value& v);
/// Coerces a value to a truth value as IF reads its condition: numbers (0 is
/// FALSE), truth values, empty (FALSE), the texts TRUE and FALSE in any case;
/// false (with the error) for another text or an error.
bool toTruth(const Value& v, bool& out, FormulaError& error);

/// Calls fn(value) for every value of the arguments the way SUM and its kin
/// see them: written numbers, booleans and number texts count; in references,
/// only numbers count. Returns the first error met (None when none).
template <typename Fn> FormulaError forEachNumber(const FunctionCall& call, int first, Fn&& fn);
/// SUM's total: what forEachNumber(call, first, [&](double v) { sum += v; })
/// adds up from 0, with long column stretches added as a whole where that
/// gives the very same number (CellStore::exactSum). sum is set only when
/// no error was met.
FormulaError sumNumbers(const FunctionCall& call, int first, double& sum);

/// Category registrations, one per file.
void addLogicalFunctions(std::vector<FunctionInfo>& table);
void addMathFunctions(std::vector<FunctionInfo>& table);
void addStatFunctions(std::vector<FunctionInfo>& table);
void addRegressionFunctions(std::vector<FunctionInfo>& table);
void addTextFunctions(std::vector<FunctionInfo>& table);
void addLookupFunctions(std::vector<FunctionInfo>& table);
void addInfoFunctions(std::vector<FunctionInfo>& table);
void addReferenceFunctions(std::vector<FunctionInfo>& table);
void addConvertFunction(std::vector<FunctionInfo>& table);
void addDateFunctions(std::vector<FunctionInfo>& table);

/// The def of a built-in function by index.
const FunctionInfo& functionInfo(std::uint32_t index);

// ---- template implementation ----

template <typename Fn> FormulaError forEachNumber(const FunctionCall& call, int first, Fn&& fn) {
    FormulaError found = FormulaError::None;
    for (int i = first; i < call.argc; ++i) {
        const Operand& a = call.args[i];
        switch (a.kind) {
        case OperandKind::Number:
        case OperandKind::Boolean:
            fn(a.number);
            break;
        case OperandKind::Text: {
            double n = 0;
            if (!textToNumber(a.text, n))
                return FormulaError::Value;
            fn(n);
            break;
        }
        case OperandKind::Error:
            return a.error;
        case OperandKind::Ref: {
            // One cell: read it directly rather than walking a range.
            const Value& v = call.cells.value(a.range.col0, a.range.row0);
            if (v.isNumber())
                fn(v.asNumber());
            else if (v.isError())
                return v.asError();
            break;
        }
        case OperandKind::Range:
            found = call.cells.forEachNumber(a.range, fn);
            if (found != FormulaError::None)
                return found;
            break;
        case OperandKind::Array:
            // Elements count as cells of a range do: numbers only.
            a.array->forEachRun([&](const Value& v, std::size_t count) {
                if (v.isError())
                    found = v.asError();
                else if (v.isNumber())
                    for (std::size_t k = 0; k < count; ++k)
                        fn(v.asNumber());
                return found == FormulaError::None;
            });
            if (found != FormulaError::None)
                return found;
            break;
        default:
            break;
        }
    }
    return found;
}

} // namespace vtx::sheet
