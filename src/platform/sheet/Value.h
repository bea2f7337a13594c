#pragma once

/// A cell value: empty, number, text, boolean or error, as a tagged variant.

#include "platform/sheet/FormulaError.h"

#include <string>
#include <string_view>

namespace vtx::sheet {

enum class ValueType : std::uint8_t { Empty, Number, Text, Boolean, Error };

/// A value of the formula language. Accessors state their precondition:
/// number() for Number and Boolean (1 or 0), text() for Text, error() for
/// Error.
class Value {
public:
    Value() = default;
    static Value number(double n) {
        Value v;
        v.m_type = ValueType::Number;
        v.m_number = n;
        return v;
    }
    static Value boolean(bool b) {
        Value v;
        v.m_type = ValueType::Boolean;
        v.m_number = b ? 1.0 : 0.0;
        return v;
    }
    static Value text(std::string t) {
        Value v;
        v.m_type = ValueType::Text;
        v.m_text = std::move(t);
        return v;
    }
    static Value error(FormulaError e) {
        Value v;
        v.m_type = ValueType::Error;
        v.m_error = e;
        return v;
    }

    /// Makes this value the text t, in the memory its text has already.
    void assignText(std::string_view t) {
        m_type = ValueType::Text;
        m_text.assign(t);
    }

    ValueType type() const { return m_type; }
    bool isEmpty() const { return m_type == ValueType::Empty; }
    bool isNumber() const { return m_type == ValueType::Number; }
    bool isText() const { return m_type == ValueType::Text; }
    bool isBoolean() const { return m_type == ValueType::Boolean; }
    bool isError() const { return m_type == ValueType::Error; }

    double asNumber() const { return m_number; }
    bool asBoolean() const { return m_number != 0.0; }
    const std::string& asText() const { return m_text; }
    FormulaError asError() const { return m_error; }

    bool operator==(const Value& other) const {
        if (m_type != other.m_type)
            return false;
        switch (m_type) {
        case ValueType::Empty:
            return true;
        case ValueType::Number:
        case ValueType::Boolean:
            return m_number == other.m_number;
        case ValueType::Text:
            return m_text == other.m_text;
        case ValueType::Error:
            return m_error == other.m_error;
        }
        return false;
    }

    /// The text a user sees in general format: numbers with up to 15
    /// significant digits, "TRUE"/"FALSE", the error text, "" when empty.
    std::string toText() const;

private:
    ValueType m_type = ValueType::Empty;
    FormulaError m_error = FormulaError::None;
    double m_number = 0.0;
    std::string m_text;
};

/// The longest text a formula may give, in bytes; a longer text result of
/// an operator or a function is #VALUE!.
constexpr std::size_t kMaxTextLength = 32767;

/// A number in general format: 15 significant digits, no needless zeros,
/// exponent form below 1e-9 and from 1e15 ("1E+15").
std::string formatGeneral(double n);
/// Appends formatGeneral(n) to out.
void appendGeneral(std::string& out, double n);
/// A number with a fixed count of decimals (0..15), rounded half away from zero.
std::string formatFixed(double n, int decimals);
/// The shortest text that reads back to exactly n.
std::string formatShortest(double n);
/// Reads a whole text (blanks around allowed) as a plain decimal number:
/// "12.5", "-3", "+4e2", ".5"; "1,5" or "50%" is not a number. False for
/// anything else. Data typed into a cell, file readers and formula literals
/// read numbers this way; formulas converting a text use textToNumber
/// (functions/NumberText.h), which reads more forms.
bool parseNumber(std::string_view text, double& out);

/// n rounded to 15 significant digits (0, infinities and NaN unchanged): the
/// precision in which the formula language compares numbers.
double significant15(double n);
/// Compares two numbers the way the comparison operators and exact look-ups
/// do: equal when they agree to 15 significant digits (0.1+0.2 equals 0.3),
/// else by their order. Returns -1, 0 or 1.
int compareNumbers(double a, double b);
inline bool numbersEqual(double a, double b) {
    return a == b || compareNumbers(a, b) == 0;
}

/// What readLeadingNumber found at the start of a text.
enum class LeadingNumber : std::uint8_t {
    None,       ///< no number: "", "abc", "nan", "inf", "-"
    Number,     ///< a number (out holds it)
    OutOfRange, ///< a number beyond the range of a double ("1e400")
};
/// Reads the number a text starts with, always in the C locale: leading
/// blanks, an optional sign, digits (in groups of three after commas, as
/// number cells show them: "1,234.5"), an optional fraction and exponent.
/// The rest of the text is ignored ("12 mm" and "13%" read 12 and 13; "0x1A"
/// reads 0). A number too small for a double reads 0. `out` is 0 unless a
/// number was read.
LeadingNumber readLeadingNumber(std::string_view text, double& out);

/// The whole number a text starts with: readLeadingNumber's number truncated
/// toward zero; 0 for a text that does not start with a number. False, with
/// 0, when the number lies outside the int range.
bool readLeadingInt(std::string_view text, int& out);

/// A number as a whole number for counts and positions: truncated toward
/// zero and clamped to -INT_MAX..INT_MAX (NaN gives 0), so that any number,
/// however large, gives a defined result.
int clampToInt(double n);

} // namespace vtx::sheet
