#include "platform/sheet/functions/NumberFormat.h"

#include "platform/sheet/Value.h"
#include "platform/sheet/functions/FormatCode.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vtx::sheet {

namespace {

using Kind = FormatTokenKind;

/// What a token of a number section does.
enum class Role : std::uint8_t {
    Literal,
    Int,         ///< integer digit placeholder
    Frac,        ///< decimal digit placeholder
    Exp,         ///< exponent digit placeholder
    Numerator,   ///< fraction numerator placeholder
    Denominator, ///< fraction denominator placeholder
    FixedDenominator,
    Point,
    Exponent,
    Slash,
    Percent,
    Hidden, ///< thousands separators and scaling commas: shown elsewhere or not at all
    General,
};

struct Layout {
    std::vector<Role> roles;
    int intSlots = 0;
    int numeratorSlots = 0;
    int expSlots = 0;
    std::string fracPlaceholders;
    std::string denominatorPlaceholders;
    double fixedDenominator = 0;
    bool thousands = false;
    bool engineering = false; ///< "##0.0E+0": exponents in steps of the integer slots
    int scaleCommas = 0;
    int percents = 0;
    bool scientific = false;
    bool fraction = false;
};

bool isDigitToken(const std::vector<FormatToken>& t, std::size_t i) {
    return i < t.size() && t[i].kind == Kind::Digit;
}

bool isLiteralDigit(const FormatToken& t, bool first) {
    return (t.kind == Kind::Literal && t.text.size() == 1 && t.text[0] >= (first ? '1' : '0') &&
            t.text[0] <= '9') ||
           (!first && t.kind == Kind::Digit && t.ch == '0');
}

// Finds the fraction bar: a "/" right after a digit placeholder and before a
// placeholder or a fixed denominator, in a section without decimals.
std::size_t findFractionBar(const std::vector<FormatToken>& t) {
    for (std::size_t i = 1; i + 1 < t.size(); ++i) {
        if (t[i].kind == Kind::Point || t[i].kind == Kind::Exponent)
            return std::string::npos;
        if (t[i].kind == Kind::Slash && isDigitToken(t, i - 1) &&
            (isDigitToken(t, i + 1) || isLiteralDigit(t[i + 1], true)))
            return i;
    }
    return std::string::npos;
}

void markFraction(const std::vector<FormatToken>& t, std::size_t slash, Layout& l) {
    l.fraction = true;
    l.roles[slash] = Role::Slash;
    std::size_t first = slash;
    while (first > 0 && isDigitToken(t, first - 1))
        l.roles[--first] = Role::Numerator;
    l.numeratorSlots = static_cast<int>(slash - first);
    for (std::size_t i = 0; i < first; ++i)
        if (l.roles[i] == Role::Int)
            ++l.intSlots;
    std::size_t i = slash + 1;
    if (isLiteralDigit(t[i], true)) {
        for (; i < t.size() && isLiteralDigit(t[i], false); ++i) {
            l.roles[i] = Role::FixedDenominator;
            l.fixedDenominator = l.fixedDenominator * 10 + (t[i].text[0] - '0');
        }
    } else {
        for (; isDigitToken(t, i); ++i) {
            l.roles[i] = Role::Denominator;
            l.denominatorPlaceholders += t[i].ch;
        }
    }
    // Placeholders after the fraction are shown as written.
    for (; i < t.size(); ++i)
        if (t[i].kind == Kind::Digit)
            l.roles[i] = Role::Literal;
}

// A run of commas between integer placeholders separates thousands; right
// after the last placeholder each comma divides by 1000; elsewhere it is text.
void markCommas(const std::vector<FormatToken>& t, Layout& l) {
    for (std::size_t r = 0; r < t.size(); ++r) {
        if (t[r].kind != Kind::Comma)
            continue;
        std::size_t e = r;
        while (e + 1 < t.size() && t[e + 1].kind == Kind::Comma)
            ++e;
        bool afterDigit = r > 0 && t[r - 1].kind == Kind::Digit;
        bool beforeDigit = isDigitToken(t, e + 1);
        for (std::size_t k = r; k <= e; ++k)
            l.roles[k] = afterDigit ? Role::Hidden : Role::Literal;
        if (afterDigit && beforeDigit)
            l.thousands = l.thousands || l.roles[r - 1] == Role::Int;
        else if (afterDigit)
            l.scaleCommas += static_cast<int>(e - r + 1);
        r = e;
    }
}

Layout analyse(const std::vector<FormatToken>& t) {
    Layout l;
    l.roles.assign(t.size(), Role::Literal);
    Role digitRole = Role::Int;
    bool seenPoint = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        switch (t[i].kind) {
        case Kind::Digit:
            l.roles[i] = digitRole;
            if (digitRole == Role::Int && t[i].ch != '0')
                l.engineering = true;
            if (digitRole == Role::Frac)
                l.fracPlaceholders += t[i].ch;
            l.expSlots += digitRole == Role::Exp;
            break;
        case Kind::Point:
            if (!seenPoint && digitRole == Role::Int) {
                l.roles[i] = Role::Point;
                digitRole = Role::Frac;
                seenPoint = true;
            }
            break;
        case Kind::Exponent:
            if (!l.scientific && i > 0 &&
                (l.roles[i - 1] == Role::Int || l.roles[i - 1] == Role::Frac ||
                 l.roles[i - 1] == Role::Point)) {
                l.roles[i] = Role::Exponent;
                l.scientific = true;
                digitRole = Role::Exp;
            }
            break;
        case Kind::Percent:
            l.roles[i] = Role::Percent;
            ++l.percents;
            break;
        case Kind::General:
        case Kind::At:
            l.roles[i] = Role::General;
            break;
        default:
            break;
        }
    }
    std::size_t slash = l.scientific || seenPoint ? std::string::npos : findFractionBar(t);
    if (slash != std::string::npos) {
        markFraction(t, slash, l);
    } else {
        for (Role r : l.roles)
            l.intSlots += r == Role::Int;
    }
    l.engineering = l.engineering && l.intSlots > 1;
    markCommas(t, l);
    return l;
}

/// The digits of v >= 0 divided by 10^shift and rounded half away from zero
/// to `decimals` decimals, read from its 15 significant digits (the shown
/// value, so 2.675 gives 2.68): the whole part without leading zeros ("" for
/// none) and exactly `decimals` fraction digits.
struct Digits {
    std::string whole;
    std::string fraction;
};

// The 15 significant digits of v > 0 and the power of ten of the first.
int significantDigits(double v, std::string& digits) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", v); // d.dddddddddddddde+XX
    digits.assign(1, buffer[0]);
    digits.append(buffer + 2, 14);
    return std::atoi(buffer + 17);
}

int decimalExponent(double v) {
    std::string digits;
    return significantDigits(v, digits);
}

Digits roundedDigits(double v, int decimals, int shift = 0) {
    Digits d;
    auto n = static_cast<std::size_t>(decimals);
    if (v == 0) {
        d.fraction.assign(n, '0');
        return d;
    }
    std::string digits;
    int point = significantDigits(v, digits) + 1 - shift;
    int keep = point + decimals;
    if (keep < 0) {
        d.fraction.assign(n, '0');
        return d;
    }
    if (keep < 15) {
        bool up = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        int i = keep - 1;
        for (; up && i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i)
            digits[static_cast<std::size_t>(i)] = '0';
        if (up && i >= 0) {
            ++digits[static_cast<std::size_t>(i)];
        } else if (up) {
            digits.insert(0, 1, '1');
            ++point;
        }
    } else {
        digits.resize(static_cast<std::size_t>(keep), '0');
    }
    if (point > 0) {
        d.whole = digits.substr(0, static_cast<std::size_t>(point));
        d.fraction = digits.substr(static_cast<std::size_t>(point));
    } else {
        d.fraction = std::string(static_cast<std::size_t>(-point), '0') + digits;
    }
    return d;
}

std::string wholeText(double n) {
    std::string s = roundedDigits(n, 0).whole;
    return s.empty() ? "0" : s;
}

/// Writes digits into right-aligned placeholders: slot `slot` of `slots`;
/// the first slot also takes every leading digit left over. An empty place
/// shows "0" for 0, a blank for ?, nothing for #.
void putAligned(std::string& out, const std::string& digits, int slot, int slots, char placeholder,
                bool thousands) {
    auto put = [&](int place, char ch) {
        out += ch;
        if (thousands && place > 0 && place % 3 == 0)
            out += ',';
    };
    int len = static_cast<int>(digits.size());
    int place = slots - 1 - slot;
    if (slot == 0)
        for (int q = len - 1; q > place; --q)
            put(q, digits[static_cast<std::size_t>(len - 1 - q)]);
    if (place < len)
        put(place, digits[static_cast<std::size_t>(len - 1 - place)]);
    else if (placeholder == '0')
        put(place, '0');
    else if (placeholder == '?')
        out += ' ';
}

// Literals and percent signs as written; hidden commas not at all.
void appendOther(std::string& out, Role role, const FormatToken& t) {
    if (role != Role::Hidden)
        out += t.text;
}

// The closest fraction to x >= 0 with a denominator up to maxDen, from the
// continued fraction of x and the best semiconvergent at the bound.
void bestFraction(double x, double maxDen, double& num, double& den) {
    double p0 = 0, q0 = 1, p1 = 1, q1 = 0;
    double r = x;
    for (int step = 0; step < 64; ++step) {
        double a = std::floor(r);
        double p2 = a * p1 + p0;
        double q2 = a * q1 + q0;
        if (q2 > maxDen) {
            double t = std::floor((maxDen - q0) / q1);
            double ps = t * p1 + p0;
            double qs = t * q1 + q0;
            bool semi = std::fabs(x - ps / qs) < std::fabs(x - p1 / q1);
            num = semi ? ps : p1;
            den = semi ? qs : q1;
            return;
        }
        p0 = p1;
        q0 = q1;
        p1 = p2;
        q1 = q2;
        if (r - a < 1e-12 || std::fabs(x - p1 / q1) < 1e-15 * std::max(1.0, x))
            break;
        r = 1 / (r - a);
    }
    num = p1;
    den = q1;
}

bool renderFraction(const std::vector<FormatToken>& t, const Layout& l, double v,
                    std::string& out) {
    bool hasWhole = l.intSlots > 0;
    double whole = hasWhole ? std::floor(v) : 0;
    double part = v - whole;
    double num = 0;
    double den = 1;
    if (l.fixedDenominator > 0) {
        den = l.fixedDenominator;
        num = std::round(part * den);
    } else {
        double maxDen = std::pow(10.0, static_cast<double>(l.denominatorPlaceholders.size())) - 1;
        bestFraction(part, std::max(maxDen, 1.0), num, den);
    }
    if (!std::isfinite(num))
        return false;
    if (hasWhole && num == den) {
        whole += 1;
        num = 0;
    }
    bool blank = hasWhole && num == 0; // a whole number: the fraction gives way to blanks
    std::string wholeDigits = whole > 0 || blank ? wholeText(whole) : "";
    std::string numDigits = wholeText(num);
    std::string denDigits = wholeText(den);
    int intSlot = 0;
    int numSlot = 0;
    std::size_t denSlot = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        switch (l.roles[i]) {
        case Role::Int:
            putAligned(out, wholeDigits, intSlot++, l.intSlots, t[i].ch, l.thousands);
            break;
        case Role::Numerator:
            if (blank)
                out += ' ';
            else
                putAligned(out, numDigits, numSlot, l.numeratorSlots, t[i].ch, false);
            ++numSlot;
            break;
        case Role::Slash:
            out += blank ? ' ' : '/';
            break;
        case Role::Denominator: {
            std::size_t last = l.denominatorPlaceholders.size() - 1;
            if (blank)
                out += ' ';
            else if (denSlot < denDigits.size())
                out += denSlot == last ? denDigits.substr(denSlot) : denDigits.substr(denSlot, 1);
            else if (t[i].ch == '?')
                out += ' ';
            ++denSlot;
            break;
        }
        case Role::FixedDenominator:
            out += blank ? " " : t[i].text;
            break;
        default:
            appendOther(out, l.roles[i], t[i]);
            break;
        }
    }
    return true;
}

void renderDecimal(const std::vector<FormatToken>& t, const Layout& l, double v, std::string& out) {
    int decimals = static_cast<int>(l.fracPlaceholders.size());
    int exponent = 0;
    Digits d;
    if (l.scientific && v != 0) {
        int step = l.engineering ? l.intSlots : 1;
        int firstDigit = decimalExponent(v);
        exponent = l.engineering
                       ? static_cast<int>(std::floor(static_cast<double>(firstDigit) / step)) * step
                       : firstDigit - (std::max(l.intSlots, 1) - 1);
        d = roundedDigits(v, decimals, exponent);
        if (static_cast<int>(d.whole.size()) > std::max(l.intSlots, 1)) {
            exponent += step;
            d = roundedDigits(v, decimals, exponent);
        }
    } else {
        d = roundedDigits(v, decimals);
    }
    // Trailing zeros under # and ? placeholders are not shown.
    std::size_t shownDecimals = d.fraction.size();
    while (shownDecimals > 0 && d.fraction[shownDecimals - 1] == '0' &&
           l.fracPlaceholders[shownDecimals - 1] != '0')
        --shownDecimals;
    std::string expDigits = std::to_string(std::abs(exponent));
    int intSlot = 0;
    std::size_t fracSlot = 0;
    int expSlot = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        switch (l.roles[i]) {
        case Role::Int:
            putAligned(out, d.whole, intSlot++, l.intSlots, t[i].ch, l.thousands && !l.scientific);
            break;
        case Role::Point:
            if (l.intSlots == 0)
                out += d.whole;
            out += '.';
            break;
        case Role::Frac:
            if (fracSlot < shownDecimals)
                out += d.fraction[fracSlot];
            else if (t[i].ch == '?')
                out += ' ';
            ++fracSlot;
            break;
        case Role::Exponent:
            out += t[i].text[0];
            if (exponent < 0 || t[i].text[1] == '+')
                out += exponent < 0 ? '-' : '+';
            if (l.expSlots == 0)
                out += expDigits;
            break;
        case Role::Exp:
            putAligned(out, expDigits, expSlot++, l.expSlots, t[i].ch, false);
            break;
        case Role::General:
            appendGeneral(out, v);
            break;
        default:
            appendOther(out, l.roles[i], t[i]);
            break;
        }
    }
}

// False when percent signs or a fraction's numerator take the number past
// the largest double.
bool renderNumberSection(const FormatSection& section, double v, bool minus, std::string& out) {
    const auto& t = section.tokens;
    Layout l = analyse(t);
    v *= std::pow(100.0, l.percents);
    v /= std::pow(1000.0, l.scaleCommas);
    if (!std::isfinite(v))
        return false;
    out = minus ? "-" : "";
    if (l.fraction)
        return renderFraction(t, l, v, out);
    renderDecimal(t, l, v, out);
    return true;
}

} // namespace

bool formatNumberWithCode(double value, std::string_view code, std::string& out) {
    out.clear();
    std::vector<FormatSection> sections;
    if (!std::isfinite(value))
        return false;
    if (code.empty())
        return true;
    if (!readFormatCode(code, sections))
        return false;
    std::size_t count = std::min<std::size_t>(sections.size(), 3); // the fourth is for texts
    bool conditional = false;
    for (std::size_t i = 0; i < count; ++i)
        conditional = conditional || sections[i].compare != FormatCompare::None;
    const FormatSection* chosen = nullptr;
    bool minus = value < 0;
    if (conditional) {
        for (std::size_t i = 0; i < count && !chosen; ++i)
            if (sections[i].accepts(value))
                chosen = &sections[i];
        if (!chosen) {
            out = formatGeneral(value);
            return true;
        }
        minus = minus && !chosen->onlyNegatives();
    } else if (count == 1 || value > 0 || (value == 0 && count == 2)) {
        chosen = &sections[0];
    } else {
        chosen = &sections[value < 0 ? 1 : 2];
        minus = false; // the negative section shows its own signs
    }
    double v = std::fabs(value);
    if (chosen->isDate)
        return !minus && formatDateSection(*chosen, v, out);
    return renderNumberSection(*chosen, v, minus, out);
}

bool formatTextWithCode(std::string_view text, std::string_view code, std::string& out) {
    std::vector<FormatSection> sections;
    if (!readFormatCode(code, sections))
        return false;
    const FormatSection* section = sections.size() == 4                        ? &sections[3]
                                   : sections.size() == 1 && sections[0].hasAt ? &sections[0]
                                                                               : nullptr;
    if (!section) {
        out = std::string(text);
        return true;
    }
    out.clear();
    for (const FormatToken& t : section->tokens)
        out += t.kind == FormatTokenKind::At ? text : std::string_view(t.text);
    return true;
}

} // namespace vtx::sheet
