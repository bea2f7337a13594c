// Element-by-element evaluation: operators and functions given ranges or
// arrays inside an argument that takes arrays (SUMPRODUCT((A1:A5>2)*B1:B5)).
//
// Sizes combine as in common spreadsheets: a single value, a single row or a
// single column stands for every row or column of the other operand; where
// an operand is smaller than the result (and not single), the element is
// #N/A.
#include "platform/sheet/formula/Interpreter.h"

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

// A new array of the given size, or nullptr (with #NUM! set on `out`) when
// it would exceed the element limit.
std::shared_ptr<ArrayValue> newArray(Shape shape, Operand& out) {
    std::size_t count = static_cast<std::size_t>(shape.rows) * static_cast<std::size_t>(shape.cols);
    if (count > kMaxArrayElements) {
        out.setError(FormulaError::Num);
        return nullptr;
    }
    auto array = std::make_shared<ArrayValue>();
    array->rows = shape.rows;
    array->cols = shape.cols;
    array->values.reserve(count);
    return array;
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
    Operand result;
    auto array = newArray(shape, result);
    if (array) {
        Operand x;
        Operand y;
        for (int r = 0; r < shape.rows; ++r) {
            for (int c = 0; c < shape.cols; ++c) {
                if (!element(a, r, c, x) || !element(b, r, c, y)) {
                    array->values.push_back(Value::error(FormulaError::NA));
                    continue;
                }
                applyBinary(op, x, y);
                array->values.push_back(operandToValue(x));
            }
        }
        const Operand* ops[] = {&a, &b};
        setOrigin(*array, ops, 2);
        result.setArray(std::move(array));
        m_holdsArrays = true;
    }
    a = std::move(result);
}

void Interpreter::unaryArray(Op op, Operand& a, CellPos) {
    Shape shape = shapeOf(a);
    Operand result;
    auto array = newArray(shape, result);
    if (array) {
        Operand x;
        for (int r = 0; r < shape.rows; ++r) {
            for (int c = 0; c < shape.cols; ++c) {
                element(a, r, c, x);
                applyUnary(op, x);
                array->values.push_back(operandToValue(x));
            }
        }
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
    auto array = newArray(shape, result);
    if (!array)
        return;
    std::vector<Operand> one(static_cast<std::size_t>(argc));
    for (int r = 0; r < shape.rows; ++r) {
        for (int c = 0; c < shape.cols; ++c) {
            bool inside = true;
            for (int i = 0; i < argc && inside; ++i) {
                Operand& slot = one[static_cast<std::size_t>(i)];
                if (lifted[static_cast<std::size_t>(i)])
                    inside = element(args[i], r, c, slot);
                else
                    slot = args[i];
            }
            if (!inside) {
                array->values.push_back(Value::error(FormulaError::NA));
                continue;
            }
            Operand value;
            run(def, one.data(), argc, at, value);
            if (m_dynamicReads && value.isReference())
                m_dynamicReads->push_back(value.range);
            // A function that gives a reference (IF, CHOOSE, INDEX) gives
            // its cell's value here; a range or array element its single value.
            dereference(value, at);
            array->values.push_back(operandToValue(value));
        }
    }
    setOrigin(*array, liftedOps.data(), static_cast<int>(liftedOps.size()));
    result.setArray(std::move(array));
}

} // namespace vtx::sheet
