#pragma once

// Helpers shared by the sheet tests: a small grid, CHECK_EVAL, fixture rows.

#include "platform/sheet/SheetModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <span>
#include <string>

#include <unistd.h>

namespace vtx::sheet {

inline void PrintTo(const Value& v, std::ostream* os) {
    *os << (v.isText()    ? "\"" + v.toText() + "\""
            : v.isEmpty() ? std::string("<empty>")
                          : v.toText());
}

} // namespace vtx::sheet

namespace vtx::sheet::test {

/// A grid of 20 columns and 50 rows with automatic recalculation on.
inline void sizeGrid(SheetModel& sheet, int cols = 20, int rows = 50) {
    sheet.setMaxCols(cols);
    sheet.setMaxRows(rows);
}

/// The expected value written in a fixture: a number, "text", TRUE/FALSE
/// or an error value.
inline Value expectedValue(const std::string& text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return Value::text(text.substr(1, text.size() - 2));
    if (text == "TRUE" || text == "FALSE")
        return Value::boolean(text == "TRUE");
    if (errorFromText(text) != FormulaError::None)
        return Value::error(errorFromText(text));
    double n = 0;
    if (parseNumber(text, n))
        return Value::number(n);
    return Value::text("<unreadable expectation " + text + ">");
}

/// Equal values, numbers within a relative 1e-12.
inline ::testing::AssertionResult sameValue(const Value& got, const Value& want) {
    if (got.isNumber() && want.isNumber()) {
        double a = got.asNumber();
        double b = want.asNumber();
        if (std::fabs(a - b) <= 1e-12 * std::max(1.0, std::fabs(b)))
            return ::testing::AssertionSuccess();
    } else if (got == want) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "got " << (got.isText() ? "\"" + got.toText() + "\"" : got.toText()) << ", want "
           << (want.isText() ? "\"" + want.toText() + "\"" : want.toText());
}

/// A formula of a shape ("MAX(%1,%2)") with each mark %1, %2, %3 replaced,
/// wherever it stands, by an operand picked at random.
inline std::string filledShape(std::span<const char* const> shapes,
                               std::span<const char* const> operands, std::mt19937& rng) {
    auto pick = [&](std::size_t n) { return rng() % n; };
    std::string text = shapes[pick(shapes.size())];
    for (char n = '1'; n <= '3'; ++n) {
        const std::string mark = {'%', n};
        for (std::size_t at; (at = text.find(mark)) != std::string::npos;)
            text.replace(at, 2, operands[pick(operands.size())]);
    }
    return text;
}

/// Sets a formula into a free cell of the grid and checks its value.
#define CHECK_EVAL(sheet, formula, expected)                                                       \
    do {                                                                                           \
        ::vtx::sheet::ParseError parseError_;                                                      \
        ASSERT_TRUE((sheet).setFormula(20, 50, (formula), true, &parseError_))                     \
            << (formula) << ": " << parseError_.message();                                         \
        EXPECT_TRUE(::vtx::sheet::test::sameValue((sheet).value(20, 50), (expected)))              \
            << (formula);                                                                          \
    } while (0)

/// A fresh folder under the system's temporary folder, removed at the end.
class TempDir {
public:
    TempDir() {
        auto base = std::filesystem::temp_directory_path();
        for (int i = 0;; ++i) {
            m_path =
                base / ("vtx_sheet_test_" + std::to_string(::getpid()) + "_" + std::to_string(i));
            if (std::filesystem::create_directory(m_path))
                break;
        }
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace vtx::sheet::test
