#include "link/Framing.h"

#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

QByteArray Joined(const QList<AnsiString>& pieces) {
    QByteArray all;
    for (const AnsiString& p : pieces)
        all += p;
    return all;
}

} // namespace

TEST(PaddedDecimal, PadsWithZerosInFrontOfTheSignAndNeverCuts) {
    EXPECT_EQ(PaddedDecimal(5, 2), "05");
    EXPECT_EQ(PaddedDecimal(0, 3), "000");
    EXPECT_EQ(PaddedDecimal(42, 2), "42");
    EXPECT_EQ(PaddedDecimal(123, 2), "123");
    EXPECT_EQ(PaddedDecimal(-1, 2), "-1");
    EXPECT_EQ(PaddedDecimal(-5, 3), "0-5");
    EXPECT_EQ(PaddedDecimal(-123, 2), "-123");
    EXPECT_EQ(PaddedDecimal(7, 0), "7");
}

TEST(TimerPacket, WorkedExampleAndOneWritePerField) {
    TimerRecord r{8, 30, 0, 0, 1, 15, 1, 3};
    const QList<AnsiString> pieces = TimerPacket(1, r);
    ASSERT_EQ(pieces.size(), 10);
    EXPECT_EQ(Joined(pieces), QByteArray("000830000001150102\x04"));
}

TEST(TimerPacket, EdgeValues) {
    // Unknown day, empty port, off whatever the times, last second of the day.
    TimerRecord r{23, 59, 59, 8, 0, 5, 0, 0};
    EXPECT_EQ(Joined(TimerPacket(42, r)), QByteArray("4123595908000500-1\x04"));
    r.IsOn = 2; // only 1 counts as on
    EXPECT_EQ(Joined(TimerPacket(42, r)).mid(14, 2), "00");
}

TEST(DatePacket, ClockFieldsAndZerosWhenNotSynchronised) {
    const auto date = [](QDate d, QTime t) { return Joined(DatePacket(QDateTime(d, t))); };
    // 6 December 2026 falls on a Sunday: the weekday comes from the calendar.
    EXPECT_EQ(date(QDate(2026, 12, 6), QTime(7, 31, 14)), QByteArray("26120607311407\x04"));
    EXPECT_EQ(date(QDate(2026, 12, 5), QTime(7, 31, 14)), QByteArray("26120507311406\x04"));
    EXPECT_EQ(date(QDate(2026, 12, 7), QTime(0, 0, 0)).mid(12, 2), "01"); // Monday
    EXPECT_EQ(date(QDate(2027, 1, 1), QTime(0, 0, 0)), QByteArray("27010100000005\x04"));
    EXPECT_EQ(date(QDate(2100, 3, 1), QTime(12, 0, 0)).size(), 15); // width kept
    const QList<AnsiString> off = DatePacket(QDateTime());
    EXPECT_EQ(off.size(), 8);
    EXPECT_EQ(Joined(off), QByteArray(14, '0') + '\x04');
}

TEST(TemperatureRecord, TenthsWidthsAndUnchosenPorts) {
    TTemperatureSettings t{true, 7.0, 90.0, 25.5, 5, 0, 8};
    EXPECT_EQ(Joined(TemperatureRecord(t)), QByteArray("01070900255005-107\x04"));
    t = {false, 0.0, 0.5, 24.36, 100, 1, 0};
    // A value off the tenths grid is rounded, so no separator reaches the line.
    EXPECT_EQ(Joined(TemperatureRecord(t)), QByteArray("0000000524410000-1\x04"));
}
