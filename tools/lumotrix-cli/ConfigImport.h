#pragma once

#include "model/Configuration.h"

#include <QByteArray>
#include <QString>

namespace lumotrix {

// Fills `config` from the JSON object that `show --json` prints. Everything is checked before
// any table changes: exactly the keys named, 42 timers (port 1 to 8, one of the eight day
// names, start "HH:MM:SS" a time of day, duration "HH:MM" from 00:00 to 23:59, "on" a
// boolean), 8 ports numbered 1 to 8 once each, texts that fit their fields in Windows-1252
// and hold no control characters, temperatures 0 to 90 in tenths, hysteresis 0 to 100 and
// port choices 0 (none) to 8. Throws EReadError naming `source` and the value at fault.
void ConfigFromJson(const QByteArray& json, const QString& source, TConfiguration& config);

} // namespace lumotrix
