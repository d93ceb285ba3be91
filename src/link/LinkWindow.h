#pragma once

#include "model/ConfigRecords.h"

#include <QString>

namespace lumotrix {

// What the controller link asks of the window around a transfer. Each operation does nothing
// unless overridden, so a headless user (the command-line tool, a test) overrides only what it
// needs.
class TLinkWindow {
public:
    virtual ~TLinkWindow() = default;

    // Lock and unlock the window's commands; `mode` is TransferMode ("I" or "R").
    virtual void TransferStart(const QString& /*mode*/) {}
    virtual void TransferEnd(const QString& /*mode*/) {}
    virtual void SetProgressMax(int /*maximum*/) {}
    virtual void SetProgress(int /*position*/) {}
    // "Ricezione dati" and "Invio dati".
    virtual void SetReceiveEnabled(bool /*enabled*/) {}
    virtual void SetSendEnabled(bool /*enabled*/) {}
    // The receive command disables "Salva " and "Azzera dati" after its unlock.
    virtual void DisableSaveAndClear() {}
    // A dump that passed every check: the temperature settings it carried. The configuration's
    // timer and port tables have been rebuilt by then.
    virtual void StoreTemperature(const TTemperatureSettings& /*received*/) {}
    // An error message box captioned with the application title.
    virtual void ShowError(const QString& /*message*/) {}
};

} // namespace lumotrix
