#pragma once

#include "widgets/qt/WeekChartData.h"

#include <QFont>
#include <QRect>
#include <array>
#include <vector>

namespace lumotrix {

// Where everything of a week chart goes at a given width: the painter draws from it, the
// widget finds bars under the mouse and for the arrow keys from it. Fonts are pixel-sized, so
// one layout serves the screen, an SVG, a PDF page and an image alike.
struct TWeekChartLayout {
    struct TRow {
        QRect Label; // number, name and totals
        std::array<QRect, WeekChartDays> Strips;
        std::array<QRect, WeekChartDays> DayTotals;
    };
    // One bar on the chart, in the order the arrow keys walk: port by port, day by day.
    struct TBarPlace {
        int Port = 0;
        int Bar = 0;
        QRect Rect;
    };

    QFont Font, SmallFont, BoldFont;
    QRect Title; // empty unless asked for
    std::array<QRect, WeekChartDays> DayHeaders;
    std::array<QRect, WeekChartDays> HourLabels;
    std::vector<TRow> Rows;
    std::vector<TBarPlace> Bars;
    QRect Legend;
    QRect ProblemsHeading;
    std::vector<QRect> Problems;
    int Height = 0;

    // Index into Bars of the bar at `point`, -1 for none.
    int BarAt(const QPoint& point) const;
    // The bar the arrow key `key` (Qt::Key_Left ...) moves to from bar `from`; `from` itself
    // when there is none that way.
    int Neighbour(int from, int key) const;
};

// Lays out `data` `width` pixels wide in `font` (any size unit; pixel-sized inside), with a
// title line when `withTitle`.
TWeekChartLayout LayOutWeekChart(const TWeekChartData& data, const QFont& font, int width,
                                 bool withTitle = false);

} // namespace lumotrix
