#pragma once

#include "model/WeekModel.h"
#include "widgets/qt/WeekChartData.h"

#include <array>

namespace lumotrix {

using TWeekDayNames = std::array<QString, WeekDayCount>; // Monday first

// The week chart's description of `week`, its texts from the string table in force (the
// window's language, or the command-line tool's English), its days named by `dayNames`.
// `title` heads an exported picture.
TWeekChartData FillWeekChart(const TWeekModel& week, const TWeekDayNames& dayNames,
                             const QString& title);

// The long day names of the format settings in force, Monday first.
TWeekDayNames FormatSettingsDayNames();

// "10 h 30 min" of a number of seconds, in the string table's words.
QString WeekDurationText(int seconds);

} // namespace lumotrix
