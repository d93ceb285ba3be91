#pragma once

#include "widgets/qt/WeekChartColors.h"
#include "widgets/qt/WeekChartData.h"
#include "widgets/qt/WeekChartLayout.h"

class QPainter;

namespace lumotrix {

// What is drawn besides the chart itself: "now" and, on screen, the focused bar.
struct TWeekChartState {
    TWeekChartNow Now;
    int FocusBar = -1; // index into the layout's Bars
};

// Paints the chart on any paint device: the page, an SVG, a PDF page, an image.
void PaintWeekChart(QPainter& painter, const TWeekChartData& data, const TWeekChartLayout& layout,
                    const TWeekChartColors& colors, const TWeekChartState& state = {});

} // namespace lumotrix
