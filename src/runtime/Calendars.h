#pragma once

#include "runtime/Locales.h"

#include <QList>
#include <QString>

namespace lumotrix {

// One era of an era calendar: its name and the Gregorian year in which its year 1 falls.
struct TEra {
    QString Name;
    int YearOffset = 0;
};

// The eras of an era calendar (CAL_JAPAN, CAL_TAIWAN) named in the locale's language, oldest
// first; those of the Japanese calendar from Meiji on, as the platform counts them. Empty for
// any other calendar.
QList<TEra> CalendarEras(int calendar, TLocaleId locale);

} // namespace lumotrix
