#include "DevicePort.h"

#include "link/Framing.h"
#include "runtime/Exception.h"

#include <QDeadlineTimer>

#ifdef Q_OS_UNIX
#include <termios.h>
#endif

namespace lumotrix {

namespace {
// A line that takes nothing for this long is not going to take the rest.
constexpr int WriteStallMSecs = 10000;
} // namespace

TDevicePort::TDevicePort(const QString& device) : FDevice(device) {
    FPort.setPortName(device);
    QObject::connect(&FPort, &QSerialPort::readyRead, [this] { DataArrived(); });
    QObject::connect(&FPort, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::ResourceError && OnError)
            OnError(QStringLiteral("The port %1 failed: %2").arg(FDevice, FPort.errorString()));
    });
}

TDevicePort::~TDevicePort() {
    // Events must not reach a link that may already be gone.
    FPort.disconnect();
    if (FPort.isOpen())
        FPort.close();
}

void TDevicePort::Fail(const QString& what) {
    throw EWriteError(QStringLiteral("%1 %2: %3").arg(what, FDevice, FPort.errorString()));
}

void TDevicePort::Open() {
    if (FPort.isOpen())
        return;
    FWaiting.clear();
    if (!FPort.open(QIODevice::ReadWrite))
        throw EResNotFound(
            QStringLiteral("Cannot open the port %1: %2").arg(FDevice, FPort.errorString()));
    const bool configured =
        FPort.setBaudRate(QSerialPort::Baud9600) && FPort.setDataBits(QSerialPort::Data8) &&
        FPort.setParity(QSerialPort::NoParity) && FPort.setStopBits(QSerialPort::OneStop) &&
        FPort.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        const QString reason = FPort.errorString();
        FPort.close();
        throw EResNotFound(QStringLiteral("Cannot set up the port %1: %2").arg(FDevice, reason));
    }
}

void TDevicePort::Close() {
    if (FPort.isOpen())
        FPort.close();
}

void TDevicePort::WriteStr(const QByteArray& bytes) {
    if (!FPort.isOpen())
        throw EWriteError(QStringLiteral("Cannot write to %1: the port is closed").arg(FDevice));
    if (FPort.write(bytes) != bytes.size())
        Fail(QStringLiteral("Cannot write to"));
    while (FPort.bytesToWrite() > 0) {
        const qint64 before = FPort.bytesToWrite();
        if (!FPort.waitForBytesWritten(WriteStallMSecs) && FPort.bytesToWrite() >= before)
            Fail(QStringLiteral("The line takes no more bytes on"));
    }
}

void TDevicePort::Drain() {
    if (!FPort.isOpen())
        return;
    while (FPort.bytesToWrite() > 0)
        if (!FPort.waitForBytesWritten(WriteStallMSecs))
            Fail(QStringLiteral("The line takes no more bytes on"));
#ifdef Q_OS_UNIX
    // The driver may still hold bytes that the UART has not shifted out.
    ::tcdrain(int(FPort.handle()));
#endif
}

QByteArray TDevicePort::ReadStr(int count) {
    const QByteArray taken = FWaiting.left(qMax(count, 0));
    FWaiting.remove(0, taken.size());
    return taken;
}

void TDevicePort::DataArrived() {
    QByteArray batch = FPort.readAll();
    // The controller's line may carry NUL fill that is no part of any transfer.
    batch.replace('\0', QByteArray());
    if (batch.isEmpty())
        return;
    FWaiting += batch;
    if (OnRxChar)
        OnRxChar(int(FWaiting.size()));
    if (batch.contains(ETX) && OnRxFlag)
        OnRxFlag();
}

} // namespace lumotrix
