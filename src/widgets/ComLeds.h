#pragma once

namespace lumotrix {

class TComPort;
class TComponent;

// Lights the TComLed components owned by `owner` from the port's line signals: each LED
// follows the signal its LedSignal names, from now on and starting with the port's present
// state. The connection ends when the port or the owner's LEDs go away.
void BindComLeds(TComPort* port, TComponent* owner);

} // namespace lumotrix
