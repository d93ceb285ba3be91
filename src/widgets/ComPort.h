#pragma once

#include "runtime/Classes.h"
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
LUMOTRIX_ENUM_NAMES(TParityBits, "prNone", "prOdd", "prEven", "prMark", "prSpace")
enum class TStopBits { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };
LUMOTRIX_ENUM_NAMES(TStopBits, "sbOneStopBit", "sbOne5StopBits", "sbTwoStopBits")
enum class TDTRFlowControl { dtrDisable, dtrEnable, dtrHandshake };
LUMOTRIX_ENUM_NAMES(TDTRFlowControl, "dtrDisable", "dtrEnable", "dtrHandshake")
enum class TRTSFlowControl { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };
LUMOTRIX_ENUM_NAMES(TRTSFlowControl, "rtsDisable", "rtsEnable", "rtsHandshake", "rtsToggle")

// The events a port reports. Only the two receive events are raised here; the others are
// accepted in a form description and kept.
enum class TComEvent {
    evRxChar,
    evTxEmpty,
    evRxFlag,
    evRing,
    evBreak,
    evCTS,
    evDSR,
    evError,
    evRLSD,
    evRx80Full
};
LUMOTRIX_ENUM_NAMES(TComEvent, "evRxChar", "evTxEmpty", "evRxFlag", "evRing", "evBreak", "evCTS",
                    "evDSR", "evError", "evRLSD", "evRx80Full")
using TComEvents = TSet<TComEvent>;

// Where LoadSettings and StoreSettings keep the settings.
enum class TStoreType { stRegistry };
LUMOTRIX_ENUM_NAMES(TStoreType, "stRegistry")

// A failing LoadSettings or StoreSettings: an unreadable store or a refused stored value.
class EComPortError : public Exception {
public:
    using Exception::Exception;
};

struct TComFlowControl {
    bool OutCTSFlow = false;
    bool OutDSRFlow = false;
    bool XonXoffOut = false;
    bool XonXoffIn = false;
    TDTRFlowControl ControlDTR = TDTRFlowControl::dtrDisable;
    TRTSFlowControl ControlRTS = TRTSFlowControl::rtsDisable;

    bool operator==(const TComFlowControl&) const = default;
};

// Everything the setup dialog edits and the store keeps, applied to a port as one set.
struct TComSettings {
    QString Port = QStringLiteral("COM1");
    int BaudRate = 9600;
    int DataBits = 8;
    TParityBits Parity = TParityBits::prNone;
    TStopBits StopBits = TStopBits::sbOneStopBit;
    TComFlowControl FlowControl;

    bool operator==(const TComSettings&) const = default;
};

class TComPort;

// The published sub-objects of a port ("Parity.Bits = prNone", "FlowControl.ControlDTR =
// dtrDisable" in a form description). They hold no state: every property reads and writes
// the port.
class TComParity : public TPersistent {
public:
    explicit TComParity(TComPort& port) : FPort(port) {}
    TParityBits Bits() const;
    void SetBits(TParityBits bits);

private:
    TComPort& FPort;
};

class TComFlowControlSettings : public TPersistent {
public:
    explicit TComFlowControlSettings(TComPort& port) : FPort(port) {}
    TComFlowControl Value() const;
    void SetValue(const TComFlowControl& flow);

private:
    TComPort& FPort;
};

using TRxCharEvent = TEvent<TObject*, int>;
template <> struct TEventTypeName<TRxCharEvent> {
    static const char* Name() { return "TRxCharEvent"; }
};

// The serial port component on Qt SerialPort. Its defaults are the controller's: "COM1",
// 9600 8N1, no flow control, DTR and RTS held off, NUL bytes dropped, 0x03 as the event
// byte. "COMn" names /dev/ttyS(n-1) on Linux; any device path is taken as it is.
//
// A registered component: a form description sets its published settings and binds its
// events (OnRxChar, OnRxFlag, OnAfterOpen, OnAfterClose) to the form's published methods.
// Code that drives the port through TSerialPort (the controller link) sets the TSerialPort
// callbacks instead; when both are set, the callback runs first, then the event.
//
// Receive events (OnRxChar, then OnRxFlag when the batch held the event byte) come from the
// event loop, never from inside WriteStr, and wait while HoldEvents(true) is in force.
// An exception a handler raises is reported by the application's error display.
//
// Line-signal requests a device can't serve (a pseudo-terminal has no DTR, RTS, CTS, DSR or
// carrier) are ignored: the port stays open and those LEDs stay dark.
class TComPort : public QObject, public TComponent, public TSerialPort {
    Q_OBJECT
    LUMOTRIX_PUBLISHED(TComPort)
public:
    explicit TComPort(TComponent* owner = nullptr);
    ~TComPort() override;

    // Changing a setting of an open port applies it at once; a new port name closes the
    // port and opens the new one.
    QString Port() const { return FSettings.Port; }
    void SetPort(const QString& port);
    int BaudRate() const { return FSettings.BaudRate; }
    void SetBaudRate(int baudRate); // one of StandardBaudRates(), else ERangeError
    int DataBits() const { return FSettings.DataBits; }
    void SetDataBits(int dataBits); // 5..8
    TParityBits Parity() const { return FSettings.Parity; }
    void SetParity(TParityBits parity);
    TStopBits StopBits() const { return FSettings.StopBits; }
    void SetStopBits(TStopBits stopBits);
    TComFlowControl FlowControl() const { return FSettings.FlowControl; }
    void SetFlowControl(const TComFlowControl& flowControl);
    bool DiscardNull() const { return FDiscardNull; }
    void SetDiscardNull(bool discard) { FDiscardNull = discard; }
    char EventChar() const { return FEventChar; }
    void SetEventChar(char eventChar) { FEventChar = eventChar; }
    // Without evRxChar (evRxFlag) the port raises no OnRxChar (OnRxFlag).
    TComEvents Events() const { return FEvents; }
    void SetEvents(TComEvents events) { FEvents = events; }

    const TComSettings& Settings() const { return FSettings; }
    // Checks the whole set first (ERangeError naming the refused value, nothing changed),
    // then applies it: to an open port at once, reopening it when the port name changed.
    void SetSettings(const TComSettings& settings);
    static void CheckSettings(const TComSettings& settings);

    static const QList<int>& StandardBaudRates();
    // The device a port name stands for: "COM3" -> "/dev/ttyS2" on Linux.
    static QString DeviceName(const QString& port);

    // The settings under `key` ("HKEY_CURRENT_USER\Software\Velmoran") of the store.
    // StoreSettings writes them, creating the key. LoadSettings replaces the current
    // settings with the stored ones and returns true; when the key does not exist it
    // changes nothing and returns false. A value missing under the key keeps the current
    // one. An unreadable store or a refused stored value raises EComPortError naming the
    // store or the value, and nothing is changed.
    bool LoadSettings(TStoreType storeType, const QString& key);
    void StoreSettings(TStoreType storeType, const QString& key) const;

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

    // The component events (published; a form binds them by handler name).
    TNotifyEvent OnAfterOpen;
    TNotifyEvent OnAfterClose;
    const TRxCharEvent& OnRxCharEvent() const { return FOnRxChar; }
    void SetOnRxCharEvent(const TRxCharEvent& event) { FOnRxChar = event; }
    const TNotifyEvent& OnRxFlagEvent() const { return FOnRxFlag; }
    void SetOnRxFlagEvent(const TNotifyEvent& event) { FOnRxFlag = event; }

signals:
    void AfterOpen();
    void AfterClose();
    // A LED's signal changed.
    void SignalChanged(lumotrix::TComSignal signal, bool lit);

private:
    TComParity* ParityObject() const { return const_cast<TComParity*>(&FParityObject); }
    TComFlowControlSettings* FlowObject() const {
        return const_cast<TComFlowControlSettings*>(&FFlowObject);
    }
    // One setting changed through SetSettings, so that it is checked and applied as a whole.
    template <typename TValue> void SetSetting(TValue TComSettings::*field, const TValue& value) {
        TComSettings s = FSettings;
        s.*field = value;
        SetSettings(s);
    }
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
    TComSettings FSettings;
    TComParity FParityObject{*this};
    TComFlowControlSettings FFlowObject{*this};
    // Published under the names OnRxChar and OnRxFlag, which the TSerialPort callbacks hold
    // in C++.
    TRxCharEvent FOnRxChar;
    TNotifyEvent FOnRxFlag;
    TComEvents FEvents{TComEvent::evRxChar,  TComEvent::evTxEmpty, TComEvent::evRxFlag,
                       TComEvent::evRing,    TComEvent::evBreak,   TComEvent::evCTS,
                       TComEvent::evDSR,     TComEvent::evError,   TComEvent::evRLSD,
                       TComEvent::evRx80Full};
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
