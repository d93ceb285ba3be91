#pragma once

#include "model/ConfigTables.h"
#include "runtime/CodePage.h"

#include <QDateTime>
#include <QList>
#include <array>
#include <cstdint>

namespace lumotrix {

// Control bytes that frame a transfer in both directions.
constexpr char SOH = 0x01;
constexpr char STX = 0x02;
constexpr char ETX = 0x03;
constexpr char EOT = 0x04;

// The decimal text of `value` (with "-" in front when negative), then "0" put in front until
// the text has at least `width` characters: -5 at width 3 is "0-5". Never cut.
AnsiString PaddedDecimal(qint64 value, int width);

// One timer as the send reads it and the receive writes it. Day is the day code (0..8) when
// filled for sending and the day-name position (code + 1) when filled by a receive.
struct TimerRecord {
    std::int32_t StartHour = 0;
    std::int32_t StartMinute = 0;
    std::int32_t StartSecond = 0;
    std::int32_t Day = 0;
    std::int32_t DurationHour = 0;
    std::int32_t DurationMinute = 0;
    std::uint8_t IsOn = 0;
    std::int32_t OutputPort = 0;

    bool operator==(const TimerRecord&) const = default;
};

// Timer k (1..42 in the program) is TimerImage[k - 1].
using TTimerImage = std::array<TimerRecord, TimerCount>;

// The temperature page's values as the link sends and receives them.
struct TTemperatureSettings {
    bool SensorEnabled = false;
    double MinTemp = 0;
    double MaxTemp = 0;
    double TempIdeale = 1.0;
    int Isteresi = 0;
    int PrimaPt = 0; // port number, 0 when none is chosen
    int SecondaPt = 0;

    bool operator==(const TTemperatureSettings&) const = default;
};

using TPortNames = std::array<AnsiString, PortCount>;

// Everything a send carries besides the date.
struct TControllerConfig {
    TTimerImage Timers{}; // send convention: Day is the day code
    TPortNames PortNames{};
    TTemperatureSettings Temperature{};

    bool operator==(const TControllerConfig&) const = default;
};

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
