#pragma once

#include "widgets/Control.h"

namespace lumotrix {

class LedPanel;
class TComPort;

enum TComLedKind { lkRedLight, lkGreenLight, lkYellowLight, lkPurpleLight, lkBlueLight };
LUMOTRIX_ENUM_NAMES(TComLedKind, "lkRedLight", "lkGreenLight", "lkYellowLight", "lkPurpleLight",
                    "lkBlueLight")
enum TComLedSignal { lsCTS, lsDSR, lsRLSD, lsRing, lsTx, lsRx, lsConn };
LUMOTRIX_ENUM_NAMES(TComLedSignal, "lsCTS", "lsDSR", "lsRLSD", "lsRing", "lsTx", "lsRx", "lsConn")

// A line-state LED above its caption. The port named by ComPort drives State from the line
// signal LedSignal names, starting with the port's present state; the LED only shows it.
class TComLed : public TControl {
public:
    explicit TComLed(TComponent* owner = nullptr);
    TComLedKind Kind() const { return FKind; }
    void SetKind(TComLedKind kind);
    TComLedSignal LedSignal() const { return FSignal; }
    void SetLedSignal(TComLedSignal signal) { FSignal = signal; }
    QString Caption() const;
    void SetCaption(const QString& caption);
    bool State() const;
    void SetState(bool lit);
    LedPanel* Panel() const;
    TComPort* ComPort() const { return FComPort; }
    // A null port unbinds the LED and darkens it; the binding ends when the port goes away.
    void SetComPort(TComPort* port);
    ~TComLed() override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TComLedKind FKind = lkRedLight;
    TComLedSignal FSignal = lsConn;
    TComPort* FComPort = nullptr;
};

// Sets the port of every TComLed owned by `owner`, for code that wires the LEDs itself.
void BindComLeds(TComPort* port, TComponent* owner);

} // namespace lumotrix
