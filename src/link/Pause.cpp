#include "link/Pause.h"

#include "runtime/SerialPort.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace lumotrix {

void TEventPause::Sleep(qint64 milliseconds) {
    // Short naps between turns: the line's events wait no longer than one.
    constexpr qint64 NapMs = 15;
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        const qint64 left = milliseconds - timer.elapsed();
        if (left <= 0 || !FPort.IsOpen())
            break;
        QThread::msleep(static_cast<unsigned long>(qMin(left, NapMs)));
    }
}

QDateTime TSystemClock::Now() const {
    return QDateTime::currentDateTime();
}

} // namespace lumotrix
