#include "platform/sheet/Value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vtx::sheet {

std::string Value::toText() const {
    switch (m_type) {
    case ValueType::Empty:
        return {};
    case ValueType::Number:
        return formatGeneral(m_number);
    case ValueType::Text:
        return m_text;
    case ValueType::Boolean:
        return m_number != 0.0 ? "TRUE" : "FALSE";
    case ValueType::Error:
        return std::string(errorText(m_error));
    }
    return {};
}

void appendGeneral(std::string& out, double n) {
    if (n == 0.0) {
        out += '0';
        return;
    }
    if (!std::isfinite(n)) {
        out += "#NUM!";
        return;
    }
    // Whole numbers are common; write them without going through printf.
    if (std::fabs(n) < 1e15 && n == std::trunc(n)) {
        char buffer[32];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(n));
        out.append(buffer, result.ptr);
        return;
    }
    char buffer[40];
    double magnitude = std::fabs(n);
    if (magnitude >= 1e-9 && magnitude < 1e15) {
        int len = std::snprintf(buffer, sizeof buffer, "%.15g", n);
        // %.15g may still choose exponent form for small numbers; expand those.
        if (std::string_view(buffer, static_cast<std::size_t>(len)).find('e') ==
            std::string_view::npos) {
            out.append(buffer, static_cast<std::size_t>(len));
            return;
        }
        int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
        int decimals = std::min(15 - 1 - exponent, 30);
        len = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, n);
        std::string text(buffer, static_cast<std::size_t>(len));
        while (!text.empty() && text.back() == '0')
            text.pop_back();
        if (!text.empty() && text.back() == '.')
            text.pop_back();
        out += text;
        return;
    }
    int len = std::snprintf(buffer, sizeof buffer, "%.14E", n);
    std::string text(buffer, static_cast<std::size_t>(len));
    auto e = text.find('E');
    std::string mantissa = text.substr(0, e);
    std::string exponent = text.substr(e + 1);
    while (!mantissa.empty() && mantissa.back() == '0')
        mantissa.pop_back();
    if (!mantissa.empty() && mantissa.back() == '.')
        mantissa.pop_back();
    // "E+015" style exponents are shown without leading zeros: "E+15".
    char sign = exponent[0];
    std::size_t first = exponent.find_first_not_of('0', 1);
    out += mantissa;
    out += 'E';
    out += sign;
    out += first == std::string::npos ? "0" : exponent.substr(first);
}

std::string formatGeneral(double n) {
    std::string out;
    appendGeneral(out, n);
    return out;
}

std::string formatFixed(double n, int decimals) {
    decimals = std::clamp(decimals, 0, 15);
    if (!std::isfinite(n))
        return "#NUM!";
    // Round half away from zero on the shortest decimal text of n, not on its
    // binary value, so 2.675 with 2 decimals gives 2.68 as a user expects.
    char buffer[400];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(n), std::chars_format::fixed);
    std::string digits(buffer, result.ptr);
    std::size_t dot = digits.find('.');
    std::string intPart = dot == std::string::npos ? digits : digits.substr(0, dot);
    std::string fracPart = dot == std::string::npos ? std::string() : digits.substr(dot + 1);
    bool roundUp = static_cast<int>(fracPart.size()) > decimals &&
                   fracPart[static_cast<std::size_t>(decimals)] >= '5';
    fracPart.resize(static_cast<std::size_t>(decimals), '0');
    std::string all = intPart + fracPart;
    if (roundUp) {
        int i = static_cast<int>(all.size()) - 1;
        for (; i >= 0; --i) {
            char& c = all[static_cast<std::size_t>(i)];
            if (c == '9') {
                c = '0';
            } else {
                ++c;
                break;
            }
        }
        if (i < 0)
            all.insert(all.begin(), '1');
    }
    std::size_t intLen = all.size() - static_cast<std::size_t>(decimals);
    std::string text = all.substr(0, intLen);
    if (decimals > 0) {
        text += '.';
        text += all.substr(intLen);
    }
    bool zero = text.find_first_not_of("0.") == std::string::npos;
    return (n < 0 && !zero) ? "-" + text : text;
}

std::string formatShortest(double n) {
    char buffer[40];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, n);
    return std::string(buffer, result.ptr);
}

double significant15(double n) {
    if (n == 0.0 || !std::isfinite(n))
        return n;
    int exponent = static_cast<int>(std::floor(std::log10(std::fabs(n))));
    // Scale so that 15 significant digits lie before the decimal point; the
    // scale is split in two steps where one power of ten would overflow.
    int decimals = 14 - exponent;
    if (decimals > 300) {
        double scaled = n * 1e300 * std::pow(10.0, decimals - 300);
        return std::round(scaled) / std::pow(10.0, decimals - 300) / 1e300;
    }
    if (decimals >= 0) {
        double scale = std::pow(10.0, decimals);
        return std::round(n * scale) / scale;
    }
    double scale = std::pow(10.0, -decimals);
    return std::round(n / scale) * scale;
}

int compareNumbers(double a, double b) {
    if (a == b)
        return 0;
    // Values that round to the same 15 digits differ by less than one unit of
    // the 15th digit, which is at most 1e-14 of the larger magnitude: anything
    // further apart is ordered without rounding.
    double limit = std::max(std::fabs(a), std::fabs(b)) * 1e-14;
    if (!(std::fabs(a - b) <= limit))
        return a < b ? -1 : 1;
    double x = significant15(a);
    double y = significant15(b);
    if (x == y)
        return 0;
    return x < y ? -1 : 1;
}

bool parseNumber(std::string_view text, double& out) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    if (begin == end)
        return false;
    if (text[begin] == '+')
        ++begin;
    if (begin == end)
        return false;
    // from_chars accepts "inf", "nan" and hex with a format flag; allow only
    // plain decimal forms.
    char first = text[begin];
    if (first != '-' && first != '.' && (first < '0' || first > '9'))
        return false;
    if (first == '-' && begin + 1 < end) {
        char second = text[begin + 1];
        if (second != '.' && (second < '0' || second > '9'))
            return false;
    }
    double value = 0;
    auto result =
        std::from_chars(text.data() + begin, text.data() + end, value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != text.data() + end)
        return false;
    out = value;
    return true;
}

LeadingNumber readLeadingNumber(std::string_view text, double& out) {
    out = 0;
    auto digit = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::string number; // sign, digits without separators, point, exponent
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        number += text[i++];
    int intDigits = 0;
    int leadingZeros = 0; // zeros before the mantissa's first other digit
    bool nonZero = false;
    auto append = [&](char c) {
        number += c;
        if (c != '0')
            nonZero = true;
        else if (!nonZero)
            ++leadingZeros;
    };
    while (digit(i)) {
        append(text[i++]);
        ++intDigits;
    }
    // Thousands separators: after a first group of one to three digits, a
    // comma and exactly three digits, as often as they come.
    if (intDigits >= 1 && intDigits <= 3) {
        while (i < text.size() && text[i] == ',' && digit(i + 1) && digit(i + 2) && digit(i + 3) &&
               !digit(i + 4)) {
            for (std::size_t k = i + 1; k <= i + 3; ++k)
                append(text[k]);
            intDigits += 3;
            i += 4;
        }
    }
    int fracDigits = 0;
    if (i < text.size() && text[i] == '.' && digit(i + 1)) {
        number += text[i++];
        while (digit(i)) {
            append(text[i++]);
            ++fracDigits;
        }
    }
    if (intDigits == 0 && fracDigits == 0)
        return LeadingNumber::None;
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t e = i + 1;
        const bool negative = e < text.size() && text[e] == '-';
        if (e < text.size() && (text[e] == '+' || text[e] == '-'))
            ++e;
        if (digit(e)) {
            number += negative ? "e-" : "e";
            for (; digit(e); ++e) {
                number += text[e];
                exponent = std::min<long long>(exponent * 10 + (text[e] - '0'), 1000000000);
            }
            if (negative)
                exponent = -exponent;
        }
    }
    const char* first = number.data() + (number[0] == '+' ? 1 : 0);
    double value = 0;
    auto r =
        std::from_chars(first, number.data() + number.size(), value, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // The power of ten of the first digit that is not zero tells too
        // large from too small (which reads 0).
        const long long lead = static_cast<long long>(intDigits) - leadingZeros - 1 + exponent;
        return nonZero && lead > 0 ? LeadingNumber::OutOfRange : LeadingNumber::Number;
    }
    if (r.ec != std::errc())
        return LeadingNumber::None;
    out = value;
    return LeadingNumber::Number;
}

bool readLeadingInt(std::string_view text, int& out) {
    double number = 0;
    out = 0;
    if (readLeadingNumber(text, number) == LeadingNumber::OutOfRange)
        return false;
    number = std::trunc(number);
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        return false;
    out = static_cast<int>(number);
    return true;
}

int clampToInt(double n) {
    constexpr double kLimit = std::numeric_limits<int>::max();
    if (std::isnan(n))
        return 0;
    n = std::trunc(n);
    if (n >= kLimit)
        return std::numeric_limits<int>::max();
    if (n <= -kLimit)
        return -std::numeric_limits<int>::max();
    return static_cast<int>(n);
}

} // namespace vtx::sheet
