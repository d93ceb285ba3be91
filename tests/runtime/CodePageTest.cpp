#include "runtime/CodePage.h"

#include <gtest/gtest.h>

using namespace lumotrix;

TEST(CodePage, ItalianDayNamesAreSingleBytes) {
    const QByteArray lunedi = ToAnsi(QStringLiteral("Lunedì"));
    ASSERT_EQ(lunedi.size(), 6);
    EXPECT_EQ(static_cast<unsigned char>(lunedi[5]), 0xEC);
    EXPECT_EQ(FromAnsi(lunedi), QStringLiteral("Lunedì"));
}

TEST(CodePage, EveryByteSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(ToAnsi(FromAnsi(all)), all);
    EXPECT_EQ(FromAnsi(QByteArray("\x80", 1)), QString(QChar(0x20AC)));
}

TEST(CodePage, CharactersOutsideThePageBecomeQuestionMarks) {
    EXPECT_EQ(ToAnsi(QStringLiteral("a\u4e2db")), QByteArray("a?b"));
    EXPECT_FALSE(IsAnsiRepresentable(QStringLiteral("\u4e2d")));
    EXPECT_TRUE(IsAnsiRepresentable(QStringLiteral("Mercoledì €")));
}
