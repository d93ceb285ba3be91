#pragma once

#include "runtime/Classes.h"
#include "runtime/SerialEngine.h"
#include "runtime/SerialSettingsStore.h"

#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace lumotrix {

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
using TLineLostEvent = TEvent<TObject*, const TMessage&>;
template <> struct TEventTypeName<TRxCharEvent> {
    static const char* Name() { return "TRxCharEvent"; }
};

// The serial port component: a registered component around the serial engine. A form
// description sets its published settings and binds its events (OnRxChar, OnRxFlag,
// OnAfterOpen, OnAfterClose) to the form's published methods; these events are how it
// reports. Code that drives the port through TSerialPort (the controller link) uses Engine();
// the engine's callbacks belong to the component. An exception a handler raises is reported
// by the application's error display.
class TComPort : public TComponent {
    LUMOTRIX_PUBLISHED(TComPort)
public:
    explicit TComPort(TComponent* owner = nullptr);
    ~TComPort() override;

    TSerialEngine& Engine() { return FEngine; }

    // Changing a setting of an open port applies it at once; a new port name closes the
    // port and opens the new one.
    QString Port() const { return Settings().Port; }
    void SetPort(const QString& port);
    int BaudRate() const { return Settings().BaudRate; }
    void SetBaudRate(int baudRate); // one of StandardBaudRates(), else ERangeError
    int DataBits() const { return Settings().DataBits; }
    void SetDataBits(int dataBits); // 5..8
    TParityBits Parity() const { return Settings().Parity; }
    void SetParity(TParityBits parity);
    TStopBits StopBits() const { return Settings().StopBits; }
    void SetStopBits(TStopBits stopBits);
    TComFlowControl FlowControl() const { return Settings().FlowControl; }
    void SetFlowControl(const TComFlowControl& flowControl);
    bool DiscardNull() const { return FEngine.DiscardNull(); }
    void SetDiscardNull(bool discard) { FEngine.SetDiscardNull(discard); }
    char EventChar() const { return FEngine.EventChar(); }
    void SetEventChar(char eventChar) { FEngine.SetEventChar(eventChar); }
    // Without evRxChar (evRxFlag) the port raises no OnRxChar (OnRxFlag).
    TComEvents Events() const { return FEvents; }
    void SetEvents(TComEvents events) { FEvents = events; }

    const TComSettings& Settings() const { return FEngine.Settings(); }
    // Checks the whole set first (ERangeError naming the refused value, nothing changed),
    // then applies it: to an open port at once, reopening it when the port name changed.
    void SetSettings(const TComSettings& settings) { FEngine.SetSettings(settings); }

    // LoadComSettings / StoreComSettings for this port; a load that finds the key applies
    // the stored set as SetSettings does.
    bool LoadSettings(TStoreType storeType, const QString& key);
    void StoreSettings(TStoreType storeType, const QString& key) const;

    void Open() { FEngine.Open(); }
    void Close() { FEngine.Close(); }
    bool IsOpen() const { return FEngine.IsOpen(); }
    void WriteStr(const QByteArray& bytes) { FEngine.WriteStr(bytes); }
    QByteArray ReadStr(int count) { return FEngine.ReadStr(count); }
    int InputCount() const { return FEngine.InputCount(); }
    void HoldEvents(bool hold) { FEngine.HoldEvents(hold); }
    bool SignalState(TComSignal signal) const { return FEngine.SignalState(signal); }

    // Tells `listener` every change of a line signal until RemoveSignalListener; the LEDs
    // bound to this port follow it so.
    void AddSignalListener(const TComponent* listener,
                           std::function<void(TComSignal signal, bool lit)> onChange);
    void RemoveSignalListener(const TComponent* listener);

    // The setup dialog; the settings take effect at once when confirmed (not stored).
    bool ShowSetupDialog(QWidget* parent = nullptr);

    // The component events (published; a form binds them by handler name).
    TNotifyEvent OnAfterOpen;
    TNotifyEvent OnAfterClose;
    // The line went away while open (the port is closed by then), told once; bound in code.
    // Unbound, the loss goes to the application's error display.
    TLineLostEvent OnLineLost;
    const TRxCharEvent& OnRxCharEvent() const { return FOnRxChar; }
    void SetOnRxCharEvent(const TRxCharEvent& event) { FOnRxChar = event; }
    const TNotifyEvent& OnRxFlagEvent() const { return FOnRxFlag; }
    void SetOnRxFlagEvent(const TNotifyEvent& event) { FOnRxFlag = event; }

private:
    TComParity* ParityObject() const { return const_cast<TComParity*>(&FParityObject); }
    TComFlowControlSettings* FlowObject() const {
        return const_cast<TComFlowControlSettings*>(&FFlowObject);
    }
    // One setting changed through SetSettings, so that it is checked and applied as a whole.
    template <typename TValue> void SetSetting(TValue TComSettings::*field, const TValue& value) {
        TComSettings s = Settings();
        s.*field = value;
        SetSettings(s);
    }

    // Published under the names OnRxChar and OnRxFlag.
    TRxCharEvent FOnRxChar;
    TNotifyEvent FOnRxFlag;
    TSerialEngine FEngine;
    TComParity FParityObject{*this};
    TComFlowControlSettings FFlowObject{*this};
    TComEvents FEvents{TComEvent::evRxChar,  TComEvent::evTxEmpty, TComEvent::evRxFlag,
                       TComEvent::evRing,    TComEvent::evBreak,   TComEvent::evCTS,
                       TComEvent::evDSR,     TComEvent::evError,   TComEvent::evRLSD,
                       TComEvent::evRx80Full};
    std::vector<std::pair<const TComponent*, std::function<void(TComSignal, bool)>>> FListeners;
};

} // namespace lumotrix
