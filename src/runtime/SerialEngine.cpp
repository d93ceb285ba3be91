#include "runtime/SerialEngine.h"

#include "runtime/Exception.h"
#include "runtime/MessageIds.h"
#include "runtime/ScopeExit.h"
#include "runtime/SystemReason.h"

#include <QFileInfo>
#include <QSerialPort>
#include <QTimer>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <poll.h>
#include <termios.h>
#endif

namespace lumotrix {

namespace {

constexpr int PinoutPollMs = 250;
constexpr int ActivityFlashMs = 60;
// A line that takes nothing for this long is not going to take the rest.
constexpr int WriteStallMs = 10000;
// A line that fails this often running, without a byte in between, is gone whatever the
// system calls it: Qt's notifiers would fire (and fail) on it for ever.
constexpr int FailuresBeforeLoss = 8;

// The port as the user named it, with its device only where that says more.
TMessageArg PortNamed(const QString& port) {
    const QString device = DeviceName(port);
    if (device == port)
        return port;
    return TMessage(msgPortNamedDevice, {port, device});
}

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

TSerialEngine::TSerialEngine()
    : FPort(std::make_unique<QSerialPort>()), FPinoutTimer(std::make_unique<QTimer>()),
      FTxTimer(std::make_unique<QTimer>()), FRxTimer(std::make_unique<QTimer>()) {
    FPinoutTimer->setInterval(PinoutPollMs);
    FTxTimer->setSingleShot(true);
    FTxTimer->setInterval(ActivityFlashMs);
    FRxTimer->setSingleShot(true);
    FRxTimer->setInterval(ActivityFlashMs);
    QSerialPort* port = FPort.get();
    QObject::connect(FPinoutTimer.get(), &QTimer::timeout, port, [this] { PollPinout(); });
    QObject::connect(FTxTimer.get(), &QTimer::timeout, port,
                     [this] { SetSignal(TComSignal::lsTx, false); });
    QObject::connect(FRxTimer.get(), &QTimer::timeout, port,
                     [this] { SetSignal(TComSignal::lsRx, false); });
    QObject::connect(port, &QSerialPort::readyRead, port, [this] { DataArrived(); });
    QObject::connect(port, &QSerialPort::errorOccurred, port,
                     [this](QSerialPort::SerialPortError error) { LineFailed(error); });
}

TSerialEngine::~TSerialEngine() {
    // Nothing may reach an owner that is going away with us.
    FPort->disconnect();
    if (FPort->isOpen())
        FPort->close();
}

void TSerialEngine::SetSettings(const TComSettings& settings) {
    CheckSettings(settings);
    TComSettings next = settings;
    next.Port = settings.Port.trimmed();
    if (next == FSettings)
        return;
    const bool reopen = IsOpen() && next.Port != FSettings.Port;
    if (reopen)
        Close();
    const bool lineChanged = !(next.FlowControl == FSettings.FlowControl);
    FSettings = next;
    if (reopen) {
        Open();
        return;
    }
    ApplySettings();
    if (lineChanged)
        ApplyLineControl();
}

// Why the port failed, in our words: the toolkit's own texts are English. Read right after
// the failing call, while errno still holds the system's reason.
TMessage TSerialEngine::PortFailure() {
    const int systemError = errno;
    const QSerialPort::SerialPortError error = FPort->error();
    FPort->clearError();
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return {msgReasonMissing};
    case QSerialPort::PermissionError: {
        // Refused to a user who may open the device: another program holds it.
        const QFileInfo device(DeviceName(FSettings.Port));
        if (systemError == EBUSY || (device.isReadable() && device.isWritable()))
            return {msgReasonBusy};
        return {msgReasonNoPermission};
    }
    case QSerialPort::ResourceError:
        return {msgReasonDisconnected};
    case QSerialPort::UnsupportedOperationError:
        return {msgReasonNotSupported};
    case QSerialPort::TimeoutError:
        return {msgReasonTimedOut};
    case QSerialPort::WriteError:
    case QSerialPort::ReadError:
        return {msgReasonDeviceError};
    default:
        return systemError != 0 ? SystemReason(systemError) : TMessage(msgReasonUnknown);
    }
}

[[noreturn]] void TSerialEngine::Fail(quint16 id) {
    throw EWriteError(TMessage(id, {PortNamed(FSettings.Port), PortFailure()}));
}

void TSerialEngine::ApplySettings() {
    if (!FPort->isOpen())
        return; // applied on Open
    const TComSettings& s = FSettings;
    if (!FPort->setBaudRate(s.BaudRate) ||
        !FPort->setDataBits(static_cast<QSerialPort::DataBits>(s.DataBits)) ||
        !FPort->setParity(ToQt(s.Parity)) || !FPort->setStopBits(ToQt(s.StopBits)) ||
        !FPort->setFlowControl(ToQt(s.FlowControl)))
        Fail(msgPortSettingsRefused);
}

void TSerialEngine::ApplyLineControl() {
    if (!FPort->isOpen())
        return;
    // A device without modem lines (a pseudo-terminal) refuses these requests; that is no
    // reason to close the port or to bother the user.
    const TComFlowControl& f = FSettings.FlowControl;
    if (f.ControlDTR != TDTRFlowControl::dtrHandshake)
        FPort->setDataTerminalReady(f.ControlDTR == TDTRFlowControl::dtrEnable);
    if (ToQt(f) != QSerialPort::HardwareControl)
        FPort->setRequestToSend(f.ControlRTS == TRTSFlowControl::rtsEnable);
    FPort->clearError();
}

void TSerialEngine::Open() {
    if (FPort->isOpen())
        return;
    const TComSettings& s = FSettings;
    FPort->setPortName(DeviceName(s.Port));
    FPort->setBaudRate(s.BaudRate);
    FPort->setDataBits(static_cast<QSerialPort::DataBits>(s.DataBits));
    FPort->setParity(ToQt(s.Parity));
    FPort->setStopBits(ToQt(s.StopBits));
    FPort->setFlowControl(ToQt(s.FlowControl));
    FLoss.reset();
    errno = 0;
    if (!FPort->open(QIODevice::ReadWrite)) {
        const TMessage reason = PortFailure();
        throw EPortOpenError(TMessage(msgPortOpenFailed, {PortNamed(s.Port), reason}), reason);
    }
    // What the line kept while the port was closed (a dump sent to nobody) is no answer to
    // whatever the port is opened for now; read, it would be taken for the next dump.
    FPort->clear(QSerialPort::Input);
    FPort->clearError();
    DropWaiting();
    ApplyLineControl();
    FPinoutSupported = true;
    PollPinout();
    if (FPinoutSupported)
        FPinoutTimer->start();
    SetSignal(TComSignal::lsConn, true);
    if (OnAfterOpen)
        OnAfterOpen();
}

void TSerialEngine::Close() {
    if (!FPort->isOpen())
        return;
    FPinoutTimer->stop();
    FPort->close();
    FPort->clearError();
    DropWaiting();
    FFailures = 0;
    FDeviceGone = false;
    FLossScheduled = false;
    for (TComSignal s : AllComSignals)
        SetSignal(s, false);
    if (OnAfterClose)
        OnAfterClose();
}

bool TSerialEngine::IsOpen() const {
    return FPort->isOpen();
}

void TSerialEngine::WriteStr(const QByteArray& bytes) {
    if (!FPort->isOpen()) {
        if (FLoss) {
            FLossReported = true;
            throw EWriteError(*FLoss);
        }
        throw EWriteError(TMessage(msgPortNotOpen, {PortNamed(FSettings.Port)}));
    }
    if (bytes.isEmpty())
        return;
    Flash(TComSignal::lsTx);
    // What arrives meanwhile waits for the event loop: the send is plain sequential code.
    FInWrite = true;
    const TScopeExit resume([this] {
        FInWrite = false;
        if (FPort->isOpen() && FPort->bytesAvailable() > 0)
            ScheduleDelivery();
    });
    if (FPort->write(bytes) != bytes.size())
        FailWrite(msgPortWriteFailed);
    // Hand every byte to the device now: the send paces itself by pauses, which must not
    // start while bytes still wait in our own buffer.
    while (FPort->bytesToWrite() > 0) {
        const qint64 before = FPort->bytesToWrite();
        if (!FPort->waitForBytesWritten(WriteStallMs) && FPort->bytesToWrite() >= before)
            FailWrite(msgPortLineStalled);
    }
}

[[noreturn]] void TSerialEngine::FailWrite(quint16 id) {
    if (!FLossScheduled && !FDeviceGone && !HungUp())
        Fail(id);
    LineLost();
    FLossReported = true;
    throw EWriteError(*FLoss);
}

void TSerialEngine::Drain() {
    if (!FPort->isOpen())
        return;
    while (FPort->bytesToWrite() > 0)
        if (!FPort->waitForBytesWritten(WriteStallMs))
            FailWrite(msgPortLineStalled);
#ifdef Q_OS_UNIX
    // The driver may still hold bytes that the UART has not shifted out.
    ::tcdrain(int(FPort->handle()));
#endif
}

void TSerialEngine::HoldEvents(bool hold) {
    FHold = hold;
    if (!hold && FPort->isOpen() && FPort->bytesAvailable() > 0)
        ScheduleDelivery();
    if (!hold && FLoss && !FLossReported)
        QTimer::singleShot(0, FPort.get(), [this] {
            if (!FHold)
                ReportLoss();
        });
}

void TSerialEngine::ScheduleDelivery() {
    if (FDeliveryScheduled)
        return;
    FDeliveryScheduled = true;
    QTimer::singleShot(0, FPort.get(), [this] {
        FDeliveryScheduled = false;
        DataArrived();
    });
}

void TSerialEngine::DataArrived() {
    if (FHold || FInWrite || FDelivering)
        return; // delivered when the hold, the write or the handler ends
    DeliverPending();
}

void TSerialEngine::DeliverPending() {
    if (!FPort->isOpen())
        return;
    const QByteArray batch = FPort->readAll();
    if (batch.isEmpty())
        return;
    FFailures = 0;
    Flash(TComSignal::lsRx);
    {
        FDelivering = true;
        const TScopeExit delivered([this] { FDelivering = false; });
        Deliver(batch);
    }
    // A handler may have closed the port; what came in meanwhile goes out as the next batch.
    if (FPort->isOpen() && FPort->bytesAvailable() > 0)
        ScheduleDelivery();
}

void TSerialEngine::LineFailed(int error) {
    // Other errors are reported where they happened, or are line-signal requests the device
    // can't serve.
    if (!FPort->isOpen() || (error != QSerialPort::ReadError && error != QSerialPort::WriteError &&
                             error != QSerialPort::ResourceError))
        return;
    FDeviceGone = FDeviceGone || error == QSerialPort::ResourceError;
    ++FFailures;
    if (!FDeviceGone && FFailures < FailuresBeforeLoss && !HungUp())
        return; // a passing failure: the next byte clears it
    if (FLossScheduled)
        return;
    // Closed from the event loop: Qt is still inside the notifier that failed.
    FLossScheduled = true;
    QTimer::singleShot(0, FPort.get(), [this] {
        if (FLossScheduled)
            LineLost();
    });
}

// The other end hung up, or the device went away: the descriptor says so at once.
bool TSerialEngine::HungUp() const {
#ifdef Q_OS_UNIX
    if (!FPort->isOpen())
        return false;
    pollfd line{int(FPort->handle()), POLLIN | POLLOUT, 0};
    return ::poll(&line, 1, 0) > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
#else
    return false;
#endif
}

// The one place a lost line ends: the port closes, which stops Qt's notifiers, and the loss
// is told once, unless events are held or a write is failing with it.
void TSerialEngine::LineLost() {
    if (!FPort->isOpen())
        return;
    const bool gone = FDeviceGone || HungUp();
    FLoss =
        TMessage(msgPortLineLost, {PortNamed(FSettings.Port),
                                   TMessage(gone ? msgReasonDisconnected : msgReasonDeviceError)});
    FLossReported = false;
    Close();
    if (!FHold && !FInWrite)
        ReportLoss();
}

void TSerialEngine::ReportLoss() {
    if (!FLoss || FLossReported)
        return;
    FLossReported = true;
    if (OnError)
        OnError(*FLoss);
}

void TSerialEngine::PollPinout() {
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

void TSerialEngine::SetSignal(TComSignal signal, bool lit) {
    if (FSignals[int(signal)] == lit)
        return;
    FSignals[int(signal)] = lit;
    if (OnSignalChanged)
        OnSignalChanged(signal, lit);
}

void TSerialEngine::Flash(TComSignal signal) {
    SetSignal(signal, true);
    (signal == TComSignal::lsTx ? FTxTimer : FRxTimer)->start();
}

} // namespace lumotrix
