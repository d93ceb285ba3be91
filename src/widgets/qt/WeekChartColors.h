#pragma once

#include <QColor>
#include <QString>

namespace lumotrix {

// The week chart's colours in one ribbon colour scheme. Bars have a colour of their own in each
// scheme; problems differ by a pattern as well, so they read in grey too.
struct TWeekChartColors {
    QColor Background, Text, DimText;
    QColor Strip, Grid, Tick;
    QColor Bar, BarBorder;
    QColor Problem, ProblemPattern;
    QColor Regulated;
    QColor Now;
    QColor Focus;
};

// Unknown names fall back to "Blue", as the ribbon's own schemes do.
const TWeekChartColors& WeekChartColorsFor(const QString& schemeName);

} // namespace lumotrix
