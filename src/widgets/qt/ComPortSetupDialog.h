#pragma once

#include "runtime/SerialSettings.h"

#include <QDialog>

class QComboBox;

namespace lumotrix {

// The serial port's setup dialog: port (from the ports present, or any device path typed
// in), speed, data bits, parity, stop bits and flow control. Load() shows a port's settings;
// Apply() writes the edited ones into a set, for the port to take as a whole.
class TComPortSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit TComPortSetupDialog(QWidget* parent = nullptr);

    void Load(const TComSettings& settings);
    // Throws ERangeError, changing nothing, when a setting is refused.
    void Apply(TComSettings& settings) const;

    // Shows the dialog modally for `settings` and writes the edited ones into it when
    // confirmed. Returns true when they were written.
    static bool Execute(TComSettings& settings, QWidget* parent = nullptr);

    QComboBox* PortBox() const { return FPort; }
    QComboBox* BaudRateBox() const { return FBaudRate; }
    QComboBox* DataBitsBox() const { return FDataBits; }
    QComboBox* ParityBox() const { return FParity; }
    QComboBox* StopBitsBox() const { return FStopBits; }
    QComboBox* FlowControlBox() const { return FFlowControl; }

private:
    QComboBox* FPort;
    QComboBox* FBaudRate;
    QComboBox* FDataBits;
    QComboBox* FParity;
    QComboBox* FStopBits;
    QComboBox* FFlowControl;
    int FLoadedFlow = 0;
};

} // namespace lumotrix
