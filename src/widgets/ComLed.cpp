#include "widgets/ComLed.h"

#include "widgets/ComPort.h"
#include "widgets/Control.h"
#include "widgets/qt/LedWidget.h"
#include "widgets/qt/StatusBarWidget.h"

#include <QPointer>

namespace lumotrix {

namespace {

// The child of the LED widget that holds a binding: deleting it ends the connection.
const QString BindingName = QStringLiteral("lumotrixComLedBinding");

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

constexpr TComSignal AllSignals[] = {TComSignal::lsCTS, TComSignal::lsDSR, TComSignal::lsRLSD,
                                     TComSignal::lsTx,  TComSignal::lsRx,  TComSignal::lsConn};

} // namespace

void BindComLed(TComLed* led, TComPort* port) {
    if (!led || !led->Panel())
        return;
    LedWidget* widget = led->Panel()->Led();
    delete widget->findChild<QObject*>(BindingName, Qt::FindDirectChildrenOnly);
    if (!port) {
        widget->SetState(false);
        return;
    }
    auto* binding = new QObject(widget);
    binding->setObjectName(BindingName);
    bool lit = false;
    for (TComSignal signal : AllSignals)
        if (Matches(led->LedSignal(), signal))
            lit = port->SignalState(signal);
    widget->SetState(lit);
    // The LED's signal is read at each change, so a later LedSignal takes effect.
    QPointer<LedWidget> guard = widget;
    QObject::connect(port, &TComPort::SignalChanged, binding,
                     [guard, led](TComSignal signal, bool on) {
                         if (guard && Matches(led->LedSignal(), signal))
                             guard->SetState(on);
                     });
}

void BindComLeds(TComPort* port, TComponent* owner) {
    if (!owner)
        return;
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (auto* led = dynamic_cast<TComLed*>(owner->Components(i)))
            led->SetComPort(port);
}

} // namespace lumotrix
