#pragma once

#include "link/ControllerLink.h"
#include "model/ConfigTables.h"
#include "runtime/Exception.h"

#include <QStringList>
#include <deque>

namespace lumotrix::test {

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

// A link on fakes whose hooks record into the same log.
struct TLinkBench {
    TEventLog Log;
    TFakePort Port{Log};
    TRecordingPause Pause{Log};
    TFixedClock Clock;
    TControllerLink Link{Port, Pause, Clock};
    TMemData TimerTable{QStringLiteral("MemData1")};
    TMemData PortTable{QStringLiteral("MemData2")};
    TDayNames DayNames;
    QList<int> Progress;
    QList<QString> Errors;
    QList<TTemperatureSettings> Stored;
    bool SendEnabled = false;
    bool ReceiveEnabled = true;

    TLinkBench() {
        Clock.Time = QDateTime(QDate(2026, 12, 6), QTime(7, 31, 14));
        TLinkHooks& h = Link.Hooks();
        h.TransferStart = [this](const QString& m) { Log.Events << "start " + m; };
        h.TransferEnd = [this](const QString& m) { Log.Events << "end " + m; };
        h.SetProgressMax = [this](int m) { Log.Events << QStringLiteral("max %1").arg(m); };
        h.SetProgress = [this](int p) { Progress.append(p); };
        h.SetReceiveEnabled = [this](bool on) { ReceiveEnabled = on; };
        h.SetSendEnabled = [this](bool on) { SendEnabled = on; };
        h.DisableSaveAndClear = [this] { Log.Events << QStringLiteral("disable save/clear"); };
        h.StoreTemperature = [this](const TTemperatureSettings& t) { Stored.append(t); };
        h.ShowError = [this](const QString& m) { Errors.append(m); };
        Link.BindPortEvents();
        DefineTimerTable(TimerTable);
        DefinePortTable(PortTable);
        DayNames.Fill();
        Link.AttachTables(&TimerTable, &PortTable, &DayNames);
    }

    // Fills the timer table with the rows of a send-convention image (Day = day code).
    void LoadTimers(TTimerImage image) {
        for (TimerRecord& r : image)
            r.Day += 1;
        ReplaceRows(TimerTable, BuildTimerRows(TimerTable, image, DayNames));
    }
};

} // namespace lumotrix::test
