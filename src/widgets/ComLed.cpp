#include "widgets/ComLed.h"

#include "widgets/ComPort.h"
#include "widgets/qt/LedWidget.h"
#include "widgets/qt/StatusBarWidget.h"

namespace lumotrix {

namespace {

bool Matches(TComLedSignal led, TComSignal signal) {
    switch (signal) {
    case TComSignal::lsCTS:
        return led == lsCTS;
    case TComSignal::lsDSR:
        return led == lsDSR;
    case TComSignal::lsRLSD:
        return led == lsRLSD;
    case TComSignal::lsTx:
        return led == lsTx;
    case TComSignal::lsRx:
        return led == lsRx;
    case TComSignal::lsConn:
        return led == lsConn;
    }
    return false;
}

} // namespace

TComLed::TComLed(TComponent* owner) : TControl(owner) {
    SetWidget(new LedPanel(QString()));
    SetKind(lkRedLight);
}

LedPanel* TComLed::Panel() const {
    return static_cast<LedPanel*>(Widget());
}

void TComLed::SetKind(TComLedKind kind) {
    FKind = kind;
    static constexpr TLedKind kinds[] = {TLedKind::Red, TLedKind::Green, TLedKind::Yellow,
                                         TLedKind::Purple, TLedKind::Blue};
    Panel()->Led()->SetKind(kinds[qBound(0, static_cast<int>(kind), 4)]);
}

QString TComLed::Caption() const {
    return Panel()->Caption();
}
void TComLed::SetCaption(const QString& caption) {
    Panel()->SetCaption(caption);
}
bool TComLed::State() const {
    return Panel()->Led()->State();
}
void TComLed::SetState(bool lit) {
    if (Panel()) // gone already when its window is torn down first
        Panel()->Led()->SetState(lit);
}

TComLed::~TComLed() {
    if (FComPort) {
        FComPort->RemoveSignalListener(this);
        FComPort->RemoveFreeNotification(this);
    }
}

void TComLed::SetComPort(TComPort* port) {
    if (port == FComPort)
        return;
    if (FComPort) {
        FComPort->RemoveSignalListener(this);
        FComPort->RemoveFreeNotification(this);
    }
    FComPort = port;
    bool lit = false;
    if (port) {
        port->FreeNotification(this); // the port may belong to another form
        // The LED's signal is read at each change, so a later LedSignal takes effect.
        port->AddSignalListener(this, [this](TComSignal signal, bool on) {
            if (Matches(FSignal, signal))
                SetState(on);
        });
        for (TComSignal signal : AllComSignals)
            if (Matches(FSignal, signal))
                lit = port->SignalState(signal);
    }
    SetState(lit);
}

void TComLed::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation == opRemove && component == FComPort && component != nullptr) {
        FComPort = nullptr; // its listeners went with it
        SetState(false);
    }
}

LUMOTRIX_REGISTER_CLASS(TComLed, TControl) {
    Property("Kind", &TComLed::Kind, &TComLed::SetKind);
    Property("LedSignal", &TComLed::LedSignal, &TComLed::SetLedSignal);
    Property("Caption", &TComLed::Caption, &TComLed::SetCaption);
    Property("State", &TComLed::State, &TComLed::SetState);
    Property("ComPort", &TComLed::ComPort, &TComLed::SetComPort);
}

void BindComLeds(TComPort* port, TComponent* owner) {
    if (!owner)
        return;
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (auto* led = dynamic_cast<TComLed*>(owner->Components(i)))
            led->SetComPort(port);
}

} // namespace lumotrix
