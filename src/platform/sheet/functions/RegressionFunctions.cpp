// Straight lines fitted by least squares: SLOPE, INTERCEPT, FORECAST
// (FORECAST.LINEAR) and TREND, the functions that interpolate in tables.
#include "platform/sheet/functions/FunctionApi.h"

#include <cmath>
#include <memory>

namespace vtx::sheet {

namespace {

using K = ArgKind;

struct Line {
    double slope = 0;
    double intercept = 0;
};

// The y and x values of two lists position by position, for SLOPE and kin:
// the lists must have as many values (#N/A otherwise); a position counts
// when both of its values are numbers, an error in either list is the result.
bool pairedNumbers(FunctionCall& c, int yArg, int xArg, std::vector<double>& ys,
                   std::vector<double>& xs) {
    ArgValues y(c.args[yArg], c.cells);
    ArgValues x(c.args[xArg], c.cells);
    if (y.size() != x.size()) {
        c.setError(FormulaError::NA);
        return false;
    }
    if (y.size() > kMaxArrayElements) {
        c.setError(FormulaError::Num);
        return false;
    }
    for (std::size_t i = 0; i < y.size(); ++i) {
        const Value& vy = y.at(i);
        const Value& vx = x.at(i);
        if (vy.isError() || vx.isError()) {
            c.setError(vy.isError() ? vy.asError() : vx.asError());
            return false;
        }
        if (vy.isNumber() && vx.isNumber()) {
            ys.push_back(vy.asNumber());
            xs.push_back(vx.asNumber());
        }
    }
    return true;
}

// The least-squares line through the points; false when the x values do not
// vary (fewer than two different ones), where no slope exists.
bool fitLine(const std::vector<double>& xs, const std::vector<double>& ys, Line& line) {
    if (xs.empty())
        return false;
    double n = static_cast<double>(xs.size());
    double mx = 0;
    double my = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        mx += xs[i];
        my += ys[i];
    }
    mx /= n;
    my /= n;
    // Sums of deviations from the means: stable where x^2 sums would cancel.
    double sxx = 0;
    double sxy = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        sxx += (xs[i] - mx) * (xs[i] - mx);
        sxy += (xs[i] - mx) * (ys[i] - my);
    }
    line.intercept = my;
    line.slope = 0;
    if (sxx == 0)
        return false;
    line.slope = sxy / sxx;
    line.intercept = my - line.slope * mx;
    return true;
}

// SLOPE, INTERCEPT and FORECAST: the line through known y (argument yArg)
// and known x (the next one); #DIV/0! when x does not vary.
bool lineOf(FunctionCall& c, int yArg, Line& line) {
    std::vector<double> ys;
    std::vector<double> xs;
    if (!pairedNumbers(c, yArg, yArg + 1, ys, xs))
        return false;
    if (!fitLine(xs, ys, line)) {
        c.setError(FormulaError::Div0);
        return false;
    }
    return true;
}

// The values of a TREND argument, every one a number (an error is the
// result, anything else #VALUE!).
bool allNumbers(FunctionCall& c, const ArgValues& values, std::vector<double>& out) {
    if (values.size() > kMaxArrayElements) {
        c.setError(FormulaError::Num);
        return false;
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        const Value& v = values.at(i);
        if (!v.isNumber()) {
            c.setError(v.isError() ? v.asError() : FormulaError::Value);
            return false;
        }
        out.push_back(v.asNumber());
    }
    return true;
}

// TREND: known y, [known x = 1, 2, 3 ...], [new x = known x], [const = TRUE]:
// the fitted line's values at new x, an array of new x's shape (one value a
// number). One regressor: known x pairs with known y position by position.
void trend(FunctionCall& c) {
    ArgValues yValues(c.args[0], c.cells);
    std::vector<double> ys;
    if (!allNumbers(c, yValues, ys))
        return;
    std::vector<double> xs;
    int rows = yValues.rows();
    int cols = yValues.cols();
    if (c.has(1)) {
        ArgValues xValues(c.args[1], c.cells);
        if (xValues.size() != yValues.size()) {
            c.setError(FormulaError::Ref);
            return;
        }
        if (!allNumbers(c, xValues, xs))
            return;
        rows = xValues.rows();
        cols = xValues.cols();
    } else {
        for (std::size_t i = 1; i <= ys.size(); ++i)
            xs.push_back(static_cast<double>(i));
    }
    std::vector<double> newXs;
    if (c.has(2)) {
        ArgValues newValues(c.args[2], c.cells);
        if (!allNumbers(c, newValues, newXs))
            return;
        rows = newValues.rows();
        cols = newValues.cols();
    } else {
        newXs = xs;
    }
    Line line;
    if (!c.has(3) || c.flag(3)) {
        // x that does not vary explains nothing: the line is flat at the mean.
        fitLine(xs, ys, line);
    } else {
        double sxx = 0;
        double sxy = 0;
        for (std::size_t i = 0; i < xs.size(); ++i) {
            sxx += xs[i] * xs[i];
            sxy += xs[i] * ys[i];
        }
        line.slope = sxx == 0 ? 0 : sxy / sxx;
    }
    if (newXs.size() == 1) {
        c.setNumber(line.intercept + line.slope * newXs[0]);
        return;
    }
    auto result = std::make_shared<ArrayValue>();
    result->rows = rows;
    result->cols = cols;
    result->values.reserve(newXs.size());
    for (double x : newXs) {
        double y = line.intercept + line.slope * x;
        result->values.push_back(std::isfinite(y) ? Value::number(y)
                                                  : Value::error(FormulaError::Num));
    }
    c.result.setArray(std::move(result));
}

} // namespace

void addRegressionFunctions(std::vector<FunctionInfo>& t) {
    t.push_back({"SLOPE", 2, 2, {K::Any}, [](FunctionCall& c) {
                     Line line;
                     if (lineOf(c, 0, line))
                         c.setNumber(line.slope);
                 }});
    t.push_back({"INTERCEPT", 2, 2, {K::Any}, [](FunctionCall& c) {
                     Line line;
                     if (lineOf(c, 0, line))
                         c.setNumber(line.intercept);
                 }});
    for (const char* name : {"FORECAST", "FORECAST.LINEAR"})
        t.push_back({name, 3, 3, {K::Number, K::Any}, [](FunctionCall& c) {
                         Line line;
                         if (lineOf(c, 1, line))
                             c.setNumber(line.intercept + line.slope * c.num(0));
                     }});
    t.push_back({"TREND", 1, 4, {K::Any, K::Any, K::Any, K::Boolean}, trend});
}

} // namespace vtx::sheet
