#pragma once

/// Serial date numbers in the 1900 date system as common spreadsheets count
/// them: the whole part counts days, the fraction is the time of day.
///
///     serial 0  = 1900-01-00 (shown so; the day before 1900-01-01)
///     serial 1  = 1900-01-01 (a Sunday, for WEEKDAY's sake)
///     serial 60 = 1900-02-29, a day that never was, kept for compatibility
///     serial 61 = 1900-03-01; from here on serials count real days
///     serial 2958465 = 9999-12-31, the last one
///
/// Usage:
///
///     double s = dateToSerial(2024, 3, 1);   // 45352
///     int y, m, d;
///     if (serialToDate(s, y, m, d)) ...       // 2024, 3, 1
///     double noon = s + timeToSerial(12, 0, 0);

namespace vtx::sheet {

/// The last serial with a date: 9999-12-31.
constexpr double kMaxDateSerial = 2958465;
constexpr double kSecondsPerDay = 86400;

/// The serial of a date. month and day may lie outside their ranges and are
/// carried over as DATE does (month 13 is January of the next year, month 0
/// December of the year before, day 0 the last day of the month before), so
/// dateToSerial(1900, 2, 29) is 60 and dateToSerial(1900, 3, 0) too. The
/// result is not range-checked: it is below 0 before 1899-12-31 and above
/// kMaxDateSerial after 9999-12-31; see isDateSerial.
double dateToSerial(int year, int month, int day);

/// True when the whole part of serial is a day of the calendar (0 to
/// kMaxDateSerial).
bool isDateSerial(double serial);

/// The date of the whole part of serial; false (outputs untouched) when
/// serial is not a date serial. Serial 0 gives 1900-01-00, 60 gives
/// 1900-02-29.
bool serialToDate(double serial, int& year, int& month, int& day);

/// Day of the week of the whole part of serial: 0 Sunday ... 6 Saturday
/// (serial 1 is a Sunday, serial 0 a Saturday). Precondition: isDateSerial.
int weekdayOfSerial(double serial);

/// Days of a month in this calendar (February 1900 has 29).
int daysInMonth(int year, int month);

/// The fraction of a day of a time; not wrapped, so 25 hours give 1.04...
double timeToSerial(double hour, double minute, double second);

/// A serial split into whole days and the time of day, rounded to
/// `secondDecimals` decimals of a second (0..3) first, so that a time that
/// rounds up to midnight moves to the next day as a shown clock would.
struct SerialTime {
    double days = 0;    ///< whole days
    int hour = 0;       ///< 0..23
    int minute = 0;     ///< 0..59
    int second = 0;     ///< 0..59
    int subsecond = 0;  ///< 0 .. 10^secondDecimals - 1
    double seconds = 0; ///< the whole serial in (rounded) seconds, for elapsed times
};

/// Precondition: serial >= 0 and finite.
SerialTime splitSerial(double serial, int secondDecimals = 0);

} // namespace vtx::sheet
