#pragma once

#include <QDateTime>
#include <QtGlobal>

namespace lumotrix {

class TSerialPort;

// The send paces itself with fixed pauses. The window and the command-line tool pause with
// the event loop turning, the tests with a pause that only records.
class TPause {
public:
    virtual ~TPause() = default;
    virtual void Sleep(qint64 milliseconds) = 0;
};

// Keeps the event loop turning without user input, so that a window stays painted and the
// port hears of a line that goes away at once; ends early when `port` closes, since nothing
// more can go out and the next write says why.
class TEventPause : public TPause {
public:
    explicit TEventPause(const TSerialPort& port) : FPort(port) {}
    void Sleep(qint64 milliseconds) override;

private:
    const TSerialPort& FPort;
};

// The PC's local date and time, for the date packet.
class TClock {
public:
    virtual ~TClock() = default;
    virtual QDateTime Now() const = 0;
};

class TSystemClock : public TClock {
public:
    QDateTime Now() const override;
};

} // namespace lumotrix
