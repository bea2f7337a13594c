// Serial date numbers of the 1900 date system: known days, the kept
// 29 February 1900, carrying of months and days, weekdays and times of day.
#include "platform/sheet/functions/DateSerial.h"

#include <gtest/gtest.h>

namespace vtx::sheet::test {

namespace {

struct Day {
    double serial;
    int year, month, day;
};

} // namespace

TEST(DateSerial, KnownDaysOfThe1900System) {
    const Day days[] = {
        {0, 1900, 1, 0},      {1, 1900, 1, 1},     {59, 1900, 2, 28},       {60, 1900, 2, 29},
        {61, 1900, 3, 1},     {366, 1900, 12, 31}, {367, 1901, 1, 1},       {36526, 2000, 1, 1},
        {36585, 2000, 2, 29}, {45352, 2024, 3, 1}, {2958465, 9999, 12, 31},
    };
    for (const Day& d : days) {
        int y = 0, m = 0, dd = 0;
        ASSERT_TRUE(serialToDate(d.serial + 0.75, y, m, dd)) << d.serial;
        EXPECT_EQ(y * 10000 + m * 100 + dd, d.year * 10000 + d.month * 100 + d.day) << d.serial;
        if (d.day > 0) {
            EXPECT_EQ(dateToSerial(d.year, d.month, d.day), d.serial);
        }
    }
}

TEST(DateSerial, EveryDayReadsBackToItsSerial) {
    int y = 0, m = 0, d = 0;
    for (double s = 1; s <= kMaxDateSerial; ++s) {
        ASSERT_TRUE(serialToDate(s, y, m, d));
        ASSERT_GE(d, 1);
        ASSERT_LE(d, daysInMonth(y, m)) << s;
        ASSERT_EQ(dateToSerial(y, m, d), s) << y << "-" << m << "-" << d;
    }
}

TEST(DateSerial, OutsideTheCalendarIsNoDate) {
    int y = 7, m = 7, d = 7;
    EXPECT_FALSE(serialToDate(-0.5, y, m, d));
    EXPECT_FALSE(serialToDate(kMaxDateSerial + 1, y, m, d));
    EXPECT_EQ(y, 7);
    EXPECT_TRUE(isDateSerial(kMaxDateSerial + 0.99));
    EXPECT_FALSE(isDateSerial(-1e-9));
}

TEST(DateSerial, MonthsAndDaysOutsideTheirRangeCarryOver) {
    EXPECT_EQ(dateToSerial(2023, 13, 1), dateToSerial(2024, 1, 1));
    EXPECT_EQ(dateToSerial(2024, 0, 1), dateToSerial(2023, 12, 1));
    EXPECT_EQ(dateToSerial(2024, -13, 1), dateToSerial(2022, 11, 1));
    EXPECT_EQ(dateToSerial(2024, 3, 0), dateToSerial(2024, 2, 29));
    EXPECT_EQ(dateToSerial(2023, 2, 29), dateToSerial(2023, 3, 1));
    EXPECT_EQ(dateToSerial(2024, 1, 366), dateToSerial(2024, 12, 31));
    EXPECT_EQ(dateToSerial(2024, 1, -30), dateToSerial(2023, 12, 1));
    // The kept leap day: 1 March 1900 minus one day, 28 February plus one.
    EXPECT_EQ(dateToSerial(1900, 3, 0), 60);
    EXPECT_EQ(dateToSerial(1900, 2, 30), 61);
    EXPECT_EQ(dateToSerial(1900, 1, 0), 0);
    EXPECT_LT(dateToSerial(1899, 12, 30), 0);
    EXPECT_GT(dateToSerial(10000, 1, 1), kMaxDateSerial);
}

TEST(DateSerial, WeekdaysAndMonthLengths) {
    EXPECT_EQ(weekdayOfSerial(1), 0);       // Sunday, as the 1900 system has it
    EXPECT_EQ(weekdayOfSerial(0), 6);       // Saturday
    EXPECT_EQ(weekdayOfSerial(45352.9), 5); // 2024-03-01, a Friday
    EXPECT_EQ(weekdayOfSerial(61), 4);      // 1900-03-01, a Thursday
    EXPECT_EQ(daysInMonth(1900, 2), 29);
    EXPECT_EQ(daysInMonth(2100, 2), 28);
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(daysInMonth(2023, 4), 30);
}

TEST(DateSerial, TimesOfDaySplitAfterRounding) {
    double serial = 45352 + timeToSerial(13, 45, 30.25);
    SerialTime t = splitSerial(serial);
    EXPECT_EQ(t.days, 45352);
    EXPECT_EQ(t.hour * 10000 + t.minute * 100 + t.second, 134530);
    EXPECT_EQ(splitSerial(serial, 2).subsecond, 25);
    // 23:59:59.6 rounds to the next midnight.
    SerialTime late = splitSerial(10 + timeToSerial(23, 59, 59.6));
    EXPECT_EQ(late.days, 11);
    EXPECT_EQ(late.hour + late.minute + late.second, 0);
    EXPECT_EQ(splitSerial(10 + timeToSerial(23, 59, 59.6), 1).second, 59);
    EXPECT_DOUBLE_EQ(splitSerial(1.5).seconds, 1.5 * kSecondsPerDay);
    EXPECT_NEAR(timeToSerial(12, 30, 0), 0.520833333333333, 1e-15);
}

} // namespace vtx::sheet::test
