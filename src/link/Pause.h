#pragma once

#include <QDateTime>
#include <QtGlobal>

namespace lumotrix {

// The send paces itself with fixed pauses. The window supplies a pause that keeps painting,
// the command-line tool a plain sleep, the tests one that only records.
class TPause {
public:
    virtual ~TPause() = default;
    virtual void Sleep(qint64 milliseconds) = 0;
};

// Blocks the calling thread.
class TSleepPause : public TPause {
public:
    void Sleep(qint64 milliseconds) override;
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
