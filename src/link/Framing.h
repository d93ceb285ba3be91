#pragma once

#include "model/ConfigRecords.h"
#include "runtime/CodePage.h"

#include <QDateTime>
#include <QList>

namespace lumotrix {

// Control bytes that frame a transfer in both directions.
constexpr char SOH = 0x01;
constexpr char STX = 0x02;
constexpr char ETX = 0x03;
constexpr char EOT = 0x04;

// The decimal text of `value` (with "-" in front when negative), then "0" put in front until
// the text has at least `width` characters: -5 at width 3 is "0-5". Never cut.
AnsiString PaddedDecimal(qint64 value, int width);

// A degree value in whole tenths, rounded to the nearest tenth so that no decimal separator
// ever reaches the line.
qint64 Tenths(double degrees);

// The pieces of the timer packet of timer `index` (1..42), one per write, EOT last.
QList<AnsiString> TimerPacket(int index, const TimerRecord& record);
// The seven fields of the date packet and EOT; all zeros when `now` is null (sync off).
// Years outside 2000..2099 go out as their last two digits, so the packet keeps its width.
QList<AnsiString> DatePacket(const QDateTime& now);
// The temperature record's seven fields and EOT.
QList<AnsiString> TemperatureRecord(const TTemperatureSettings& settings);

} // namespace lumotrix
