// Element-by-element evaluation: operators and functions given ranges or
// arrays inside an argument that takes arrays (SUMPRODUCT((A1:A5>2)*B1:B5)).
//
// Sizes combine as in common spreadsheets: a single value, a single row or a
// single column stands for every row or column of the other operand; where
// an operand is smaller than the result (and not single), the element is
// #N/A.
//
// A result over whole columns or rows (or any range far larger than its
// filled part) is computed for the filled part only: beyond the last filled
// row and column of every operand each element is the same, so it is
// computed once and the array is padded with it (ArrayValue::fill).
#include "platform/sheet/formula/Interpreter.h"

#include <algorithm>
#include <memory>

namespace vtx::sheet {

namespace {

struct Shape {
    int rows = 1;
    int cols = 1;
};

Shape shapeOf(const Operand& op) {
    if (op.isReference())
        return {op.range.rows(), op.range.cols()};
    if (op.kind == OperandKind::Array)
        return {op.array->rows, op.array->cols};
    return {};
}

// The range an operand's values stand for, for implicit intersection later.
CellRange originOf(const Operand& op) {
    if (op.isReference())
        return op.range;
    if (op.kind == OperandKind::Array)
        return op.array->origin;
    return {};
}

// The part of an operand beyond which every element is the same; none
// (0 x 0) for a single value.
Shape variedPart(const Operand& op, const CellStore& cells) {
    const Shape s = shapeOf(op);
    if (s.rows == 1 && s.cols == 1)
        return {0, 0};
    Shape part = s;
    if (op.isReference())
        cells.usedExtent(op.range, part.rows, part.cols);
    else if (op.kind == OperandKind::Array && op.array->padded)
        part = {op.array->keptRows, op.array->keptCols};
    return part;
}

// The part of a result of `shape` to compute element by element: where the
// operands' elements vary. A single row (column) operand repeats its
// elements in every row (column), so it needs them all. Beyond an operand
// smaller than the result every element is #N/A: the part covers that
// operand, and reaches across the other way unless an operand is smaller
// that way too, so that everything beyond the part is #N/A alike.
Shape computedPart(Shape shape, const Operand* const* ops, int count, const CellStore& cells) {
    Shape part{0, 0};
    bool shortRows = false;
    bool shortCols = false;
    for (int i = 0; i < count; ++i) {
        const Shape s = shapeOf(*ops[i]);
        const bool fewerRows = s.rows != 1 && s.rows < shape.rows;
        const bool fewerCols = s.cols != 1 && s.cols < shape.cols;
        shortRows = shortRows || fewerRows;
        shortCols = shortCols || fewerCols;
        const Shape varied = fewerRows || fewerCols ? s : variedPart(*ops[i], cells);
        if (varied.rows == 0 || varied.cols == 0)
            continue;
        part.rows = std::max(part.rows, s.rows == 1 ? shape.rows : varied.rows);
        part.cols = std::max(part.cols, s.cols == 1 ? shape.cols : varied.cols);
    }
    if (shortRows && !shortCols)
        part.cols = shape.cols;
    if (shortCols && !shortRows)
        part.rows = shape.rows;
    return {std::min(part.rows, shape.rows), std::min(part.cols, shape.cols)};
}

// A new array of the given size, or nullptr (with #NUM! set on `out`) when
// it would exceed the element limit. Padded when only `part` is computed.
std::shared_ptr<ArrayValue> newArray(Shape shape, Shape part, Operand& out) {
    std::size_t count = static_cast<std::size_t>(shape.rows) * static_cast<std::size_t>(shape.cols);
    if (count > kMaxArrayElements) {
        out.setError(FormulaError::Num);
        return nullptr;
    }
    auto array = std::make_shared<ArrayValue>();
    array->rows = shape.rows;
    array->cols = shape.cols;
    if (part.rows < shape.rows || part.cols < shape.cols) {
        array->padded = true;
        array->keptRows = part.rows;
        array->keptCols = part.cols;
    }
    array->values.reserve(static_cast<std::size_t>(part.rows) *
                          static_cast<std::size_t>(part.cols));
    return array;
}

// Fills an array made by newArray with elementAt(row, col): the computed
// part row by row, then the padding from the first element beyond it.
template <typename Fn> void fillArray(ArrayValue& array, Fn&& elementAt) {
    const int rows = array.padded ? array.keptRows : array.rows;
    const int cols = array.padded ? array.keptCols : array.cols;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            array.values.push_back(elementAt(r, c));
    if (array.padded)
        array.fill = rows < array.rows ? elementAt(rows, 0) : elementAt(0, cols);
}

// The origin of a result: that of the first operand of the result's size.
void setOrigin(ArrayValue& result, const Operand* const* ops, int count) {
    for (int i = 0; i < count; ++i) {
        Shape s = shapeOf(*ops[i]);
        if (s.rows == result.rows && s.cols == result.cols && isArrayLike(*ops[i])) {
            result.origin = originOf(*ops[i]);
            return;
        }
    }
}

} // namespace

bool Interpreter::element(const Operand& op, int row, int col, Operand& out) const {
    Shape s = shapeOf(op);
    if (s.rows == 1)
        row = 0;
    else if (row >= s.rows)
        return false;
    if (s.cols == 1)
        col = 0;
    else if (col >= s.cols)
        return false;
    if (op.isReference()) {
        setOperandValue(out, m_cells.value(op.range.col0 + col, op.range.row0 + row));
    } else if (op.kind == OperandKind::Array) {
        setOperandValue(out, op.array->at(row, col));
    } else {
        out = op;
    }
    return true;
}

void Interpreter::binaryArray(Op op, Operand& a, const Operand& b, CellPos) {
    Shape sa = shapeOf(a);
    Shape sb = shapeOf(b);
    Shape shape{std::max(sa.rows, sb.rows), std::max(sa.cols, sb.cols)};
    const Operand* ops[] = {&a, &b};
    Operand result;
    auto array = newArray(shape, computedPart(shape, ops, 2, m_cells), result);
    if (array) {
        Operand x;
        Operand y;
        fillArray(*array, [&](int r, int c) {
            if (!element(a, r, c, x) || !element(b, r, c, y))
                return Value::error(FormulaError::NA);
            applyBinary(op, x, y);
            return operandToValue(x);
        });
        setOrigin(*array, ops, 2);
        result.setArray(std::move(array));
        m_holdsArrays = true;
    }
    a = std::move(result);
}

void Interpreter::unaryArray(Op op, Operand& a, CellPos) {
    Shape shape = shapeOf(a);
    const Operand* ops[] = {&a};
    Operand result;
    auto array = newArray(shape, computedPart(shape, ops, 1, m_cells), result);
    if (array) {
        Operand x;
        fillArray(*array, [&](int r, int c) {
            element(a, r, c, x);
            applyUnary(op, x);
            return operandToValue(x);
        });
        array->origin = originOf(a);
        result.setArray(std::move(array));
        m_holdsArrays = true;
    }
    a = std::move(result);
}

void Interpreter::liftedCall(const FunctionInfo& def, Operand* args, int argc, CellPos at,
                             Operand& result) {
    // The arguments taken element by element: those that are not declared
    // to take ranges and arrays themselves.
    std::vector<bool> lifted(static_cast<std::size_t>(argc));
    std::vector<const Operand*> liftedOps;
    Shape shape{0, 0};
    for (int i = 0; i < argc; ++i) {
        if (def.kinds[std::min(i, 3)] == ArgKind::Any || !isArrayLike(args[i]))
            continue;
        lifted[static_cast<std::size_t>(i)] = true;
        liftedOps.push_back(&args[i]);
        Shape s = shapeOf(args[i]);
        shape.rows = std::max(shape.rows, s.rows);
        shape.cols = std::max(shape.cols, s.cols);
    }
    const int liftedCount = static_cast<int>(liftedOps.size());
    auto array =
        newArray(shape, computedPart(shape, liftedOps.data(), liftedCount, m_cells), result);
    if (!array)
        return;
    std::vector<Operand> one(static_cast<std::size_t>(argc));
    fillArray(*array, [&](int r, int c) {
        for (int i = 0; i < argc; ++i) {
            Operand& slot = one[static_cast<std::size_t>(i)];
            if (!lifted[static_cast<std::size_t>(i)])
                slot = args[i];
            else if (!element(args[i], r, c, slot))
                return Value::error(FormulaError::NA);
        }
        Operand value;
        run(def, one.data(), argc, at, value);
        if (m_dynamicReads && value.isReference())
            m_dynamicReads->push_back(value.range);
        // A function that gives a reference (IF, CHOOSE, INDEX) gives its
        // cell's value here; a range or array element its single value.
        dereference(value, at);
        return operandToValue(value);
    });
    setOrigin(*array, liftedOps.data(), liftedCount);
    result.setArray(std::move(array));
}

} // namespace vtx::sheet
