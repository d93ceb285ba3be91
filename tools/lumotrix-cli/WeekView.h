#pragma once

#include "model/WeekModel.h"

#include <QJsonObject>
#include <QString>

namespace lumotrix {

// The week as JSON: "ports", all eight in number order, each with its daily totals and its
// on-intervals by day and start, and "problems" in their listed order. Times are "HH:MM:SS".
QJsonObject WeekToJson(const TWeekModel& week);

// The week as readable text: per port its days with their totals and intervals, then the
// problems in words.
QString WeekToText(const TWeekModel& week);

} // namespace lumotrix
