#pragma once

#include "link/ControllerLink.h"
#include "model/TableRecords.h"
#include "runtime/Exception.h"

#include <QCoreApplication>
#include <QStringList>
#include <deque>

namespace lumotrix::test {

// The serial engine and the window's pause deliver from the event loop; one application object
// for the whole test program.
inline QCoreApplication& LinkTestApp() {
    static int argc = 1;
    static char name[] = "link_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// One shared log of what the link did to the port and the pause, in order.
struct TEventLog {
    QStringList Events;
};

class TFakePort : public TSerialPort {
public:
    explicit TFakePort(TEventLog& log) : FLog(log) {}

    void Open() override {
        if (FailOpen)
            throw Exception(QStringLiteral("cannot open COM9"));
        FOpen = true;
        FLog.Events << QStringLiteral("open");
    }
    void Close() override {
        FOpen = false;
        FLog.Events << QStringLiteral("close");
    }
    bool IsOpen() const override { return FOpen; }
    void WriteStr(const QByteArray& bytes) override {
        if (FailAfterWrites >= 0 && Writes.size() >= FailAfterWrites)
            throw EWriteError(QStringLiteral("line dropped"));
        Writes.append(bytes);
        Sent += bytes;
        FLog.Events << QStringLiteral("write");
    }
    // One batch from the line, delivered as every port delivers it.
    void Receive(const QByteArray& batch) { Deliver(batch); }

    QList<QByteArray> Writes;
    QByteArray Sent;
    bool FailOpen = false;
    int FailAfterWrites = -1;

private:
    TEventLog& FLog;
    bool FOpen = false;
};

class TRecordingPause : public TPause {
public:
    explicit TRecordingPause(TEventLog& log) : FLog(log) {}
    void Sleep(qint64 milliseconds) override {
        Pauses.append(milliseconds);
        FLog.Events << QStringLiteral("pause %1").arg(milliseconds);
        if (OnSleep)
            OnSleep();
    }
    QList<qint64> Pauses;
    std::function<void()> OnSleep;

private:
    TEventLog& FLog;
};

class TFixedClock : public TClock {
public:
    QDateTime Now() const override { return Time; }
    QDateTime Time;
};

// A window that records what the link tells it.
struct TRecordingWindow : TLinkWindow {
    explicit TRecordingWindow(TEventLog& log) : Log(log) {}
    void TransferStart(const QString& m) override { Log.Events << "start " + m; }
    void TransferEnd(const QString& m) override { Log.Events << "end " + m; }
    void SetProgressMax(int m) override { Log.Events << QStringLiteral("max %1").arg(m); }
    void SetProgress(int p) override { Progress.append(p); }
    void SetReceiveEnabled(bool on) override { ReceiveEnabled = on; }
    void SetSendEnabled(bool on) override { SendEnabled = on; }
    void DisableSaveAndClear() override { Log.Events << QStringLiteral("disable save/clear"); }
    void StoreTemperature(const TTemperatureSettings& t) override { Stored.append(t); }
    void ShowError(const QString& m) override { Errors.append(m); }

    TEventLog& Log;
    QList<int> Progress;
    QList<QString> Errors;
    QList<TTemperatureSettings> Stored;
    bool SendEnabled = false;
    bool ReceiveEnabled = true;
};

// A link on fakes and a configuration, whose window records into the same log.
struct TLinkBench {
    TEventLog Log;
    TFakePort Port{Log};
    TRecordingPause Pause{Log};
    TFixedClock Clock;
    TConfiguration Config;
    TRecordingWindow Window{Log};
    TControllerLink Link{Port, Pause, Clock, Config, &Window};
    TMemData& TimerTable = Config.Timers;
    TMemData& PortTable = Config.Ports;
    const TDayNames& DayNames = Config.DayNames;
    QList<int>& Progress = Window.Progress;
    QList<QString>& Errors = Window.Errors;
    QList<TTemperatureSettings>& Stored = Window.Stored;
    bool& SendEnabled = Window.SendEnabled;
    bool& ReceiveEnabled = Window.ReceiveEnabled;

    TLinkBench() {
        Clock.Time = QDateTime(QDate(2026, 12, 6), QTime(7, 31, 14));
        Link.BindPortEvents();
    }

    // Fills the timer table with the rows of a send-convention image (Day = day code).
    void LoadTimers(TTimerImage image) {
        for (TimerRecord& r : image)
            r.Day += 1;
        ReplaceRows(TimerTable, BuildTimerRows(TimerTable, image, DayNames));
    }
    // Fills the port table with `names`, ports 1 to 8.
    void LoadPorts(const TPortNames& names) {
        ReplaceRows(PortTable, BuildPortRows(PortTable, names));
    }
};

} // namespace lumotrix::test
