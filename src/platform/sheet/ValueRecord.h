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

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

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

/// Which reference arguments of a custom function name cells of another table
/// (an address the handler reads elsewhere, or a cell it writes) rather than
/// cells whose values the function reads in the calling grid. A cell
/// reference written directly as such an argument (parentheses allowed)
/// reaches the handler as usual but is no precedent of the calling formula:
/// the formula does not wait for that cell, is not recalculated when it
/// changes, and may name its own cell without a circular reference. Other
/// arguments stay precedents, however they are written.
///
///     AddressArguments addresses;
///     addresses.add(2, 2).add(3, 2).add(3, 3); // F(file, cell), F(file, cell, target)
class AddressArguments {
public:
    /// Argument `position` (1..64) of a call with `count` arguments is an
    /// address; positions outside 1..count or 1..64 are ignored.
    AddressArguments& add(int count, int position) {
        if (count < 1 || position < 1 || position > count || position > 64)
            return *this;
        if (m_masks.size() <= static_cast<std::size_t>(count))
            m_masks.resize(static_cast<std::size_t>(count) + 1, 0);
        m_masks[static_cast<std::size_t>(count)] |= std::uint64_t{1} << (position - 1);
        return *this;
    }
    bool isAddress(int count, int position) const {
        if (count < 1 || position < 1 || position > 64 ||
            static_cast<std::size_t>(count) >= m_masks.size())
            return false;
        return (m_masks[static_cast<std::size_t>(count)] >> (position - 1)) & 1u;
    }
    bool empty() const {
        for (std::uint64_t m : m_masks)
            if (m)
                return false;
        return true;
    }
    bool operator==(const AddressArguments& o) const {
        const std::size_t n = std::max(m_masks.size(), o.m_masks.size());
        for (std::size_t i = 0; i < n; ++i)
            if ((i < m_masks.size() ? m_masks[i] : 0) != (i < o.m_masks.size() ? o.m_masks[i] : 0))
                return false;
        return true;
    }

private:
    std::vector<std::uint64_t> m_masks; ///< by argument count: bit i = argument i + 1
};

/// Flags of a custom function: how reference arguments reach the handler.
enum CustomFunctionFlags : unsigned {
    /// Values: a cell reference arrives as the cell's value (an empty cell as
    /// status 2, an error as status 1), a range as status 1.
    kCustomValues = 0,
    /// References: a cell reference arrives as type 3 (column, row), a range
    /// as type 4; every other argument as a value.
    kCustomReferences = 1,
    /// No value is the empty text: a result of status 2 from a handler that
    /// returned non-zero gives "" instead of #N/A, so that ISNULL-like tests
    /// and text joins see an empty value rather than an error.
    kCustomNoValueIsEmptyText = 2,
};

} // namespace vtx::sheet
