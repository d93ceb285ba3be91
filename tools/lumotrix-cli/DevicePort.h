#pragma once

#include "runtime/SerialPort.h"

#include <QSerialPort>
#include <QString>

namespace lumotrix {

// The link's port on a serial device named by its path, for the command-line tool: 9600 bit/s,
// 8 data bits, no parity, 1 stop bit, no flow control, as the controller expects. Received
// bytes are delivered from the Qt event loop (a QCoreApplication must exist).
class TDevicePort : public TSerialPort {
public:
    explicit TDevicePort(const QString& device);
    ~TDevicePort() override;

    const QString& Device() const { return FDevice; }

    void Open() override;
    void Close() override;
    bool IsOpen() const override { return FPort.isOpen(); }
    void WriteStr(const QByteArray& bytes) override;
    QByteArray ReadStr(int count) override;

    // Waits until the line has taken every byte written, so that closing the port loses none.
    void Drain();
    // Raised from the event loop when the device fails while open (unplugged, hung up).
    std::function<void(const QString& message)> OnError;

private:
    void DataArrived();
    [[noreturn]] void Fail(const QString& what);

    QString FDevice;
    QSerialPort FPort;
    QByteArray FWaiting;
};

} // namespace lumotrix
