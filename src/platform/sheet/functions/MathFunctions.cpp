// Mathematical and trigonometric functions.
#include "platform/sheet/functions/FunctionApi.h"
#include "platform/sheet/functions/MathUtil.h"

#include <cfloat>
#include <cmath>
#include <numbers>
#include <random>

namespace vtx::sheet {

namespace {

using K = ArgKind;

#define VTX_UNARY(NAME, EXPR)                                                                      \
    t.push_back({NAME, 1, 1, {K::Number}, [](FunctionCall& c) {                                    \
                     double x = c.num(0);                                                          \
                     c.setNumber(EXPR);                                                            \
                 }})

// A unary function defined only where `valid` holds; #NUM! elsewhere.
#define VTX_UNARY_DOMAIN(NAME, VALID, EXPR)                                                        \
    t.push_back({NAME, 1, 1, {K::Number}, [](FunctionCall& c) {                                    \
                     double x = c.num(0);                                                          \
                     if (!(VALID))                                                                 \
                         c.setError(FormulaError::Num);                                            \
                     else                                                                          \
                         c.setNumber(EXPR);                                                        \
                 }})

// Whole numbers from here on are no longer exact: GCD and LCM refuse them.
constexpr double kWholeLimit = 9007199254740992.0; // 2^53

double gcd(double a, double b) {
    while (b != 0) {
        double r = std::fmod(a, b);
        a = b;
        b = r;
    }
    return a;
}

// GCD and LCM: the whole parts of the arguments folded by `step` from
// `start`; #NUM! for a negative one, or one or a result of 2^53 or more.
template <typename Step> void foldWhole(FunctionCall& c, double start, Step step) {
    double acc = start;
    for (int i = 0; i < c.argc; ++i) {
        double v = std::trunc(c.num(i));
        if (v < 0 || v >= kWholeLimit) {
            c.setError(FormulaError::Num);
            return;
        }
        acc = step(acc, v);
    }
    if (acc >= kWholeLimit)
        c.setError(FormulaError::Num);
    else
        c.setNumber(acc);
}

double factorial(double n) {
    double r = 1;
    for (int i = 2; i <= static_cast<int>(n); ++i)
        r *= i;
    return r;
}

// Floor and ceiling that take a quotient within a few units of the last
// place of a whole number as that number (0.3 / 0.1 is 2.9999999999999996).
double approxFloor(double v) {
    return std::floor(v + 16 * DBL_EPSILON * std::max(1.0, std::fabs(v)));
}

double approxCeil(double v) {
    return std::ceil(v - 16 * DBL_EPSILON * std::max(1.0, std::fabs(v)));
}

// CEILING and FLOOR: x rounded up (towards +infinity) or down to a multiple
// of s. A negative s is allowed only with a negative x, and then rounds
// away from zero (CEILING) or towards it (FLOOR), as the quotient is positive.
void roundToMultiple(FunctionCall& c, double x, double s, bool up) {
    if (x > 0 && s < 0) {
        c.setError(FormulaError::Num);
        return;
    }
    if (x == 0 || s == 0) {
        c.setNumber(0);
        return;
    }
    double q = x / s;
    c.setNumber((up ? approxCeil(q) : approxFloor(q)) * s + 0.0); // + 0.0: no -0
}

// CEILING.MATH and FLOOR.MATH: number, [significance = 1, its sign ignored],
// [mode]: a negative number rounds towards +infinity (CEILING) or -infinity
// (FLOOR), the other way when mode is not 0.
void roundMath(FunctionCall& c, bool up) {
    double x = c.num(0);
    double s = std::fabs(c.numOr(1, 1));
    if (x == 0 || s == 0) {
        c.setNumber(0);
        return;
    }
    if (x < 0 && c.numOr(2, 0) != 0)
        up = !up;
    double q = x / s;
    c.setNumber((up ? approxCeil(q) : approxFloor(q)) * s + 0.0);
}

// Rounding at more decimals than a double has changes nothing; at more tens
// than it has, everything goes (10^digits would overflow).
bool roundingOutOfRange(double x, int digits, double& result) {
    if (!std::isfinite(x) || std::abs(digits) > 308) {
        result = std::isfinite(x) && digits < 0 ? 0.0 : x;
        return true;
    }
    return false;
}

} // namespace

double roundHalfAway(double x, int digits) {
    if (digits > 15 || !std::isfinite(x))
        return x;
    if (double r = 0; roundingOutOfRange(x, digits, r))
        return r;
    double p = std::pow(10.0, std::abs(digits));
    double v = digits >= 0 ? std::fabs(x) * p : std::fabs(x) / p;
    double whole = std::floor(v);
    double frac = v - whole;
    // A product like 2.675 * 100 = 267.49999999999997 stands for a half:
    // within a few units of the last place it rounds as one.
    double r = (frac >= 0.5 - 16 * DBL_EPSILON * std::max(1.0, v)) ? whole + 1 : whole;
    r = digits >= 0 ? r / p : r * p;
    return x < 0 ? -r : r;
}

double roundTowardZero(double x, int digits) {
    if (double r = 0; roundingOutOfRange(x, digits, r))
        return r;
    double p = std::pow(10.0, std::abs(digits));
    double v = digits >= 0 ? std::fabs(x) * p : std::fabs(x) / p;
    double r = std::floor(v + 16 * DBL_EPSILON * std::max(1.0, v));
    r = digits >= 0 ? r / p : r * p;
    return x < 0 ? -r : r;
}

double roundAwayFromZero(double x, int digits) {
    if (double r = 0; roundingOutOfRange(x, digits, r))
        return r;
    double p = std::pow(10.0, std::abs(digits));
    double v = digits >= 0 ? std::fabs(x) * p : std::fabs(x) / p;
    double r = std::ceil(v - 16 * DBL_EPSILON * std::max(1.0, v));
    r = digits >= 0 ? r / p : r * p;
    return x < 0 ? -r : r;
}

void addMathFunctions(std::vector<FunctionInfo>& t) {
    VTX_UNARY("ABS", std::fabs(x));
    VTX_UNARY("SIGN", (x > 0) - (x < 0));
    VTX_UNARY("INT", std::floor(x));
    VTX_UNARY_DOMAIN("SQRT", x >= 0, std::sqrt(x));
    VTX_UNARY("EXP", std::exp(x));
    VTX_UNARY_DOMAIN("LN", x > 0, std::log(x));
    VTX_UNARY_DOMAIN("LOG10", x > 0, std::log10(x));
    VTX_UNARY("SIN", std::sin(x));
    VTX_UNARY("COS", std::cos(x));
    VTX_UNARY("TAN", std::tan(x));
    VTX_UNARY_DOMAIN("ASIN", x >= -1 && x <= 1, std::asin(x));
    VTX_UNARY_DOMAIN("ACOS", x >= -1 && x <= 1, std::acos(x));
    VTX_UNARY("ATAN", std::atan(x));
    VTX_UNARY("SINH", std::sinh(x));
    VTX_UNARY("COSH", std::cosh(x));
    VTX_UNARY("TANH", std::tanh(x));
    VTX_UNARY("ASINH", std::asinh(x));
    VTX_UNARY_DOMAIN("ACOSH", x >= 1, std::acosh(x));
    VTX_UNARY_DOMAIN("ATANH", x > -1 && x < 1, std::atanh(x));
    VTX_UNARY("DEGREES", x * 180.0 / std::numbers::pi);
    VTX_UNARY("RADIANS", x * std::numbers::pi / 180.0);
    VTX_UNARY_DOMAIN("FACT", x >= 0 && x < 171, factorial(x));
    VTX_UNARY("EVEN", x >= 0 ? 2 * std::ceil(x / 2) : -2 * std::ceil(-x / 2));
    VTX_UNARY("ODD", x >= 0 ? (std::ceil((x + 1) / 2) * 2 - 1) : -(std::ceil((1 - x) / 2) * 2 - 1));
    t.push_back({"PI", 0, 0, {K::Number}, [](FunctionCall& c) { c.setNumber(std::numbers::pi); }});
    t.push_back({"RAND",
                 0,
                 0,
                 {K::Number},
                 [](FunctionCall& c) {
                     static std::mt19937_64 engine{5489u};
                     c.setNumber(std::uniform_real_distribution<double>(0.0, 1.0)(engine));
                 },
                 true});
    t.push_back({"ATAN2", 2, 2, {K::Number}, [](FunctionCall& c) {
                     double x = c.num(0);
                     double y = c.num(1);
                     if (x == 0 && y == 0)
                         c.setError(FormulaError::Div0);
                     else
                         c.setNumber(std::atan2(y, x));
                 }});
    t.push_back({"TRUNC", 1, 2, {K::Number}, [](FunctionCall& c) {
                     c.setNumber(roundTowardZero(c.num(0), clampToInt(c.numOr(1, 0))));
                 }});
    t.push_back({"ROUND", 1, 2, {K::Number}, [](FunctionCall& c) {
                     c.setNumber(roundHalfAway(c.num(0), clampToInt(c.numOr(1, 0))));
                 }});
    t.push_back({"ROUNDDOWN", 1, 2, {K::Number}, [](FunctionCall& c) {
                     c.setNumber(roundTowardZero(c.num(0), clampToInt(c.numOr(1, 0))));
                 }});
    t.push_back({"ROUNDUP", 1, 2, {K::Number}, [](FunctionCall& c) {
                     c.setNumber(roundAwayFromZero(c.num(0), clampToInt(c.numOr(1, 0))));
                 }});
    t.push_back({"CEILING", 1, 2, {K::Number}, [](FunctionCall& c) {
                     double x = c.num(0);
                     roundToMultiple(c, x, c.numOr(1, x < 0 ? -1 : 1), true);
                 }});
    t.push_back({"FLOOR", 1, 2, {K::Number}, [](FunctionCall& c) {
                     double x = c.num(0);
                     double s = c.numOr(1, x < 0 ? -1 : 1);
                     if (s == 0 && x != 0)
                         c.setError(FormulaError::Div0);
                     else
                         roundToMultiple(c, x, s, false);
                 }});
    t.push_back({"CEILING.MATH", 1, 3, {K::Number}, [](FunctionCall& c) { roundMath(c, true); }});
    t.push_back({"FLOOR.MATH", 1, 3, {K::Number}, [](FunctionCall& c) { roundMath(c, false); }});
    t.push_back({"MROUND", 2, 2, {K::Number}, [](FunctionCall& c) {
                     double x = c.num(0);
                     double m = c.num(1);
                     if ((x > 0 && m < 0) || (x < 0 && m > 0))
                         c.setError(FormulaError::Num);
                     else if (m == 0)
                         c.setNumber(0);
                     else
                         c.setNumber(roundHalfAway(x / m, 0) * m);
                 }});
    t.push_back({"MOD", 2, 2, {K::Number}, [](FunctionCall& c) {
                     double a = c.num(0);
                     double b = c.num(1);
                     if (b == 0)
                         c.setError(FormulaError::Div0);
                     else
                         c.setNumber(a - b * std::floor(a / b));
                 }});
    t.push_back({"QUOTIENT", 2, 2, {K::Number}, [](FunctionCall& c) {
                     if (c.num(1) == 0)
                         c.setError(FormulaError::Div0);
                     else
                         c.setNumber(std::trunc(c.num(0) / c.num(1)));
                 }});
    t.push_back({"POWER", 2, 2, {K::Number}, [](FunctionCall& c) {
                     double x = c.num(0);
                     double y = c.num(1);
                     if (x == 0 && y == 0)
                         c.setError(FormulaError::Num);
                     else if (x == 0 && y < 0)
                         c.setError(FormulaError::Div0);
                     else
                         c.setNumber(std::pow(x, y));
                 }});
    t.push_back({"LOG", 1, 2, {K::Number}, [](FunctionCall& c) {
                     double x = c.num(0);
                     double b = c.numOr(1, 10);
                     if (x <= 0 || b <= 0)
                         c.setError(FormulaError::Num);
                     else if (b == 1)
                         c.setError(FormulaError::Div0);
                     else
                         c.setNumber(std::log(x) / std::log(b));
                 }});
    t.push_back({"GCD", 1, 255, {K::Number}, [](FunctionCall& c) { foldWhole(c, 0, gcd); }});
    t.push_back({"LCM", 1, 255, {K::Number}, [](FunctionCall& c) {
                     foldWhole(c, 1, [](double l, double v) {
                         return v == 0 ? 0 : l / gcd(l, v) * v; // 0 stays 0
                     });
                 }});
    t.push_back({"COMBIN", 2, 2, {K::Number}, [](FunctionCall& c) {
                     double n = std::trunc(c.num(0));
                     double k = std::trunc(c.num(1));
                     if (n < 0 || k < 0 || k > n) {
                         c.setError(FormulaError::Num);
                         return;
                     }
                     k = std::min(k, n - k);
                     // Every partial product is itself a binomial coefficient,
                     // so it stays whole while it fits the mantissa.
                     double r = 1;
                     for (double i = 1; i <= k && std::isfinite(r); ++i)
                         r = r * (n - k + i) / i;
                     c.setNumber(std::round(r));
                 }});
}

} // namespace vtx::sheet
