#pragma once

namespace lumotrix {

class TComLed;
class TComPort;
class TComponent;

// Lights `led` from the line signal its LedSignal names on `port`, from now on and starting
// with the port's present state; a null port unbinds the LED and darkens it. Binding again
// replaces the previous binding. TComLed::SetComPort (the published ComPort property) calls
// this; the binding ends when the port or the LED goes away.
void BindComLed(TComLed* led, TComPort* port);

// Sets the port of every TComLed owned by `owner`, for code that wires the LEDs itself.
void BindComLeds(TComPort* port, TComponent* owner);

} // namespace lumotrix
