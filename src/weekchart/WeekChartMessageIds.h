#pragma once

#include <QtGlobal>

namespace lumotrix {

// The week chart's texts (see runtime/MessageIds.h for the numbering).
enum TWeekChartMessageId : quint16 {
    // The week page: a bar's name, the daily totals, the legend, the problems' heading, the
    // export's title and file dialog.
    msgWeekBar = 64719,
    msgWeekRegulated = 64718,
    msgWeekNeverOn = 64717,
    msgWeekPerDay = 64716,
    msgWeekPerDayRange = 64715,
    msgWeekHours = 64714,
    msgWeekMinutes = 64713,
    msgWeekHoursMinutes = 64712,
    msgWeekLegendOn = 64711,
    msgWeekLegendProblem = 64710,
    msgWeekLegendNow = 64709,
    msgWeekNote = 64708,
    msgWeekProblems = 64707,
    msgWeekNoProblems = 64706,
    msgWeekTitle = 64705,
    msgWeekTitleFile = 64704,
    msgWeekExportCaption = 64703,
    msgWeekExportFilter = 64702,
};

} // namespace lumotrix
