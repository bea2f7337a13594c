// Date functions over serial date numbers of the 1900 date system (see
// DateSerial.h): DATE, YEAR, MONTH, DAY, TODAY, NOW, EDATE, EOMONTH, DATEDIF
// and WEEKDAY. Serials are cut to whole days where a day is meant.
#include "platform/sheet/formula/Interpreter.h"
#include "platform/sheet/functions/DateSerial.h"
#include "platform/sheet/functions/FunctionApi.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace vtx::sheet {

namespace {

using K = ArgKind;

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
};

// A whole number argument made safe to count with: values beyond the limit
// give dates out of range anyway.
int clampedWhole(double v, double limit) {
    return static_cast<int>(std::clamp(std::trunc(v), -limit, limit));
}

// The date of argument i; false after setting #NUM! for a number that is no
// date serial.
bool dateArg(FunctionCall& c, int i, Date& d) {
    if (serialToDate(c.num(i), d.year, d.month, d.day))
        return true;
    c.setError(FormulaError::Num);
    return false;
}

// Sets a serial computed for a date, #NUM! when the date lies before
// 1900-01-00 or after 9999-12-31.
void setDateSerial(FunctionCall& c, double serial) {
    if (!isDateSerial(serial))
        c.setError(FormulaError::Num);
    else
        c.setNumber(serial);
}

// EDATE and EOMONTH: the date `months` months from the start, on the start's
// day (the month's last day when it is shorter) or on the month's last day.
void addMonths(FunctionCall& c, bool endOfMonth) {
    Date d;
    if (!dateArg(c, 0, d))
        return;
    int index = d.year * 12 + (d.month - 1) + clampedWhole(c.num(1), 1e6);
    int year = index / 12;
    int month = index % 12 + 1;
    if (index < 0 || year < 1900) {
        c.setError(FormulaError::Num);
        return;
    }
    int last = daysInMonth(year, month);
    setDateSerial(c, dateToSerial(year, month, endOfMonth ? last : std::min(d.day, last)));
}

// DATEDIF: complete years, months or days from start to end, or the days and
// months left over ("MD", "YM", "YD").
void dateDif(FunctionCall& c) {
    Date a;
    Date b;
    if (!dateArg(c, 0, a) || !dateArg(c, 1, b))
        return;
    double start = std::floor(c.num(0));
    double end = std::floor(c.num(1));
    const std::string& unit = c.text(2);
    // Months complete: the end's day must reach the start's day.
    int months = (b.year - a.year) * 12 + (b.month - a.month) - (b.day < a.day ? 1 : 0);
    if (start > end) {
        c.setError(FormulaError::Num);
    } else if (compareTextNoCase(unit, "Y") == 0) {
        c.setNumber(months / 12);
    } else if (compareTextNoCase(unit, "M") == 0) {
        c.setNumber(months);
    } else if (compareTextNoCase(unit, "D") == 0) {
        c.setNumber(end - start);
    } else if (compareTextNoCase(unit, "YM") == 0) {
        c.setNumber(months % 12);
    } else if (compareTextNoCase(unit, "MD") == 0) {
        // Days since the start's day in the end's month or, before it, in the
        // month before, that day cut to the month's length (31 January to
        // 1 March is 1 day past 28 February, never a negative count).
        int year = b.month == 1 ? b.year - 1 : b.year;
        int month = b.month == 1 ? 12 : b.month - 1;
        if (b.day >= a.day)
            c.setNumber(b.day - a.day);
        else
            c.setNumber(end - dateToSerial(year, month, std::min(a.day, daysInMonth(year, month))));
    } else if (compareTextNoCase(unit, "YD") == 0) {
        // Days since the last anniversary, which DATE's carrying puts on
        // 1 March for 29 February in other years, as complete years count it.
        bool before = b.month < a.month || (b.month == a.month && b.day < a.day);
        c.setNumber(end - dateToSerial(before ? b.year - 1 : b.year, a.month, a.day));
    } else {
        c.setError(FormulaError::Num);
    }
}

// WEEKDAY's return types: 1 (or 17) Sunday = 1, 2 (or 11) Monday = 1,
// 12..16 Tuesday..Saturday = 1, 3 Monday = 0.
void weekday(FunctionCall& c) {
    double serial = c.num(0);
    double type = std::trunc(c.numOr(1, 1));
    if (!isDateSerial(serial)) {
        c.setError(FormulaError::Num);
        return;
    }
    int w = weekdayOfSerial(serial); // 0 Sunday
    int first = -1;                  // the day counted 1, 0 Sunday
    if (type == 1 || type == 17)
        first = 0;
    else if (type == 2)
        first = 1;
    else if (type >= 11 && type <= 16)
        first = static_cast<int>(type) - 10;
    if (type == 3)
        c.setNumber((w + 6) % 7);
    else if (first < 0)
        c.setError(FormulaError::Num);
    else
        c.setNumber((w - first + 7) % 7 + 1);
}

// The machine's local date and time as a serial (fraction = time of day).
double nowSerial() {
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
    return dateToSerial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           timeToSerial(local.tm_hour, local.tm_min,
                        local.tm_sec + static_cast<double>(ms.count()) / 1000);
}

} // namespace

void addDateFunctions(std::vector<FunctionInfo>& t) {
    t.push_back({"DATE", 3, 3, {K::Number}, [](FunctionCall& c) {
                     double year = std::trunc(c.num(0));
                     if (year < 0 || year > 9999) {
                         c.setError(FormulaError::Num);
                         return;
                     }
                     if (year < 1900)
                         year += 1900;
                     double serial =
                         dateToSerial(static_cast<int>(year), clampedWhole(c.num(1), 1e8),
                                      clampedWhole(c.num(2), 1e8));
                     setDateSerial(c, serial);
                 }});
    t.push_back({"YEAR", 1, 1, {K::Number}, [](FunctionCall& c) {
                     Date d;
                     if (dateArg(c, 0, d))
                         c.setNumber(d.year);
                 }});
    t.push_back({"MONTH", 1, 1, {K::Number}, [](FunctionCall& c) {
                     Date d;
                     if (dateArg(c, 0, d))
                         c.setNumber(d.month);
                 }});
    t.push_back({"DAY", 1, 1, {K::Number}, [](FunctionCall& c) {
                     Date d;
                     if (dateArg(c, 0, d))
                         c.setNumber(d.day);
                 }});
    t.push_back({"TODAY",
                 0,
                 0,
                 {K::Number},
                 [](FunctionCall& c) { c.setNumber(std::floor(nowSerial())); },
                 true});
    t.push_back(
        {"NOW", 0, 0, {K::Number}, [](FunctionCall& c) { c.setNumber(nowSerial()); }, true});
    t.push_back({"EDATE", 2, 2, {K::Number}, [](FunctionCall& c) { addMonths(c, false); }});
    t.push_back({"EOMONTH", 2, 2, {K::Number}, [](FunctionCall& c) { addMonths(c, true); }});
    t.push_back({"DATEDIF", 3, 3, {K::Number, K::Number, K::Text}, dateDif});
    t.push_back({"WEEKDAY", 1, 2, {K::Number}, weekday});
}

} // namespace vtx::sheet
