// Text functions. Texts are 8-bit (Windows-1252): lengths and positions count bytes.
#include "platform/core/VtxString.h"
#include "platform/sheet/formula/Interpreter.h"
#include "platform/sheet/functions/FunctionApi.h"
#include "platform/sheet/functions/MathUtil.h"
#include "platform/sheet/functions/TextUtil.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vtx::sheet {

namespace {

using K = ArgKind;

constexpr double kMaxTextLength = 32767;

std::string withThousands(std::string digits) {
    std::string out;
    int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        out += digits[static_cast<std::size_t>(i)];
        int left = n - i - 1;
        if (left > 0 && left % 3 == 0)
            out += ',';
    }
    return out;
}

// A number with fixed decimals and optional thousands separators.
std::string fixedText(double x, int decimals, bool thousands, int minIntDigits = 1) {
    std::string s = formatFixed(std::fabs(roundHalfAway(x, decimals)), std::max(decimals, 0));
    std::string intPart = s.substr(0, s.find('.'));
    std::string frac = s.find('.') == std::string::npos ? "" : s.substr(s.find('.'));
    if (intPart == "0" && minIntDigits == 0)
        intPart.clear();
    if (static_cast<int>(intPart.size()) < minIntDigits) {
        std::string padded(static_cast<std::size_t>(minIntDigits) - intPart.size(), '0');
        padded += intPart;
        intPart = std::move(padded);
    }
    if (thousands)
        intPart = withThousands(intPart);
    bool negative = x < 0 && s.find_first_not_of("0.") != std::string::npos;
    return (negative ? "-" : "") + intPart + frac;
}

// TEXT's format codes: "General", "@", digits "0" and "#", ".", ",", "%",
// "E+00" and literal text (quoted or plain) around the number.
std::string formatText(double x, std::string_view format) {
    if (compareTextNoCase(format, "General") == 0 || format.empty())
        return formatGeneral(x);
    std::string prefix;
    std::string suffix;
    std::string pattern;
    bool inNumber = false;
    bool done = false;
    bool percent = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        char ch = format[i];
        if (ch == '"') {
            std::size_t close = format.find('"', i + 1);
            std::string lit(format.substr(
                i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1));
            (inNumber || done ? suffix : prefix) += lit;
            if (inNumber) {
                inNumber = false;
                done = true;
            }
            i = close == std::string_view::npos ? format.size() : close;
            continue;
        }
        bool numeric = ch == '0' || ch == '#' || ch == '.' || ch == ',' ||
                       ((ch == 'E' || ch == 'e') && inNumber);
        if (inNumber && (ch == '+' || ch == '-') && !pattern.empty() &&
            (pattern.back() == 'E' || pattern.back() == 'e'))
            numeric = true;
        if (numeric && !done) {
            inNumber = true;
            pattern += ch;
            continue;
        }
        if (ch == '%')
            percent = true;
        if (inNumber) {
            inNumber = false;
            done = true;
        }
        if (ch == '\\' && i + 1 < format.size())
            ch = format[++i];
        (done ? suffix : prefix) += ch;
    }
    if (pattern.empty())
        return prefix + suffix;
    if (percent)
        x *= 100;
    std::size_t e = pattern.find_first_of("Ee");
    std::string mantissa = pattern.substr(0, e);
    std::size_t dot = mantissa.find('.');
    std::string intPat = mantissa.substr(0, dot);
    std::string fracPat = dot == std::string::npos ? "" : mantissa.substr(dot + 1);
    int decimals = static_cast<int>(fracPat.size());
    bool thousands = intPat.find(',') != std::string::npos;
    int minInt = 0;
    for (char ch : intPat)
        minInt += ch == '0';
    std::string body;
    if (e != std::string::npos) {
        int expDigits = std::clamp(static_cast<int>(pattern.size() - e) - 2, 1, 3);
        int exponent = x == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(x))));
        double m = x / std::pow(10.0, exponent);
        if (std::fabs(roundHalfAway(m, decimals)) >= 10) {
            ++exponent;
            m /= 10;
        }
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%0*d", expDigits, std::abs(exponent) % 1000);
        body = fixedText(m, decimals, false, std::max(minInt, 1)) + "E" +
               (exponent < 0 ? "-" : "+") + buffer;
    } else {
        body = fixedText(x, decimals, thousands, minInt);
        // "#" decimals drop trailing zeros.
        for (std::size_t i = fracPat.size(); i-- > 0 && fracPat[i] == '#';) {
            if (!body.empty() && body.back() == '0')
                body.pop_back();
            else
                break;
        }
        if (!body.empty() && body.back() == '.')
            body.pop_back();
    }
    return prefix + body + suffix;
}

void substitute(FunctionCall& c) {
    const std::string& text = c.text(0);
    const std::string& from = c.text(1);
    const std::string& to = c.text(2);
    if (from.empty()) {
        c.setText(text);
        return;
    }
    int which = c.has(3) ? clampToInt(c.num(3)) : 0;
    if (c.has(3) && which < 1) {
        c.setError(FormulaError::Value);
        return;
    }
    std::string out;
    std::size_t pos = 0;
    int n = 0;
    while (true) {
        std::size_t hit = text.find(from, pos);
        if (hit == std::string::npos)
            break;
        ++n;
        out.append(text, pos, hit - pos);
        out += (which == 0 || which == n) ? to : from;
        pos = hit + from.size();
    }
    out.append(text, pos, std::string::npos);
    c.setText(std::move(out));
}

} // namespace

void addTextFunctions(std::vector<FunctionInfo>& t) {
    t.push_back({"LEN", 1, 1, {K::Text}, [](FunctionCall& c) {
                     c.setNumber(static_cast<double>(c.text(0).size()));
                 }});
    t.push_back({"LEFT", 1, 2, {K::Text, K::Number}, [](FunctionCall& c) {
                     double n = c.numOr(1, 1);
                     if (n < 0)
                         c.setError(FormulaError::Value);
                     else
                         c.setText(c.text(0).substr(
                             0, static_cast<std::size_t>(std::min(n, kMaxTextLength))));
                 }});
    t.push_back({"RIGHT", 1, 2, {K::Text, K::Number}, [](FunctionCall& c) {
                     double n = c.numOr(1, 1);
                     const std::string& s = c.text(0);
                     if (n < 0) {
                         c.setError(FormulaError::Value);
                         return;
                     }
                     std::size_t k =
                         std::min(s.size(), static_cast<std::size_t>(std::min(n, kMaxTextLength)));
                     c.setText(s.substr(s.size() - k));
                 }});
    t.push_back({"MID", 3, 3, {K::Text, K::Number}, [](FunctionCall& c) {
                     double start = c.num(1);
                     double n = c.num(2);
                     if (start < 1 || n < 0) {
                         c.setError(FormulaError::Value);
                         return;
                     }
                     const std::string& s = c.text(0);
                     auto from = static_cast<std::size_t>(std::min(start - 1, kMaxTextLength));
                     if (from >= s.size())
                         c.setText({});
                     else
                         c.setText(
                             s.substr(from, static_cast<std::size_t>(std::min(n, kMaxTextLength))));
                 }});
    t.push_back({"FIND", 2, 3, {K::Text, K::Text, K::Number}, [](FunctionCall& c) {
                     double start = c.numOr(2, 1);
                     const std::string& s = c.text(1);
                     if (start < 1 || start > static_cast<double>(s.size()) + 1) {
                         c.setError(FormulaError::Value);
                         return;
                     }
                     std::size_t hit = s.find(c.text(0), static_cast<std::size_t>(start - 1));
                     if (hit == std::string::npos)
                         c.setError(FormulaError::Value);
                     else
                         c.setNumber(static_cast<double>(hit + 1));
                 }});
    t.push_back({"SEARCH", 2, 3, {K::Text, K::Text, K::Number}, [](FunctionCall& c) {
                     double start = c.numOr(2, 1);
                     const std::string& s = c.text(1);
                     if (start < 1 || start > static_cast<double>(s.size()) + 1) {
                         c.setError(FormulaError::Value);
                         return;
                     }
                     std::size_t length = 0;
                     std::size_t hit =
                         wildcardFind(c.text(0), s, static_cast<std::size_t>(start - 1), length);
                     if (hit == std::string::npos)
                         c.setError(FormulaError::Value);
                     else
                         c.setNumber(static_cast<double>(hit + 1));
                 }});
    t.push_back({"SUBSTITUTE", 3, 4, {K::Text, K::Text, K::Text, K::Number}, substitute});
    t.push_back({"REPLACE", 4, 4, {K::Text, K::Number, K::Number, K::Text}, [](FunctionCall& c) {
                     double start = c.num(1);
                     double n = c.num(2);
                     if (start < 1 || n < 0) {
                         c.setError(FormulaError::Value);
                         return;
                     }
                     std::string s = c.text(0);
                     auto from = std::min(
                         s.size(), static_cast<std::size_t>(std::min(start - 1, kMaxTextLength)));
                     auto count = static_cast<std::size_t>(std::min(n, kMaxTextLength));
                     s.replace(from, count, c.text(3));
                     c.setText(std::move(s));
                 }});
    t.push_back(
        {"UPPER", 1, 1, {K::Text}, [](FunctionCall& c) { c.setText(upperText(c.text(0))); }});
    t.push_back({"LOWER", 1, 1, {K::Text}, [](FunctionCall& c) {
                     std::string s = c.text(0);
                     for (char& ch : s)
                         ch = vtxToLower(ch);
                     c.setText(std::move(s));
                 }});
    t.push_back({"PROPER", 1, 1, {K::Text}, [](FunctionCall& c) {
                     std::string s = c.text(0);
                     bool start = true;
                     for (char& ch : s) {
                         char up = vtxToUpper(ch);
                         char low = vtxToLower(ch);
                         bool letter = up != low;
                         ch = letter ? (start ? up : low) : ch;
                         start = !letter;
                     }
                     c.setText(std::move(s));
                 }});
    t.push_back({"TRIM", 1, 1, {K::Text}, [](FunctionCall& c) {
                     std::string out;
                     for (char ch : c.text(0)) {
                         if (ch == ' ' && (out.empty() || out.back() == ' '))
                             continue;
                         out += ch;
                     }
                     if (!out.empty() && out.back() == ' ')
                         out.pop_back();
                     c.setText(std::move(out));
                 }});
    t.push_back({"CLEAN", 1, 1, {K::Text}, [](FunctionCall& c) {
                     std::string out;
                     for (char ch : c.text(0))
                         if (static_cast<unsigned char>(ch) >= 32)
                             out += ch;
                     c.setText(std::move(out));
                 }});
    t.push_back({"CONCATENATE", 1, 255, {K::Text}, [](FunctionCall& c) {
                     std::size_t n = 0;
                     for (int i = 0; i < c.argc; ++i)
                         n += c.text(i).size();
                     std::string out;
                     out.reserve(n);
                     for (int i = 0; i < c.argc; ++i)
                         out += c.text(i);
                     c.setText(std::move(out));
                 }});
    t.push_back({"CONCAT", 1, 255, {K::Any}, [](FunctionCall& c) {
                     std::string out;
                     for (int i = 0; i < c.argc; ++i) {
                         const Operand& a = c.args[i];
                         if (a.kind == OperandKind::Error) {
                             c.setError(a.error);
                             return;
                         }
                         if (a.isReference()) {
                             FormulaError e = FormulaError::None;
                             c.cells.forEach(a.range, [&](int, int, const Cell& cell) {
                                 if (cell.value.isError())
                                     e = cell.value.asError();
                                 out += toText(cell.value);
                             });
                             if (e != FormulaError::None) {
                                 c.setError(e);
                                 return;
                             }
                         } else {
                             out += toText(operandValue(a, c.cells));
                         }
                     }
                     c.setText(std::move(out));
                 }});
    t.push_back({"VALUE", 1, 1, {K::Text}, [](FunctionCall& c) {
                     double n = 0;
                     std::string s = c.text(0);
                     bool percent = !s.empty() && s.back() == '%';
                     if (percent)
                         s.pop_back();
                     if (parseNumber(s, n))
                         c.setNumber(percent ? n / 100 : n);
                     else
                         c.setError(FormulaError::Value);
                 }});
    t.push_back({"TEXT", 2, 2, {K::Scalar, K::Text}, [](FunctionCall& c) {
                     const Operand& a = c.args[0];
                     if (a.kind == OperandKind::Error) {
                         c.setError(a.error);
                         return;
                     }
                     double n = 0;
                     if (a.kind == OperandKind::Number || a.kind == OperandKind::Boolean)
                         n = a.number;
                     else if (a.kind == OperandKind::Text && !parseNumber(a.text, n)) {
                         c.setText(a.text);
                         return;
                     }
                     c.setText(formatText(n, c.text(1)));
                 }});
    t.push_back({"FIXED", 1, 3, {K::Number, K::Number, K::Boolean}, [](FunctionCall& c) {
                     int d = clampToInt(c.numOr(1, 2));
                     bool noCommas = c.has(2) && c.flag(2);
                     if (d < 0)
                         c.setText(fixedText(roundHalfAway(c.num(0), d), 0, !noCommas));
                     else
                         c.setText(fixedText(c.num(0), std::min(d, 15), !noCommas));
                 }});
    t.push_back({"REPT", 2, 2, {K::Text, K::Number}, [](FunctionCall& c) {
                     double n = c.num(1);
                     const std::string& s = c.text(0);
                     if (n < 0 || n * static_cast<double>(s.size()) > kMaxTextLength) {
                         c.setError(FormulaError::Value);
                         return;
                     }
                     std::string out;
                     for (int i = 0; i < clampToInt(n) && !s.empty(); ++i)
                         out += s;
                     c.setText(std::move(out));
                 }});
    t.push_back(
        {"EXACT", 2, 2, {K::Text}, [](FunctionCall& c) { c.setBoolean(c.text(0) == c.text(1)); }});
    t.push_back({"CHAR", 1, 1, {K::Number}, [](FunctionCall& c) {
                     double n = std::trunc(c.num(0));
                     if (n < 1 || n > 255)
                         c.setError(FormulaError::Value);
                     else
                         c.setText(
                             std::string(1, static_cast<char>(static_cast<unsigned char>(n))));
                 }});
    t.push_back({"CODE", 1, 1, {K::Text}, [](FunctionCall& c) {
                     if (c.text(0).empty())
                         c.setError(FormulaError::Value);
                     else
                         c.setNumber(static_cast<unsigned char>(c.text(0)[0]));
                 }});
    t.push_back({"T", 1, 1, {K::Scalar}, [](FunctionCall& c) {
                     const Operand& a = c.args[0];
                     if (a.kind == OperandKind::Error)
                         c.setError(a.error);
                     else
                         c.setText(a.kind == OperandKind::Text ? a.text : std::string());
                 }});
}

} // namespace vtx::sheet
