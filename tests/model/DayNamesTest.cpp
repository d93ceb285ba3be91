#include "model/DayNames.h"

#include "runtime/Exception.h"

#include <gtest/gtest.h>

using namespace lumotrix;

TEST(DayNames, FilledInIndexOrderWithCodesOneBelowTheIndex) {
    TDayNames days;
    EXPECT_EQ(days.CodeOf("Sabato"), NoDayCode); // nothing known before the fill
    days.Fill();
    EXPECT_EQ(days[1], QByteArray("Luned\xEC"));
    EXPECT_EQ(days[1].size(), 6);
    EXPECT_EQ(days[8], QByteArray("Tutti i giorni"));
    EXPECT_EQ(days.CodeOf(QByteArray("Mercoled\xEC")), 2);
    EXPECT_EQ(days.CodeOf("Domenica"), 6);
    EXPECT_EQ(days.TextOfCode(7), QByteArray("Tutti i giorni"));
    EXPECT_EQ(days.IndexOf("Sabato"), 6);
}

TEST(DayNames, ComparisonIsExactAndBadIndexesAreRefused) {
    TDayNames days;
    days.Fill();
    EXPECT_EQ(days.CodeOf("sabato"), NoDayCode);
    EXPECT_EQ(days.CodeOf("Sabato "), NoDayCode);
    EXPECT_EQ(days.CodeOf(ToAnsi(QStringLiteral("Lunedi"))), NoDayCode);
    EXPECT_EQ(days.CodeOf(ToAnsi(QStringLiteral("Lunedì"))), 0);
    EXPECT_THROW(days[0], ERangeError);
    EXPECT_THROW(days[9], ERangeError);
    EXPECT_THROW(days.TextOfCode(8), ERangeError);
}
