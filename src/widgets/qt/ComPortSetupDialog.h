#pragma once

#include <QDialog>

class QComboBox;

namespace lumotrix {

class TComPort;

// The serial port's setup dialog: port (from the ports present, or any device path typed
// in), speed, data bits, parity, stop bits and flow control. Load() shows a port's settings;
// Apply() writes the edited ones back, which takes effect at once on an open port.
class TComPortSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit TComPortSetupDialog(QWidget* parent = nullptr);

    void Load(const TComPort& port);
    // Throws ERangeError, changing nothing, when a setting is refused.
    void Apply(TComPort& port) const;

    // Shows the dialog modally for `port` and applies the settings when confirmed. Returns
    // true when they were applied.
    static bool Execute(TComPort& port, QWidget* parent = nullptr);

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
