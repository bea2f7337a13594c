#pragma once

/// The 24-byte value record through which custom functions receive their
/// arguments and return their result, with the layout fixed byte by byte:
///
/// | offset | width | meaning                                                   |
/// |--------|-------|-----------------------------------------------------------|
/// | 0      | 1     | status: 0 a value; 1 an error (result: reading failed); 2 no value |
/// | 1      | 1     | type: 0 integer, 1 floating point, 2 text, 3 cell, 4 range |
/// | 2      | 4     | type 0: int32; type 2: handle of a global memory block     |
/// | 2      | 8     | type 1: the double                                        |
/// | 4      | 4     | types 3, 4: column (int32)                                |
/// | 8      | 4     | types 3, 4: row (int32)                                   |
/// | 12     | 4     | type 4: last column (int32)                               |
/// | 16     | 4     | type 4: last row (int32)                                  |
///
/// Fields overlap (the double and the column share bytes 4..7), so the record
/// is a byte array with accessors that copy at the fixed offsets; it has no
/// alignment and no padding.

#include <cstdint>
#include <cstring>
#include <functional>

namespace vtx::sheet {

enum ValueStatus : std::uint8_t { kValueOk = 0, kValueError = 1, kValueNone = 2 };
enum ValueRecordType : std::uint8_t {
    kValueInt = 0,
    kValueDouble = 1,
    kValueText = 2,
    kValueCell = 3,
    kValueRange = 4,
};

struct ValueRecord {
    unsigned char bytes[24] = {};

    std::uint8_t status() const { return bytes[0]; }
    void setStatus(std::uint8_t s) { bytes[0] = s; }
    std::uint8_t type() const { return bytes[1]; }
    void setType(std::uint8_t t) { bytes[1] = t; }

    std::int32_t intValue() const { return get<std::int32_t>(2); }
    void setInt(std::int32_t v) { put(2, v); }
    double doubleValue() const { return get<double>(2); }
    void setDouble(double v) { put(2, v); }
    std::uint32_t handle() const { return get<std::uint32_t>(2); }
    void setHandle(std::uint32_t h) { put(2, h); }
    std::int32_t column() const { return get<std::int32_t>(4); }
    std::int32_t row() const { return get<std::int32_t>(8); }
    std::int32_t lastColumn() const { return get<std::int32_t>(12); }
    std::int32_t lastRow() const { return get<std::int32_t>(16); }
    void setCell(std::int32_t col, std::int32_t r) {
        put(4, col);
        put(8, r);
    }
    void setRange(std::int32_t col0, std::int32_t row0, std::int32_t col1, std::int32_t row1) {
        setCell(col0, row0);
        put(12, col1);
        put(16, row1);
    }

private:
    template <typename T> T get(int offset) const {
        T v;
        std::memcpy(&v, bytes + offset, sizeof v);
        return v;
    }
    template <typename T> void put(int offset, T v) { std::memcpy(bytes + offset, &v, sizeof v); }
};

static_assert(sizeof(ValueRecord) == 24, "a value record is 24 bytes");

/// A custom function's handler: (result, arguments, argument count) -> 1 when
/// it set a result. A text argument's memory block belongs to the handler,
/// which frees it; a text result is a new block that the grid frees.
using CustomFunctionHandler = std::function<int(ValueRecord* result, ValueRecord* args, int count)>;

/// Flags of a custom function: how reference arguments reach the handler.
enum CustomFunctionFlags : unsigned {
    /// Values: a cell reference arrives as the cell's value (an empty cell as
    /// status 2, an error as status 1), a range as status 1.
    kCustomValues = 0,
    /// References: a cell reference arrives as type 3 (column, row), a range
    /// as type 4; every other argument as a value.
    kCustomReferences = 1,
};

} // namespace vtx::sheet
