#include "runtime/SerialPort.h"

namespace lumotrix {

QByteArray TSerialPort::ReadStr(int count) {
    const QByteArray taken = FWaiting.left(qMax(count, 0));
    FWaiting.remove(0, taken.size());
    return taken;
}

bool TSerialPort::Deliver(QByteArray batch) {
    if (FDiscardNull)
        batch.replace(QByteArray(1, '\0'), QByteArray());
    if (batch.isEmpty())
        return false;
    FWaiting += batch;
    if (OnRxChar)
        OnRxChar(InputCount());
    // Judged on the batch, not on what the handler left waiting: it may have taken it all.
    if (batch.contains(FEventChar) && OnRxFlag)
        OnRxFlag();
    return true;
}

} // namespace lumotrix
