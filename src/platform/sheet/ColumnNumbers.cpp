#include "platform/sheet/ColumnNumbers.h"

#include "platform/sheet/CellStore.h"

#include <bit>
#include <cmath>
#include <limits>

namespace vtx::sheet {

bool ColumnNumbers::ready(const ColumnStore& column, std::uint64_t version, int row0, int row1) {
    if (m_copied && m_version == version)
        return true;
    if (m_seenVersion != version) {
        m_seenVersion = version;
        m_rowsWalked = 0;
    }
    // A walk costs the rows it covers that the column has (a whole column
    // "A:A" costs no more than the column's blocks); a copy all of them.
    const int span = column.rowSpan();
    const int last = std::min(row1, span - 1);
    if (last >= row0)
        m_rowsWalked += static_cast<std::uint64_t>(last - row0 + 1);
    if (m_rowsWalked < static_cast<std::uint64_t>(span))
        return false;
    copy(column, version);
    return true;
}

namespace {

// The exponent of the lowest digit of n: n is a whole multiple of 2^grain.
// Large for 0, which is a multiple of anything. Read from the bits of the
// double: its exponent, and the trailing zeros of its digits.
int grainOf(double n) {
    const auto bits = std::bit_cast<std::uint64_t>(n);
    const auto exponent = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t digits = bits & ((std::uint64_t{1} << 52) - 1);
    if (exponent != 0)
        digits |= std::uint64_t{1} << 52; // the leading 1 of a normal number
    if (digits == 0)
        return std::numeric_limits<int>::max(); // 0 (or -0)
    return std::max(exponent, 1) - 1075 + std::countr_zero(digits);
}

} // namespace

void ColumnNumbers::copy(const ColumnStore& column, std::uint64_t version) {
    m_rows.clear();
    m_numbers.clear();
    m_errorRows.clear();
    m_errors.clear();
    column.forEach(0, column.rowSpan() - 1, [&](int row, const Cell& c) {
        if (c.value.isNumber()) {
            m_rows.push_back(row);
            m_numbers.push_back(c.value.asNumber());
        } else if (c.value.isError()) {
            m_errorRows.push_back(row);
            m_errors.push_back(c.value.asError());
        }
    });
    // The sizes only grow as they are added, so if their total stays below
    // the bound, every step on the way was exact too. A bound beyond the
    // doubles (numbers near their largest) allows no exact sums: totals
    // could overflow in one order and not in another.
    m_grain = std::numeric_limits<int>::max();
    m_sizes = 0;
    for (double n : m_numbers) {
        m_grain = std::min(m_grain, grainOf(n));
        m_sizes += std::fabs(n);
    }
    m_bound = m_numbers.empty() || m_grain > 1023 - 53 ? 0 : std::ldexp(1.0, 53 + m_grain);
    m_totals.clear();
    if (m_sizes < m_bound) {
        m_totals.reserve(m_numbers.size() + 1);
        double total = 0;
        m_totals.push_back(total);
        for (double n : m_numbers)
            m_totals.push_back(total += n);
    }
    m_copied = true;
    m_version = version;
}

bool ColumnNumbers::exactSum(int row0, int row1, double start, double& sum) const {
    // start must be a multiple of 2^grain too, and keep every sum in bounds.
    // (Not -0: -0 + 0 would be +0, where adding nothing leaves -0.)
    if (m_totals.empty() || (start == 0 && std::signbit(start)) || grainOf(start) < m_grain ||
        std::fabs(start) + m_sizes >= m_bound)
        return false;
    auto e = std::lower_bound(m_errorRows.begin(), m_errorRows.end(), row0);
    if (e != m_errorRows.end() && *e <= row1)
        return false; // the walk tells which error comes first
    auto from = std::lower_bound(m_rows.begin(), m_rows.end(), row0);
    auto to = std::upper_bound(from, m_rows.end(), row1);
    sum = start + (m_totals[static_cast<std::size_t>(to - m_rows.begin())] -
                   m_totals[static_cast<std::size_t>(from - m_rows.begin())]);
    return true;
}

} // namespace vtx::sheet
