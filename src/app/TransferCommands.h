#pragma once

#include "app/HoravelFormFields.h"
#include "link/LinkWindow.h"

#include <QString>

namespace lumotrix {

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

private:
    void SetCommandsEnabled(bool enabled);

    const TForm1Fields& F;
    TTemperaturePage& FTemperature;
};

} // namespace lumotrix
