#pragma once

/// The numbers and error values of one column in row order, copied from its
/// cells. SUM and its kin over long stretches of a column (SUM(A1:A1000) in
/// a thousand rows) read them from here instead of walking a hundred-byte
/// cell per row.
///
/// A copy is only made once walks over the column's current values have
/// covered as many rows as the column has: a column that keeps changing
/// between the sums over it is walked as before, and copying never costs
/// more than the walks it replaces.
///
/// When every sum of the column's numbers is exact (all numbers are whole
/// multiples of one power of two, 2^g, and their sizes add up to less than
/// 2^(53+g), so no sum needs more digits than a double has), adding them in
/// any order gives the same number. The copy then keeps running totals, and
/// the sum of a stretch is the difference of two of them: the same number
/// as adding its numbers one by one, in far less time.

#include "platform/sheet/FormulaError.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vtx::sheet {

class ColumnStore;

class ColumnNumbers {
public:
    /// Stretches shorter than this are walked: a copy gains nothing there.
    static constexpr int kMinRows = 32;

    /// Whether the copy can answer for a stretch of rows of a column whose
    /// values have version `version` (CellStore::version): true when the
    /// copy is up to date, or has just been made because walks have paid
    /// for it; false when the stretch should be walked.
    bool ready(const ColumnStore& column, std::uint64_t version, int row0, int row1);

    /// Calls fn(number) for the numbers of rows row0..row1 in row order, up
    /// to the first error value, which it returns (None when there is none).
    /// Only after ready() said yes.
    template <typename Fn> FormulaError forEachNumber(int row0, int row1, Fn&& fn) const;

    /// True when the copy is made for the column's values of `version`.
    bool current(std::uint64_t version) const { return m_copied && m_version == version; }
    /// start plus the numbers of rows row0..row1 added one by one in row
    /// order, told from the running totals; false (sum untouched) where
    /// that could differ: sums that are not exact, or an error value in the
    /// stretch. Only when current().
    bool exactSum(int row0, int row1, double start, double& sum) const;

private:
    void copy(const ColumnStore& column, std::uint64_t version);

    std::vector<int> m_rows; ///< rows holding numbers, ascending
    std::vector<double> m_numbers;
    std::vector<int> m_errorRows; ///< rows holding error values, ascending
    std::vector<FormulaError> m_errors;
    std::vector<double> m_totals; ///< m_totals[k]: the first k numbers added
    int m_grain = 0;              ///< every number is a multiple of 2^m_grain
    double m_sizes = 0;           ///< the numbers' sizes added
    double m_bound = 0;           ///< 2^(53 + m_grain): sums below it are exact
    bool m_copied = false;
    std::uint64_t m_version = 0; ///< the column's version when copied
    /// Rows walked since the column's version was last seen to change.
    std::uint64_t m_seenVersion = 0;
    std::uint64_t m_rowsWalked = 0;
};

// ---- template implementation ----

template <typename Fn>
FormulaError ColumnNumbers::forEachNumber(int row0, int row1, Fn&& fn) const {
    FormulaError error = FormulaError::None;
    int last = row1;
    auto e = std::lower_bound(m_errorRows.begin(), m_errorRows.end(), row0);
    if (e != m_errorRows.end() && *e <= row1) {
        error = m_errors[static_cast<std::size_t>(e - m_errorRows.begin())];
        last = *e - 1; // the numbers before the error count, as in a walk
    }
    auto from = std::lower_bound(m_rows.begin(), m_rows.end(), row0);
    auto to = std::upper_bound(from, m_rows.end(), last);
    const double* numbers = m_numbers.data();
    auto i = static_cast<std::size_t>(from - m_rows.begin());
    const auto end = static_cast<std::size_t>(to - m_rows.begin());
    // Four at a time, still in order: the loop's own work is shared by
    // four numbers (a stretch holds hundreds).
    for (; i + 4 <= end; i += 4) {
        fn(numbers[i]);
        fn(numbers[i + 1]);
        fn(numbers[i + 2]);
        fn(numbers[i + 3]);
    }
    for (; i < end; ++i)
        fn(numbers[i]);
    return error;
}

} // namespace vtx::sheet
