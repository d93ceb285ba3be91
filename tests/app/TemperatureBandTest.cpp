#include "app/TemperatureBand.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

QString Italian(int id) {
    static const QMap<int, QString> table = {
        {65521, QStringLiteral("(Le porte non saranno attive alla ")},
        {65522, QStringLiteral("temperatura di ")},
        {65523, QStringLiteral("(Le porte non saranno attive nell'intervallo")},
        {65524, QStringLiteral(" tra ")},
        {65525, QStringLiteral(" e ")},
        {65526, QStringLiteral("Porta attiva da 0°C a ")},
        {65527, QStringLiteral("Porta attiva da ")},
        {65528, QStringLiteral("°C in poi.")},
    };
    return table.value(id);
}

QString ItalianFloat(double x) {
    return QString::number(x, 'g', 15).replace('.', ',');
}

TTemperatureBandTexts Band(double ideal, int hysteresis) {
    return TemperatureBandTexts(ideal, hysteresis, Italian, ItalianFloat);
}

} // namespace

TEST(TemperatureBand, WorkedExamples) {
    auto t = Band(1.0, 0);
    EXPECT_EQ(t.TempMon, QStringLiteral("(Le porte non saranno attive alla temperatura di 1°C)"));
    EXPECT_EQ(t.Label10, QStringLiteral("Porta attiva da 0°C a 1,0°C"));
    EXPECT_EQ(t.Label11, QStringLiteral("Porta attiva da 1,5°C in poi."));

    t = Band(25.0, 2);
    EXPECT_EQ(t.TempMon,
              QStringLiteral("(Le porte non saranno attive nell'intervallo tra 25,0°C e 25,5°C )"));
    EXPECT_EQ(t.Label10, QStringLiteral("Porta attiva da 0°C a 24,5°C"));
    EXPECT_EQ(t.Label11, QStringLiteral("Porta attiva da 26,0°C in poi."));

    t = Band(25.5, 0);
    EXPECT_EQ(t.TempMon,
              QStringLiteral("(Le porte non saranno attive alla temperatura di 25,5°C)"));
    EXPECT_EQ(t.Label10, QStringLiteral("Porta attiva da 0°C a 25,5°C"));
    EXPECT_EQ(t.Label11, QStringLiteral("Porta attiva da 26,0°C in poi."));
}

TEST(TemperatureBand, FractionsAreCutToTheHalfDegreeBelow) {
    auto t = Band(24.3, 0);
    EXPECT_EQ(t.Label10, QStringLiteral("Porta attiva da 0°C a 24,0°C"));
    EXPECT_EQ(t.Label11, QStringLiteral("Porta attiva da 24,5°C in poi."));
    t = Band(90.0, 100);
    EXPECT_EQ(t.Label10, QStringLiteral("Porta attiva da 0°C a 0,0°C"));
    EXPECT_EQ(t.Label11, QStringLiteral("Porta attiva da 180,5°C in poi."));
}

TEST(TemperatureBand, EdgesMatchExactDecimalArithmetic) {
    // ideal = k/2 degrees, hysteresis h: the lower edge is (100k - kh)/20 tenths. Where that is
    // no tie, the printed edge must be the exact decimal one, however the binary arithmetic
    // lands (25.999999999999996 must not print as 25,5).
    for (int k = 0; k <= 180; ++k) {
        for (int h = 0; h <= 100; ++h) {
            const int numerator = 100 * k - k * h;
            if (numerator % 20 == 10)
                continue;
            const int tenths = (numerator + 10) / 20;
            const QString expected = QStringLiteral("Porta attiva da 0°C a %1,%2°C")
                                         .arg(tenths / 10)
                                         .arg(tenths % 10 >= 5 ? 5 : 0);
            ASSERT_EQ(Band(k / 2.0, h).Label10, expected) << k / 2.0 << " " << h;
        }
    }
    EXPECT_DOUBLE_EQ(RoundToTenth(0.25), 0.2);
    EXPECT_DOUBLE_EQ(RoundToTenth(0.75), 0.8);
}
