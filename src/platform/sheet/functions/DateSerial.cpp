#include "platform/sheet/functions/DateSerial.h"

#include <cmath>
#include <cstdint>

namespace vtx::sheet {

namespace {

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar, counted
// in 400-year eras of 146,097 days.
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    std::int64_t era = floorDiv(y, 400);
    std::int64_t yearOfEra = y - era * 400;
    int shiftedMonth = m > 2 ? m - 3 : m + 9; // March = 0
    std::int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + d - 1;
    std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void civilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    std::int64_t era = floorDiv(z, 146097);
    std::int64_t dayOfEra = z - era * 146097;
    std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    d = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    m = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    y = static_cast<int>(yearOfEra + era * 400 + (m <= 2));
}

// Serials before 1900-03-01 count from 1899-12-31, later ones from 1899-12-30:
// the day between is the 29 February 1900 that the 1900 system keeps.
const std::int64_t kDayZeroEarly = daysFromCivil(1899, 12, 31);
const std::int64_t kDayZeroLate = daysFromCivil(1899, 12, 30);
constexpr double kFakeLeapDay = 60;

bool isLeapYear(std::int64_t y) {
    return y == 1900 || (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0));
}

} // namespace

double dateToSerial(int year, int month, int day) {
    std::int64_t monthIndex = static_cast<std::int64_t>(month) - 1;
    std::int64_t carry = floorDiv(monthIndex, 12);
    std::int64_t y = year + carry;
    int m = static_cast<int>(monthIndex - carry * 12) + 1;
    bool early = y < 1900 || (y == 1900 && m < 3);
    std::int64_t first = daysFromCivil(y, m, 1) - (early ? kDayZeroEarly : kDayZeroLate);
    return static_cast<double>(first) + (static_cast<double>(day) - 1);
}

bool isDateSerial(double serial) {
    return serial >= 0 && serial < kMaxDateSerial + 1;
}

bool serialToDate(double serial, int& year, int& month, int& day) {
    if (!isDateSerial(serial))
        return false;
    double n = std::floor(serial);
    if (n == 0) {
        year = 1900;
        month = 1;
        day = 0;
    } else if (n == kFakeLeapDay) {
        year = 1900;
        month = 2;
        day = 29;
    } else {
        auto days = static_cast<std::int64_t>(n);
        civilFromDays(days + (n < kFakeLeapDay ? kDayZeroEarly : kDayZeroLate), year, month, day);
    }
    return true;
}

int weekdayOfSerial(double serial) {
    return static_cast<int>((static_cast<std::int64_t>(std::floor(serial)) + 6) % 7);
}

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && isLeapYear(year))
        return 29;
    return month >= 1 && month <= 12 ? days[month - 1] : 0;
}

double timeToSerial(double hour, double minute, double second) {
    return (hour * 3600 + minute * 60 + second) / kSecondsPerDay;
}

SerialTime splitSerial(double serial, int secondDecimals) {
    static const double scales[] = {1, 10, 100, 1000};
    double scale = scales[secondDecimals < 0 ? 0 : (secondDecimals > 3 ? 3 : secondDecimals)];
    double dayUnits = kSecondsPerDay * scale;
    double units = std::round(serial * dayUnits);
    SerialTime t;
    t.days = std::floor(units / dayUnits);
    auto rest = static_cast<std::int64_t>(units - t.days * dayUnits);
    auto unitsPerSecond = static_cast<std::int64_t>(scale);
    t.subsecond = static_cast<int>(rest % unitsPerSecond);
    std::int64_t secs = rest / unitsPerSecond;
    t.hour = static_cast<int>(secs / 3600);
    t.minute = static_cast<int>(secs / 60 % 60);
    t.second = static_cast<int>(secs % 60);
    t.seconds = units / scale;
    return t;
}

} // namespace vtx::sheet
