#pragma once

#include "app/HoravelFormFields.h"
#include "link/LinkWindow.h"

#include <QString>
#include <functional>

namespace lumotrix {

class TControllerLink;
class TMemData;
class TMessage;
class TStatusMessage;
class TTemperaturePage;

// The main window as the controller link sees it: the progress bar, the commands that wait
// while a transfer runs (the appearance tab among them), the receive button that turns into
// its own cancel, the received temperature settings and the link's error messages.
class TTransferCommands : public TLinkWindow {
public:
    TTransferCommands(const TForm1Fields& fields, TTemperaturePage& temperature)
        : F(fields), FTemperature(temperature) {}

    // `mode` is "R" for a receive, "I" for a send.
    void TransferStart(const QString& mode) override;
    void TransferEnd(const QString& mode) override;
    void SetProgressMax(int maximum) override;
    void SetProgress(int position) override;
    void SetReceiveEnabled(bool enabled) override;
    void SetSendEnabled(bool enabled) override;
    void DisableSaveAndClear() override;
    void StoreTemperature(const TTemperatureSettings& settings) override;
    void ShowError(const QString& message) override;

    // The window's transfer commands. The link is passed each time, as the window rebuilds it
    // around a new pause; the status message says what was done.
    // "Invio": sends what the window shows.
    void Send(TControllerLink& link, TStatusMessage& status);
    // "Ricevi": listens for the controller's configuration, or stops listening.
    void Receive(TControllerLink& link, TStatusMessage& status);
    // The controller's configuration arrived into `timers`; `startAfresh` runs however the
    // receive ends.
    void Received(TControllerLink& link, TStatusMessage& status, const TMemData& timers,
                  const std::function<void()>& startAfresh);
    void LineLost(TControllerLink& link, TStatusMessage& status, const TMessage& message);
    // The port opened or closed: "Disconnetti" follows it, the pages wait while it is open.
    void PortOpened(bool open);
    // The window is going: the port's events must not reach it, and the port closes.
    void ReleasePort();

private:
    void SetCommandsEnabled(bool enabled);

    const TForm1Fields& F;
    TTemperaturePage& FTemperature;
};

} // namespace lumotrix
