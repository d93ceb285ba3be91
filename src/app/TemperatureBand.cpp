#include "app/TemperatureBand.h"
#include "app/AppMessageIds.h"

#include <cmath>

namespace lumotrix {
namespace {

// The band edges are multiples of 0.1 computed in binary floating point; snapping them to a
// millionth first keeps 26.0 from printing as 25,5 when it arrives as 25.999999999999996.
double Snapped(double x) {
    return std::round(x * 1e6) / 1e6;
}

// "24,5" / "26,0": the whole degrees, a literal comma and 5 or 0 for the half degree.
QString HalfDegrees(double x, const std::function<QString(double)>& generalFloat) {
    const double snapped = Snapped(x);
    const double whole = std::trunc(snapped);
    const double half = (snapped - whole) * 10 >= 5 ? 5 : 0;
    return generalFloat(whole) + QLatin1Char(',') + generalFloat(half);
}

} // namespace

double RoundToTenth(double value) {
    return std::nearbyint(value / 0.1) * 0.1;
}

TTemperatureBandTexts TemperatureBandTexts(double ideal, int hysteresis,
                                           const std::function<QString(int)>& loadString,
                                           const std::function<QString(double)>& generalFloat) {
    const double d = ideal * hysteresis / 100.0;
    const double lo = RoundToTenth(ideal - d);
    const double hi = RoundToTenth(ideal + d);
    TTemperatureBandTexts texts;
    if (hysteresis == 0) {
        texts.TempMon = loadString(msgBandOffAtIdeal) + loadString(msgBandTemperatureOf) +
                        generalFloat(ideal) + QStringLiteral("°C)");
    } else {
        texts.TempMon = loadString(msgBandOffBetween) + loadString(msgBandBetween) +
                        HalfDegrees(lo + 0.5, generalFloat) + QStringLiteral("°C") +
                        loadString(msgBandAnd) + HalfDegrees(hi, generalFloat) +
                        QStringLiteral("°C )");
    }
    texts.Label10 =
        loadString(msgBandOnFromZero) + HalfDegrees(lo, generalFloat) + QStringLiteral("°C");
    texts.Label11 = loadString(msgBandOnFrom) + HalfDegrees(hi + 0.5, generalFloat) +
                    loadString(msgBandOnwards);
    return texts;
}

} // namespace lumotrix
