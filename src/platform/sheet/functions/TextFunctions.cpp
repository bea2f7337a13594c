// Text functions. Texts are 8-bit (Windows-1252): lengths and positions count bytes.
#include "platform/core/VtxString.h"
#include "platform/sheet/formula/Interpreter.h"
#include "platform/sheet/functions/FunctionApi.h"
#include "platform/sheet/functions/MathUtil.h"
#include "platform/sheet/functions/NumberFormat.h"
#include "platform/sheet/functions/TextPieces.h"
#include "platform/sheet/functions/TextUtil.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vtx::sheet {

namespace {

using K = ArgKind;

// kMaxTextLength as a double, to clamp counts given as numbers.
constexpr auto kTextLengthMax = static_cast<double>(kMaxTextLength);

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
std::string fixedText(double x, int decimals, bool thousands) {
    std::string s = formatFixed(std::fabs(roundHalfAway(x, decimals)), std::max(decimals, 0));
    std::string intPart = s.substr(0, s.find('.'));
    std::string frac = s.find('.') == std::string::npos ? "" : s.substr(s.find('.'));
    if (thousands)
        intPart = withThousands(intPart);
    bool negative = x < 0 && s.find_first_not_of("0.") != std::string::npos;
    return (negative ? "-" : "") + intPart + frac;
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
        if (out.size() > kMaxTextLength) {
            c.setError(FormulaError::Value);
            return;
        }
    }
    out.append(text, pos, std::string::npos);
    c.setText(std::move(out));
}

// TEXT(value, format): a truth value stays "TRUE"/"FALSE" and a text that
// reads as no number goes to the format's text section.
void formatFunction(FunctionCall& c) {
    const Operand& a = c.args[0];
    std::string out;
    double n = a.kind == OperandKind::Number ? a.number : 0;
    bool ok = true;
    if (a.kind == OperandKind::Error) {
        c.setError(a.error);
        return;
    }
    if (a.kind == OperandKind::Boolean)
        out = a.number != 0 ? "TRUE" : "FALSE";
    else if (a.kind == OperandKind::Text && !textToNumber(a.text, n))
        ok = formatTextWithCode(a.text, c.text(1), out);
    else
        ok = formatNumberWithCode(n, c.text(1), out);
    if (ok)
        c.setText(std::move(out));
    else
        c.setError(FormulaError::Value);
}

// UPPER, LOWER, PROPER, TRIM, CLEAN: the text changed by one of TextPieces.h.
template <void (*change)(std::string&, std::string_view)> void changedText(FunctionCall& c) {
    std::string out;
    change(out, c.text(0));
    c.setText(std::move(out));
}

} // namespace

void addTextFunctions(std::vector<FunctionInfo>& t) {
    t.push_back({"LEN", 1, 1, {K::Text}, [](FunctionCall& c) {
                     c.setNumber(static_cast<double>(c.text(0).size()));
                 }});
    t.push_back({"LEFT", 1, 2, {K::Text, K::Number}, [](FunctionCall& c) {
                     std::string_view part;
                     if (leftPart(c.text(0), c.numOr(1, 1), part))
                         c.setText(std::string(part));
                     else
                         c.setError(FormulaError::Value);
                 }});
    t.push_back({"RIGHT", 1, 2, {K::Text, K::Number}, [](FunctionCall& c) {
                     std::string_view part;
                     if (rightPart(c.text(0), c.numOr(1, 1), part))
                         c.setText(std::string(part));
                     else
                         c.setError(FormulaError::Value);
                 }});
    t.push_back({"MID", 3, 3, {K::Text, K::Number}, [](FunctionCall& c) {
                     std::string_view part;
                     if (midPart(c.text(0), c.num(1), c.num(2), part))
                         c.setText(std::string(part));
                     else
                         c.setError(FormulaError::Value);
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
                         s.size(), static_cast<std::size_t>(std::min(start - 1, kTextLengthMax)));
                     auto count = static_cast<std::size_t>(std::min(n, kTextLengthMax));
                     s.replace(from, count, c.text(3));
                     c.setText(std::move(s));
                 }});
    t.push_back({"UPPER", 1, 1, {K::Text}, changedText<appendUpper>});
    t.push_back({"LOWER", 1, 1, {K::Text}, changedText<appendLower>});
    t.push_back({"PROPER", 1, 1, {K::Text}, changedText<appendProper>});
    t.push_back({"TRIM", 1, 1, {K::Text}, changedText<appendTrimmed>});
    t.push_back({"CLEAN", 1, 1, {K::Text}, changedText<appendCleaned>});
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
    t.push_back({"CONCAT", 1, 255, {K::Any}, concatFunction});
    t.push_back({"TEXTJOIN", 3, 255, {K::Any, K::Boolean, K::Any}, textJoinFunction});
    t.push_back({"VALUE", 1, 1, {K::Text}, [](FunctionCall& c) {
                     double n = 0;
                     if (textToNumber(c.text(0), n))
                         c.setNumber(n);
                     else
                         c.setError(FormulaError::Value);
                 }});
    t.push_back({"TEXT", 2, 2, {K::Scalar, K::Text}, formatFunction});
    t.push_back({"FIXED", 1, 3, {K::Number, K::Number, K::Boolean}, [](FunctionCall& c) {
                     int d = clampToInt(c.numOr(1, 2));
                     bool noCommas = c.has(2) && c.flag(2);
                     if (d < 0)
                         c.setText(fixedText(roundHalfAway(c.num(0), d), 0, !noCommas));
                     else
                         c.setText(fixedText(c.num(0), std::min(d, 15), !noCommas));
                 }});
    t.push_back({"REPT", 2, 2, {K::Text, K::Number}, [](FunctionCall& c) {
                     std::string out;
                     if (appendRepeated(out, c.text(0), c.num(1)))
                         c.setText(std::move(out));
                     else
                         c.setError(FormulaError::Value);
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
