#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace lumotrix {

// The week chart as it is drawn: every text already in the language it is shown in, every time
// in seconds of the day. The chart knows nothing of timers or ports beyond this, so the window
// and the command-line export draw the same picture from the same description.

constexpr int WeekChartDays = 7;
constexpr int WeekChartDaySeconds = 24 * 3600;

// One on-interval of a port on one day.
struct TWeekChartBar {
    int Day = 0;  // 0 = Monday
    int From = 0; // seconds, 0 to WeekChartDaySeconds
    int To = 0;
    bool Problem = false;
    int TimerRow = 0; // the first timer's row, 1-based: where a click on the bar goes
    QString Text;     // tooltip and accessible name: port, day, times and timers
};

struct TWeekChartPort {
    int Number = 0;
    QString Name;
    QString Totals; // the daily on-time, beside the name
    std::array<QString, WeekChartDays> DayTotals;
    bool Regulated = false;
    std::vector<TWeekChartBar> Bars; // by day, then by start
};

// The legend's and the headings' words.
struct TWeekChartTexts {
    QString Title;     // heads an exported picture
    QString Regulated; // "regolata", drawn over a regulated port's days
    QString LegendOn, LegendProblem, LegendNow;
    QString Note; // how to read the chart: which timers count
    QString ProblemsHeading;
    QString NoProblems;
};

struct TWeekChartData {
    std::array<QString, WeekChartDays> DayHeaders;
    std::vector<TWeekChartPort> Ports;
    QStringList Problems;
    TWeekChartTexts Texts;
};

// Where "now" is drawn; Day -1 draws no line.
struct TWeekChartNow {
    int Day = -1;
    int Second = 0;
};

} // namespace lumotrix
