#pragma once

#include <QString>
#include <functional>

namespace lumotrix {

// The three texts that explain the regulation band on the temperature page.
struct TTemperatureBandTexts {
    QString TempMon; // the band in which neither port is active
    QString Label10; // the lower port: from 0 °C up to the band
    QString Label11; // the upper port: from the band upwards
};

// Builds the texts for an ideal temperature and a hysteresis in percent of it. `loadString`
// gives the program's translatable strings by id; `generalFloat` formats a number in the
// general float format of the locale in force.
TTemperatureBandTexts TemperatureBandTexts(double ideal, int hysteresis,
                                           const std::function<QString(int)>& loadString,
                                           const std::function<QString(double)>& generalFloat);

// Rounds to one decimal, a tie going to the even neighbour.
double RoundToTenth(double value);

} // namespace lumotrix
