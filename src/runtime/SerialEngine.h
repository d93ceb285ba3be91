#pragma once

#include "runtime/Exception.h"
#include "runtime/SerialPort.h"
#include "runtime/SerialSettings.h"

#include <QString>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <utility>

class QSerialPort;
class QTimer;

namespace lumotrix {

// A port that can't be opened; Reason() says why, without naming the port.
class EPortOpenError : public EResNotFound {
public:
    EPortOpenError(TMessage message, TMessage reason)
        : EResNotFound(std::move(message)), FReason(std::move(reason)) {}
    const TMessage& Reason() const { return FReason; }

private:
    TMessage FReason;
};

// The serial port on Qt SerialPort, for the window's port component, the command-line tool
// and the tests alike: opening by the system's port names (DeviceName), the settings, the
// receive contract of TSerialPort, held delivery and the line signals for the LEDs.
//
// It reports through its callbacks only, each set by one owner: OnRxChar and OnRxFlag
// (TSerialPort), OnAfterOpen, OnAfterClose, OnSignalChanged and OnError. Receive events come
// from the event loop, never from inside WriteStr, and wait while HoldEvents(true) is in
// force; a callback must not throw, since the event loop is its caller.
//
// Line-signal requests a device can't serve (a pseudo-terminal has no DTR, RTS, CTS, DSR or
// carrier) are ignored: the port stays open and those signals stay off.
class TSerialEngine final : public TSerialPort {
public:
    TSerialEngine();
    ~TSerialEngine() override;

    const TComSettings& Settings() const { return FSettings; }
    // Checks the whole set first (ERangeError naming the refused value, nothing changed),
    // then applies it: to an open port at once, reopening it when the port name changed.
    void SetSettings(const TComSettings& settings);

    // Throws EPortOpenError naming the port, its device and the reason.
    void Open() override;
    void Close() override;
    bool IsOpen() const override;
    // Fails (EWriteError) on a closed port and when the line takes nothing for 10 s; on a line
    // that went away it fails with the loss (which OnError then does not report again).
    void WriteStr(const QByteArray& bytes) override;
    // Waits until the line has taken every byte written, so that closing the port loses none.
    void Drain();

    // While held, received bytes and the report of a lost line wait in the port; on release
    // they are delivered from the event loop.
    void HoldEvents(bool hold);

    bool SignalState(TComSignal signal) const { return FSignals[int(signal)]; }

    std::function<void()> OnAfterOpen;
    std::function<void()> OnAfterClose;
    // A line signal changed: polled pinout signals, transmit and receive activity, open state.
    std::function<void(TComSignal signal, bool lit)> OnSignalChanged;
    // The line went away (hung up, unplugged, failing without end): told once, with the port
    // already closed and OnAfterClose raised.
    std::function<void(const TMessage& message)> OnError;

private:
    void ApplySettings();
    void ApplyLineControl();
    void DataArrived();
    void DeliverPending();
    void ScheduleDelivery();
    void LineFailed(int error); // a QSerialPort::SerialPortError
    bool HungUp() const;
    void LineLost();
    void ReportLoss();
    // A write that failed on a line gone throws the loss; otherwise as Fail.
    [[noreturn]] void FailWrite(quint16 id);
    void PollPinout();
    void SetSignal(TComSignal signal, bool lit);
    void Flash(TComSignal signal);
    // Throws EWriteError with `id`, a "%1 port, %2 reason" message, and clears the port's error.
    [[noreturn]] void Fail(quint16 id);
    TMessage PortFailure();

    std::unique_ptr<QSerialPort> FPort;
    std::unique_ptr<QTimer> FPinoutTimer;
    std::unique_ptr<QTimer> FTxTimer;
    std::unique_ptr<QTimer> FRxTimer;
    TComSettings FSettings;
    bool FHold = false;
    bool FInWrite = false;
    bool FDelivering = false;
    bool FDeliveryScheduled = false;
    bool FPinoutSupported = true;
    bool FSignals[std::size(AllComSignals)] = {};
    // Read or write failures since the last byte arrived.
    int FFailures = 0;
    bool FDeviceGone = false;
    bool FLossScheduled = false;
    // Why the line was lost, until the port opens again; whether anyone has been told.
    std::optional<TMessage> FLoss;
    bool FLossReported = false;
};

} // namespace lumotrix
