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

double factorial(double n) {
    double r = 1;
    for (int i = 2; i <= static_cast<int>(n); ++i)
        r *= i;
    return r;
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
                     double s = c.numOr(1, x < 0 ? -1 : 1);
                     if (s == 0 || x == 0)
                         c.setNumber(0);
                     else if (x > 0 && s < 0)
                         c.setError(FormulaError::Num);
                     else
                         c.setNumber(roundAwayFromZero(x / s, 0) * s);
                 }});
    t.push_back({"FLOOR", 1, 2, {K::Number}, [](FunctionCall& c) {
                     double x = c.num(0);
                     double s = c.numOr(1, x < 0 ? -1 : 1);
                     if (s == 0)
                         c.setError(x == 0 ? FormulaError::Div0 : FormulaError::Div0);
                     else if (x > 0 && s < 0)
                         c.setError(FormulaError::Num);
                     else
                         c.setNumber(roundTowardZero(x / s, 0) * s);
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
    t.push_back({"GCD", 1, 255, {K::Number}, [](FunctionCall& c) {
                     double g = 0;
                     for (int i = 0; i < c.argc; ++i) {
                         double v = std::trunc(c.num(i));
                         if (v < 0) {
                             c.setError(FormulaError::Num);
                             return;
                         }
                         double a = g;
                         double b = v;
                         while (b != 0) {
                             double r = std::fmod(a, b);
                             a = b;
                             b = r;
                         }
                         g = a;
                     }
                     c.setNumber(g);
                 }});
}

} // namespace vtx::sheet
