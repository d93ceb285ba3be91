#pragma once

#include "model/Configuration.h"

#include <QJsonObject>
#include <QString>

namespace lumotrix {

// The configuration as the JSON object that `import` reads back: "timers", "ports" and
// "temperature" (null when there is no temperature record). Texts are decoded from
// Windows-1252; an empty number, time or flag is null.
QJsonObject ConfigToJson(const TConfiguration& config);

// The configuration as readable tables, one section per table. Port names are quoted so that
// trailing blanks show.
QString ConfigToText(const TConfiguration& config);

// "HH:MM:SS" and "HH:MM" of the times the tables hold (milliseconds, and the seconds of a
// duration, dropped as the send drops them).
QString StartText(qint32 msecs);
QString DurationText(qint32 msecs);

} // namespace lumotrix
