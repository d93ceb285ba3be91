#include "link/Pause.h"

#include <chrono>
#include <thread>

namespace lumotrix {

void TSleepPause::Sleep(qint64 milliseconds) {
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

QDateTime TSystemClock::Now() const {
    return QDateTime::currentDateTime();
}

} // namespace lumotrix
