#include "widgets/ComPort.h"

#include "runtime/Exception.h"
#include "widgets/Application.h"
#include "widgets/ComPortSetupDialog.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <QSerialPort>
#include <QTimer>

namespace lumotrix {

namespace {

constexpr int PinoutPollMs = 250;
constexpr int ActivityFlashMs = 60;
constexpr int WriteTimeoutMs = 10000;

QSerialPort::Parity ToQt(TParityBits parity) {
    switch (parity) {
    case TParityBits::prOdd:
        return QSerialPort::OddParity;
    case TParityBits::prEven:
        return QSerialPort::EvenParity;
    case TParityBits::prMark:
        return QSerialPort::MarkParity;
    case TParityBits::prSpace:
        return QSerialPort::SpaceParity;
    case TParityBits::prNone:
        break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits ToQt(TStopBits stopBits) {
    switch (stopBits) {
    case TStopBits::sbOne5StopBits:
        return QSerialPort::OneAndHalfStop;
    case TStopBits::sbTwoStopBits:
        return QSerialPort::TwoStop;
    case TStopBits::sbOneStopBit:
        break;
    }
    return QSerialPort::OneStop;
}

QSerialPort::FlowControl ToQt(const TComFlowControl& flow) {
    if (flow.OutCTSFlow || flow.ControlRTS == TRTSFlowControl::rtsHandshake)
        return QSerialPort::HardwareControl;
    if (flow.XonXoffIn || flow.XonXoffOut)
        return QSerialPort::SoftwareControl;
    return QSerialPort::NoFlowControl;
}

} // namespace

TComPort::TComPort(QObject* parent)
    : QObject(parent), FPort(new QSerialPort(this)), FPinoutTimer(new QTimer(this)),
      FTxTimer(new QTimer(this)), FRxTimer(new QTimer(this)) {
    FPinoutTimer->setInterval(PinoutPollMs);
    FTxTimer->setSingleShot(true);
    FTxTimer->setInterval(ActivityFlashMs);
    FRxTimer->setSingleShot(true);
    FRxTimer->setInterval(ActivityFlashMs);
    connect(FPinoutTimer, &QTimer::timeout, this, [this] { PollPinout(); });
    connect(FTxTimer, &QTimer::timeout, this, [this] { SetSignal(TComSignal::lsTx, false); });
    connect(FRxTimer, &QTimer::timeout, this, [this] { SetSignal(TComSignal::lsRx, false); });
    connect(FPort, &QSerialPort::readyRead, this, [this] { OnReadyRead(); });
    connect(FPort, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        // The device went away (a USB adapter unplugged): the port is closed. Everything else
        // is reported where it happened, or is a line-signal request the device can't serve.
        if (error == QSerialPort::ResourceError && FPort->isOpen())
            QTimer::singleShot(0, this, [this] { Guarded([this] { Close(); }); });
    });
}

TComPort::~TComPort() {
    if (FPort->isOpen())
        FPort->close();
}

QString TComPort::DeviceName(const QString& port) {
    static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]*)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = com.match(port.trimmed());
    if (m.hasMatch()) {
#ifdef Q_OS_WIN
        return port.trimmed().toUpper();
#else
        return QStringLiteral("/dev/ttyS%1").arg(m.captured(1).toInt() - 1);
#endif
    }
    return port;
}

void TComPort::SetPort(const QString& port) {
    if (port == FPortName)
        return;
    const bool wasOpen = IsOpen();
    if (wasOpen)
        Close();
    FPortName = port;
    if (wasOpen)
        Open();
}

void TComPort::SetBaudRate(int baudRate) {
    if (baudRate <= 0)
        throw ERangeError(QStringLiteral("Velocità non valida: %1").arg(baudRate));
    FBaudRate = baudRate;
    ApplySettings();
}

void TComPort::SetDataBits(int dataBits) {
    if (dataBits < 5 || dataBits > 8)
        throw ERangeError(QStringLiteral("Bit di dati non validi: %1").arg(dataBits));
    FDataBits = dataBits;
    ApplySettings();
}

void TComPort::SetParity(TParityBits parity) {
    FParity = parity;
    ApplySettings();
}

void TComPort::SetStopBits(TStopBits stopBits) {
    FStopBits = stopBits;
    ApplySettings();
}

void TComPort::SetFlowControl(const TComFlowControl& flowControl) {
    FFlowControl = flowControl;
    ApplySettings();
    ApplyLineControl();
}

[[noreturn]] void TComPort::Fail(const QString& what) {
    const QString reason = FPort->errorString();
    FPort->clearError();
    throw Exception(
        QStringLiteral("%1 %2 (%3): %4").arg(what, FPortName, DeviceName(FPortName), reason));
}

void TComPort::ApplySettings() {
    if (!FPort->isOpen())
        return; // applied on Open
    if (!FPort->setBaudRate(FBaudRate) ||
        !FPort->setDataBits(static_cast<QSerialPort::DataBits>(FDataBits)) ||
        !FPort->setParity(ToQt(FParity)) || !FPort->setStopBits(ToQt(FStopBits)) ||
        !FPort->setFlowControl(ToQt(FFlowControl)))
        Fail(QStringLiteral("Impostazioni non accettate dalla porta"));
}

void TComPort::ApplyLineControl() {
    if (!FPort->isOpen())
        return;
    // A device without modem lines (a pseudo-terminal) refuses these requests; that is no
    // reason to close the port or to bother the user.
    const TComFlowControl& f = FFlowControl;
    if (f.ControlDTR != TDTRFlowControl::dtrHandshake)
        FPort->setDataTerminalReady(f.ControlDTR == TDTRFlowControl::dtrEnable);
    if (ToQt(f) != QSerialPort::HardwareControl)
        FPort->setRequestToSend(f.ControlRTS == TRTSFlowControl::rtsEnable);
    FPort->clearError();
}

void TComPort::Open() {
    if (FPort->isOpen())
        return;
    FPort->setPortName(DeviceName(FPortName));
    FPort->setBaudRate(FBaudRate);
    FPort->setDataBits(static_cast<QSerialPort::DataBits>(FDataBits));
    FPort->setParity(ToQt(FParity));
    FPort->setStopBits(ToQt(FStopBits));
    FPort->setFlowControl(ToQt(FFlowControl));
    if (!FPort->open(QIODevice::ReadWrite))
        Fail(QStringLiteral("Impossibile aprire la porta"));
    FReceived.clear();
    ApplyLineControl();
    FPinoutSupported = true;
    PollPinout();
    if (FPinoutSupported)
        FPinoutTimer->start();
    SetSignal(TComSignal::lsConn, true);
    emit AfterOpen();
}

void TComPort::Close() {
    if (!FPort->isOpen())
        return;
    FPinoutTimer->stop();
    FPort->close();
    FPort->clearError();
    FReceived.clear();
    for (TComSignal s : {TComSignal::lsCTS, TComSignal::lsDSR, TComSignal::lsRLSD, TComSignal::lsTx,
                         TComSignal::lsRx, TComSignal::lsConn})
        SetSignal(s, false);
    emit AfterClose();
}

bool TComPort::IsOpen() const {
    return FPort->isOpen();
}

void TComPort::WriteStr(const QByteArray& bytes) {
    if (!FPort->isOpen())
        throw EWriteError(QStringLiteral("La porta %1 non è aperta").arg(FPortName));
    if (bytes.isEmpty())
        return;
    Flash(TComSignal::lsTx);
    FInWrite = true;
    const auto done = qScopeGuard([this] {
        FInWrite = false;
        if (FPort->bytesAvailable() > 0)
            ScheduleDelivery();
    });
    if (FPort->write(bytes) != bytes.size())
        Fail(QStringLiteral("Scrittura non riuscita sulla porta"));
    // Hand every byte to the device now: the send paces itself by pauses, which must not
    // start while bytes still wait in our own buffer.
    while (FPort->bytesToWrite() > 0)
        if (!FPort->waitForBytesWritten(WriteTimeoutMs))
            Fail(QStringLiteral("Scrittura non riuscita sulla porta"));
}

QByteArray TComPort::ReadStr(int count) {
    const QByteArray taken = FReceived.left(qMax(count, 0));
    FReceived.remove(0, taken.size());
    return taken;
}

void TComPort::HoldEvents(bool hold) {
    FHold = hold;
    if (!hold && FPort->isOpen() && FPort->bytesAvailable() > 0)
        ScheduleDelivery();
}

void TComPort::ScheduleDelivery() {
    if (FDeliveryScheduled)
        return;
    FDeliveryScheduled = true;
    QTimer::singleShot(0, this, [this] {
        FDeliveryScheduled = false;
        OnReadyRead();
    });
}

void TComPort::OnReadyRead() {
    if (FHold || FInWrite || FDelivering)
        return; // delivered when the hold, the write or the handler ends
    DeliverPending();
}

void TComPort::DeliverPending() {
    if (!FPort->isOpen())
        return;
    QByteArray batch = FPort->readAll();
    if (FDiscardNull)
        batch.replace(QByteArray(1, '\0'), QByteArray());
    if (batch.isEmpty())
        return;
    Flash(TComSignal::lsRx);
    FReceived += batch;
    FDelivering = true;
    Guarded([&] {
        const auto done = qScopeGuard([this] { FDelivering = false; });
        if (OnRxChar)
            OnRxChar(int(FReceived.size()));
        if (batch.contains(FEventChar) && OnRxFlag)
            OnRxFlag();
    });
    FDelivering = false;
    if (FPort->isOpen() && FPort->bytesAvailable() > 0)
        ScheduleDelivery();
}

void TComPort::PollPinout() {
    if (!FPort->isOpen() || !FPinoutSupported)
        return;
    const QSerialPort::PinoutSignals pins = FPort->pinoutSignals();
    if (FPort->error() != QSerialPort::NoError) {
        FPort->clearError();
        FPinoutSupported = false;
        FPinoutTimer->stop();
        return;
    }
    SetSignal(TComSignal::lsCTS, pins.testFlag(QSerialPort::ClearToSendSignal));
    SetSignal(TComSignal::lsDSR, pins.testFlag(QSerialPort::DataSetReadySignal));
    SetSignal(TComSignal::lsRLSD, pins.testFlag(QSerialPort::DataCarrierDetectSignal));
}

bool TComPort::ShowSetupDialog(QWidget* parent) {
    return TComPortSetupDialog::Execute(*this, parent);
}

bool TComPort::SignalState(TComSignal signal) const {
    return FSignals[int(signal)];
}

void TComPort::SetSignal(TComSignal signal, bool lit) {
    if (FSignals[int(signal)] == lit)
        return;
    FSignals[int(signal)] = lit;
    emit SignalChanged(signal, lit);
}

void TComPort::Flash(TComSignal signal) {
    SetSignal(signal, true);
    (signal == TComSignal::lsTx ? FTxTimer : FRxTimer)->start();
}

} // namespace lumotrix
