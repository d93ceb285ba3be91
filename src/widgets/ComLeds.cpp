#include "widgets/ComLeds.h"

#include "widgets/ComPort.h"
#include "widgets/Controls.h"
#include "widgets/Led.h"
#include "widgets/StatusBar.h"

#include <QPointer>

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

void BindComLeds(TComPort* port, TComponent* owner) {
    if (!port || !owner)
        return;
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        auto* led = dynamic_cast<TComLed*>(owner->Components(i));
        if (!led || !led->Panel())
            continue;
        // The LED widget is the receiver: when the LED goes, so does the connection.
        QPointer<LedWidget> widget = led->Panel()->Led();
        TComLedSignal wanted = led->LedSignal();
        for (TComSignal signal : {TComSignal::lsCTS, TComSignal::lsDSR, TComSignal::lsRLSD,
                                  TComSignal::lsTx, TComSignal::lsRx, TComSignal::lsConn})
            if (Matches(wanted, signal))
                widget->SetState(port->SignalState(signal));
        QObject::connect(port, &TComPort::SignalChanged, widget,
                         [widget, wanted](TComSignal signal, bool lit) {
                             if (widget && Matches(wanted, signal))
                                 widget->SetState(lit);
                         });
    }
}

} // namespace lumotrix
