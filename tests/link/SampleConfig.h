#pragma once

#include "lumotrix-sim/ControllerProtocol.h"

namespace lumotrix::test {

// A configuration with a different value in every field, in send convention.
inline TControllerConfig SampleConfig() {
    TControllerConfig c;
    for (int k = 0; k < TimerCount; ++k) {
        TimerRecord& r = c.Timers[k];
        r.StartHour = k % 24;
        r.StartMinute = (k * 7) % 60;
        r.StartSecond = (k * 13) % 60;
        r.Day = k % 8;
        r.DurationHour = (k * 5) % 24;
        r.DurationMinute = (k * 11) % 60;
        r.IsOn = k % 3 == 0 ? 1 : 0;
        r.OutputPort = k % 8 + 1;
    }
    for (int p = 0; p < PortCount; ++p)
        c.PortNames[p] = "Porta " + AnsiString::number(p + 1);
    c.PortNames[2] = "Luce \xec blu"; // 8-bit text goes out as its bytes
    c.Temperature = {true, 22.0, 28.5, 25.5, 5, 3, 7};
    return c;
}

} // namespace lumotrix::test
