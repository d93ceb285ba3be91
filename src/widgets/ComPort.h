#pragma once

#include "runtime/SerialPort.h"

#include <QObject>
#include <QString>

class QSerialPort;
class QTimer;
class QWidget;

namespace lumotrix {

// The line signals the six LEDs show.
enum class TComSignal { lsCTS, lsDSR, lsRLSD, lsTx, lsRx, lsConn };

enum class TParityBits { prNone, prOdd, prEven, prMark, prSpace };
enum class TStopBits { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };
enum class TDTRFlowControl { dtrDisable, dtrEnable, dtrHandshake };
enum class TRTSFlowControl { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };

struct TComFlowControl {
    bool OutCTSFlow = false;
    bool OutDSRFlow = false;
    bool XonXoffOut = false;
    bool XonXoffIn = false;
    TDTRFlowControl ControlDTR = TDTRFlowControl::dtrDisable;
    TRTSFlowControl ControlRTS = TRTSFlowControl::rtsDisable;

    bool operator==(const TComFlowControl&) const = default;
};

// The serial port component on Qt SerialPort. Its defaults are the controller's: "COM1",
// 9600 8N1, no flow control, DTR and RTS held off, NUL bytes dropped, 0x03 as the event
// byte. "COMn" names /dev/ttyS(n-1) on Linux; any device path is taken as it is.
//
// Receive events (OnRxChar, then OnRxFlag when the batch held the event byte) come from the
// event loop, never from inside WriteStr, and wait while HoldEvents(true) is in force.
// An exception a handler raises is reported by the application's error display.
//
// Line-signal requests a device can't serve (a pseudo-terminal has no DTR, RTS, CTS, DSR or
// carrier) are ignored: the port stays open and those LEDs stay dark.
class TComPort : public QObject, public TSerialPort {
    Q_OBJECT
public:
    explicit TComPort(QObject* parent = nullptr);
    ~TComPort() override;

    QString Port() const { return FPortName; }
    void SetPort(const QString& port);
    int BaudRate() const { return FBaudRate; }
    void SetBaudRate(int baudRate);
    int DataBits() const { return FDataBits; }
    void SetDataBits(int dataBits); // 5..8
    TParityBits Parity() const { return FParity; }
    void SetParity(TParityBits parity);
    TStopBits StopBits() const { return FStopBits; }
    void SetStopBits(TStopBits stopBits);
    TComFlowControl FlowControl() const { return FFlowControl; }
    void SetFlowControl(const TComFlowControl& flowControl);
    bool DiscardNull() const { return FDiscardNull; }
    void SetDiscardNull(bool discard) { FDiscardNull = discard; }
    char EventChar() const { return FEventChar; }
    void SetEventChar(char eventChar) { FEventChar = eventChar; }

    // The device a port name stands for: "COM3" -> "/dev/ttyS2" on Linux.
    static QString DeviceName(const QString& port);

    // TSerialPort. Open throws an Exception naming the port and the reason.
    void Open() override;
    void Close() override;
    bool IsOpen() const override;
    void WriteStr(const QByteArray& bytes) override;
    QByteArray ReadStr(int count) override;
    // Bytes received and not yet taken by ReadStr.
    int InputCount() const { return int(FReceived.size()); }

    // While held, received bytes wait in the port; on release they are delivered from the
    // event loop. The window holds events around a send.
    void HoldEvents(bool hold);

    bool SignalState(TComSignal signal) const;

    // The setup dialog; the settings take effect at once when confirmed (not stored).
    bool ShowSetupDialog(QWidget* parent = nullptr);

signals:
    void AfterOpen();
    void AfterClose();
    // A LED's signal changed.
    void SignalChanged(lumotrix::TComSignal signal, bool lit);

private:
    void ApplySettings();
    void ApplyLineControl();
    void OnReadyRead();
    void DeliverPending();
    void ScheduleDelivery();
    void PollPinout();
    void SetSignal(TComSignal signal, bool lit);
    void Flash(TComSignal signal);
    [[noreturn]] void Fail(const QString& what);

    QSerialPort* FPort;
    QTimer* FPinoutTimer;
    QTimer* FTxTimer;
    QTimer* FRxTimer;
    QString FPortName = QStringLiteral("COM1");
    int FBaudRate = 9600;
    int FDataBits = 8;
    TParityBits FParity = TParityBits::prNone;
    TStopBits FStopBits = TStopBits::sbOneStopBit;
    TComFlowControl FFlowControl;
    bool FDiscardNull = true;
    char FEventChar = 0x03;

    QByteArray FReceived;
    bool FHold = false;
    bool FInWrite = false;
    bool FDelivering = false;
    bool FDeliveryScheduled = false;
    bool FPinoutSupported = true;
    bool FSignals[6] = {};
};

} // namespace lumotrix
