#include "runtime/FormatSettings.h"

#include <gtest/gtest.h>

using namespace lumotrix;

TEST(FloatToStr, GeneralFormatDropsNeedlessDecimals) {
    TFormatSettings it;
    it.DecimalSeparator = QLatin1Char(',');
    EXPECT_EQ(FloatToStr(25.0, it), "25");
    EXPECT_EQ(FloatToStr(25.5, it), "25,5");
    EXPECT_EQ(FloatToStr(-0.25, it), "-0,25");
    EXPECT_EQ(FloatToStr(0.1 + 0.2, it), "0,3");
    EXPECT_EQ(FloatToStr(0.0, it), "0");
    EXPECT_EQ(FloatToStr(1e20, it), "1E20");
    EXPECT_EQ(FloatToStr(1.5e-7, it), "1,5E-7");
}

TEST(FormatSettings, FollowTheLocale) {
    const TFormatSettings saved = FormatSettings();
    BuildFormatSettingsForLocale(QStringLiteral("it_IT"));
    EXPECT_EQ(FormatSettings().DecimalSeparator, QLatin1Char(','));
    EXPECT_EQ(FloatToStr(24.5), "24,5");
    BuildFormatSettingsForLocale(QStringLiteral("en_US"));
    EXPECT_EQ(FormatSettings().DecimalSeparator, QLatin1Char('.'));
    FormatSettings() = saved;
}
