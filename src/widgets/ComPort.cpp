#include "widgets/ComPort.h"

#include "widgets/Application.h"
#include "widgets/qt/ComPortSetupDialog.h"

#include <algorithm>

namespace lumotrix {

TComPort::TComPort(TComponent* owner) : TComponent(owner) {
    // The engine reports to this component alone; the component raises its published
    // events, each through Guarded so that a handler's exception never reaches the loop.
    FEngine.OnRxChar = [this](int count) {
        if (FEvents.Contains(TComEvent::evRxChar) && FOnRxChar)
            Guarded([&] { FOnRxChar(this, count); });
    };
    FEngine.OnRxFlag = [this] {
        if (FEvents.Contains(TComEvent::evRxFlag) && FOnRxFlag)
            Guarded([&] { FOnRxFlag(this); });
    };
    FEngine.OnAfterOpen = [this] { Guarded([&] { OnAfterOpen(this); }); };
    FEngine.OnAfterClose = [this] { Guarded([&] { OnAfterClose(this); }); };
    FEngine.OnError = [this](const TMessage& message) {
        Guarded([&] {
            if (!OnLineLost)
                throw EReadError(message);
            OnLineLost(this, message);
        });
    };
    FEngine.OnSignalChanged = [this](TComSignal signal, bool lit) {
        // Copied: a listener may unbind while being told.
        const auto listeners = FListeners;
        for (const auto& [listener, onChange] : listeners)
            onChange(signal, lit);
    };
}

TComPort::~TComPort() {
    // Nothing reaches the form's handlers or the LEDs from the closing port now.
    FEngine.OnAfterClose = nullptr;
    FEngine.OnError = nullptr;
    FEngine.OnSignalChanged = nullptr;
}

void TComPort::SetPort(const QString& port) {
    SetSetting(&TComSettings::Port, port);
}

void TComPort::SetBaudRate(int baudRate) {
    SetSetting(&TComSettings::BaudRate, baudRate);
}

void TComPort::SetDataBits(int dataBits) {
    SetSetting(&TComSettings::DataBits, dataBits);
}

void TComPort::SetParity(TParityBits parity) {
    SetSetting(&TComSettings::Parity, parity);
}

void TComPort::SetStopBits(TStopBits stopBits) {
    SetSetting(&TComSettings::StopBits, stopBits);
}

void TComPort::SetFlowControl(const TComFlowControl& flowControl) {
    SetSetting(&TComSettings::FlowControl, flowControl);
}

bool TComPort::LoadSettings(TStoreType storeType, const QString& key) {
    TComSettings stored = Settings();
    if (!LoadComSettings(storeType, key, stored))
        return false;
    // Checked whole by the load; applying may still fail to reopen a port that was open.
    SetSettings(stored);
    return true;
}

void TComPort::StoreSettings(TStoreType storeType, const QString& key) const {
    StoreComSettings(storeType, key, Settings());
}

void TComPort::AddSignalListener(const TComponent* listener,
                                 std::function<void(TComSignal, bool)> onChange) {
    RemoveSignalListener(listener);
    FListeners.emplace_back(listener, std::move(onChange));
}

void TComPort::RemoveSignalListener(const TComponent* listener) {
    std::erase_if(FListeners, [listener](const auto& entry) { return entry.first == listener; });
}

bool TComPort::ShowSetupDialog(QWidget* parent) {
    TComSettings settings = Settings();
    if (!TComPortSetupDialog::Execute(settings, parent))
        return false;
    SetSettings(settings);
    return true;
}

TParityBits TComParity::Bits() const {
    return FPort.Parity();
}
void TComParity::SetBits(TParityBits bits) {
    FPort.SetParity(bits);
}

TComFlowControl TComFlowControlSettings::Value() const {
    return FPort.FlowControl();
}
void TComFlowControlSettings::SetValue(const TComFlowControl& flow) {
    FPort.SetFlowControl(flow);
}

namespace {

// One flag or choice of the flow control as a published property.
template <auto Member> auto FlowGetter() {
    return [](const TComFlowControlSettings& f) { return f.Value().*Member; };
}
template <auto Member> auto FlowSetter() {
    return [](TComFlowControlSettings& f, std::decay_t<decltype(TComFlowControl{}.*Member)> v) {
        TComFlowControl flow = f.Value();
        flow.*Member = v;
        f.SetValue(flow);
    };
}

// An integer type whose values also read as identifiers ("br9600", "dbEight"), so a form
// description may write either.
const TTypeInfo* IntegerTypeWithNames(const QString& typeName, qint32 minValue, qint32 maxValue,
                                      QList<std::pair<qint32, QString>> names) {
    const TTypeInfo* type = DefineIntegerType(typeName, otSLong, minValue, maxValue);
    RegisterIntegerConsts(
        type,
        [names](const QString& ident, qint32& value) {
            for (const auto& [v, n] : names)
                if (ident.compare(n, Qt::CaseInsensitive) == 0) {
                    value = v;
                    return true;
                }
            return false;
        },
        [names](qint32 value, QString& ident) {
            for (const auto& [v, n] : names)
                if (v == value) {
                    ident = n;
                    return true;
                }
            return false;
        });
    return type;
}

const TTypeInfo* TypeInfoBaudRate() {
    static const TTypeInfo* info = [] {
        QList<std::pair<qint32, QString>> names;
        for (int rate : StandardBaudRates())
            names.append({rate, QStringLiteral("br%1").arg(rate)});
        return IntegerTypeWithNames(QStringLiteral("TBaudRate"), 1, 0x7fffffff, names);
    }();
    return info;
}

const TTypeInfo* TypeInfoDataBits() {
    static const TTypeInfo* info = IntegerTypeWithNames(QStringLiteral("TDataBits"), 5, 8,
                                                        {{5, QStringLiteral("dbFive")},
                                                         {6, QStringLiteral("dbSix")},
                                                         {7, QStringLiteral("dbSeven")},
                                                         {8, QStringLiteral("dbEight")}});
    return info;
}

} // namespace

LUMOTRIX_REGISTER_CLASS(TComParity, TPersistent) {
    Property("Bits", &TComParity::Bits, &TComParity::SetBits);
}

LUMOTRIX_REGISTER_CLASS(TComFlowControlSettings, TPersistent) {
    using F = TComFlowControl;
    Property("OutCTSFlow", FlowGetter<&F::OutCTSFlow>(), FlowSetter<&F::OutCTSFlow>());
    Property("OutDSRFlow", FlowGetter<&F::OutDSRFlow>(), FlowSetter<&F::OutDSRFlow>());
    Property("XonXoffOut", FlowGetter<&F::XonXoffOut>(), FlowSetter<&F::XonXoffOut>());
    Property("XonXoffIn", FlowGetter<&F::XonXoffIn>(), FlowSetter<&F::XonXoffIn>());
    Property("ControlDTR", FlowGetter<&F::ControlDTR>(), FlowSetter<&F::ControlDTR>());
    Property("ControlRTS", FlowGetter<&F::ControlRTS>(), FlowSetter<&F::ControlRTS>());
}

LUMOTRIX_REGISTER_CLASS(TComPort, TComponent) {
    Property("Port", &TComPort::Port, &TComPort::SetPort);
    Property("BaudRate", &TComPort::BaudRate, &TComPort::SetBaudRate, TypeInfoBaudRate());
    Property("DataBits", &TComPort::DataBits, &TComPort::SetDataBits, TypeInfoDataBits());
    Property("Parity", &TComPort::ParityObject);
    Property("StopBits", &TComPort::StopBits, &TComPort::SetStopBits);
    Property("FlowControl", &TComPort::FlowObject);
    Property("DiscardNull", &TComPort::DiscardNull, &TComPort::SetDiscardNull);
    Property("EventChar", &TComPort::EventChar, &TComPort::SetEventChar);
    Property("Events", &TComPort::Events, &TComPort::SetEvents);
    Property("OnAfterOpen", &TComPort::OnAfterOpen);
    Property("OnAfterClose", &TComPort::OnAfterClose);
    Property("OnRxChar", &TComPort::FOnRxChar);
    Property("OnRxFlag", &TComPort::FOnRxFlag);
}

} // namespace lumotrix
