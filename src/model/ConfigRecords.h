#pragma once

// The configuration as records: what the controller link sends and receives, and what the
// tables are converted to and from.

#include "model/ConfigFields.h"
#include "runtime/CodePage.h"

#include <array>
#include <cstdint>

namespace lumotrix {

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

} // namespace lumotrix
