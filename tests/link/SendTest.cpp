#include "LinkFakes.h"
#include "SampleConfig.h"
#include "link/LinkMessageIds.h"
#include "lumotrix-sim/ControllerProtocol.h"

#include <functional>
#include <gtest/gtest.h>
#include <numeric>

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

QByteArray Two(int v) {
    return QByteArray::number(v).rightJustified(2, '0');
}

// The transfer written out independently of the packet code.
QByteArray ExpectedTransfer(const TControllerConfig& c, const QByteArray& date) {
    QByteArray out(1, '\x02');
    for (int k = 0; k < 42; ++k) {
        const TimerRecord& r = c.Timers[k];
        out += Two(k) + Two(r.StartHour) + Two(r.StartMinute) + Two(r.StartSecond) + Two(r.Day) +
               Two(r.DurationHour) + Two(r.DurationMinute) + (r.IsOn ? "01" : "00") +
               Two(r.OutputPort - 1) + '\x04';
    }
    out += '\x01';
    for (const AnsiString& name : c.PortNames)
        out += name + '\x04';
    out += '\x01' + date + '\x04' + '\x01';
    out += "01220285255005" + Two(c.Temperature.PrimaPt - 1) + Two(c.Temperature.SecondaPt - 1) +
           '\x04' + '\x03';
    return out;
}

// Puts the configuration's port names into the bench's port table and returns the request
// the window would make.
TSendRequest RequestFor(TLinkBench& bench, const TControllerConfig& c, const QString& delay) {
    bench.LoadPorts(c.PortNames);
    TSendRequest request;
    request.DelayText = delay;
    request.Temperature = c.Temperature;
    return request;
}

} // namespace

TEST(Send, WholeTransferByteForByte) {
    TLinkBench bench;
    const TControllerConfig config = SampleConfig();
    bench.LoadTimers(config.Timers);
    bench.Link.Send(RequestFor(bench, config, QStringLiteral("0")));

    EXPECT_EQ(bench.Port.Sent, ExpectedTransfer(config, "26120607311407"));
    // 1 + 42 * 10 + 8 + 8 + 8 (date) + 8 (temperature) + 3 SOH + ETX.
    EXPECT_EQ(bench.Port.Writes.size(), 1 + 420 + 16 + 8 + 8 + 3 + 1);
    EXPECT_EQ(bench.Link.TransferMode(), "I");
    EXPECT_TRUE(bench.Port.IsOpen()); // the port stays open after a send
    // What the controller receives decodes to what was sent.
    EXPECT_EQ(ParseTransfer(bench.Port.Sent).Config, config);
}

TEST(Send, SyncOffSendsZerosAndUnchosenPortsGoOutAsMinusOne) {
    TLinkBench bench;
    TControllerConfig config = SampleConfig();
    config.Temperature.PrimaPt = 0;
    config.Temperature.SecondaPt = 0;
    bench.LoadTimers(config.Timers);
    TSendRequest request = RequestFor(bench, config, QStringLiteral("0"));
    request.SyncDate = false;
    bench.Link.Send(request);
    EXPECT_EQ(bench.Port.Sent, ExpectedTransfer(config, QByteArray(14, '0')));
    EXPECT_TRUE(bench.Port.Sent.endsWith("-1-1\x04\x03"));
}

TEST(Send, OrderOfLockOpenPauseRetrieveAndPausesAddUp) {
    for (int delay : {0, 1, 3}) {
        SCOPED_TRACE(delay);
        TLinkBench bench;
        bench.Link.Send(RequestFor(bench, SampleConfig(), QString::number(delay)));
        const QStringList& e = bench.Log.Events;
        ASSERT_GE(e.size(), 5);
        EXPECT_EQ(e[0], "start I");
        EXPECT_EQ(e[1], "max 454");
        EXPECT_EQ(e[2], "open");
        EXPECT_EQ(e.indexOf("write"), delay == 0 ? 3 : 4);
        EXPECT_EQ(e.back(), "end I");

        const qint64 d = delay * 1000;
        QList<qint64> expected;
        if (d)
            expected << d;
        expected << 1000 << 1000 << 1000;
        for (int p = 0; p < 8; ++p)
            if (d)
                expected << d;
        expected << 1000 << 1000 << 1000 << 1000;
        EXPECT_EQ(bench.Pause.Pauses, expected);
        const qint64 total =
            std::accumulate(bench.Pause.Pauses.begin(), bench.Pause.Pauses.end(), qint64(0));
        EXPECT_EQ(total, 7000 + 9 * d);
    }
}

TEST(Send, PausesFallBetweenTheRightBytes) {
    TLinkBench bench;
    bench.Link.Send(RequestFor(bench, SampleConfig(), QStringLiteral("2")));
    // Reduce the log to the bytes written and the pauses, then look at the tail.
    QStringList seq;
    int w = 0;
    for (const QString& ev : bench.Log.Events) {
        if (ev == "write") {
            const QByteArray b = bench.Port.Writes[w++];
            seq << (b.size() == 1 && b[0] < 5 ? QStringLiteral("C%1").arg(int(b[0]))
                                              : QStringLiteral("T"));
        } else if (ev.startsWith("pause")) {
            seq << ev.mid(6);
        }
    }
    // After the last timer: 1 s, SOH, 1 s, 1 s, then name/EOT/delay eight times.
    const int soh = int(seq.indexOf("C1"));
    EXPECT_EQ(seq.mid(soh - 1, 4), QStringList({"1000", "C1", "1000", "1000"}));
    EXPECT_EQ(seq.mid(soh + 3, 3), QStringList({"T", "C4", "2000"}));
    EXPECT_EQ(seq.mid(soh + 27, 11),
              QStringList({"1000", "C1", "1000", "T", "T", "T", "T", "T", "T", "T", "C4"}));
    EXPECT_EQ(seq.mid(soh + 38, 3), QStringList({"1000", "C1", "1000"}));
    EXPECT_EQ(seq.back(), "C3");
}

TEST(Send, ProgressAdvancesPastTheMaximum) {
    TLinkBench bench;
    bench.Link.Send(RequestFor(bench, SampleConfig(), QStringLiteral("0")));
    QList<int> expected{1};
    for (int k = 1; k <= 42; ++k)
        expected << 1 + 10 * k;
    expected << 422;
    for (int p = 1; p <= 16; ++p)
        expected << 422 + p;
    expected << 439 << 447 << 448 << 456;
    EXPECT_EQ(bench.Progress, expected);
}

TEST(Send, TimersAreReadFromTheTableAfterTheFirstPause) {
    TLinkBench bench;
    bench.LoadTimers(SampleConfig().Timers);
    bench.Pause.OnSleep = [&] {
        if (bench.Pause.Pauses.size() == 1)
            bench.TimerTable.SetCellValue(0, bench.TimerTable.FieldIndex("Uscita"), qint32(6));
    };
    bench.Link.Send(RequestFor(bench, SampleConfig(), QStringLiteral("1")));
    EXPECT_EQ(bench.Port.Sent.mid(1, 19), QByteArray("000000000000000105\x04"));
    EXPECT_EQ(bench.TimerTable.CurrentRow(), 0);
}

TEST(Send, PortAlreadyOpenIsNotReopened) {
    TLinkBench bench;
    bench.Port.Open();
    bench.Log.Events.clear();
    bench.Link.Send(RequestFor(bench, SampleConfig(), QStringLiteral("0")));
    EXPECT_FALSE(bench.Log.Events.contains("open"));
}

TEST(Send, RefusedBeforeTheFirstByteWhenItCannotGoOutWhole) {
    struct Case {
        const char* name;
        QString delay;
        std::function<void(TControllerConfig&)> change;
        bool dropLastPort;
        TLinkMessageId says;
    };
    QList<Case> cases;
    for (const char* delay : {"1.5", "abc", "-1", "", "1e3", "99999999999"})
        cases.append({delay, QLatin1String(delay), {}, false, msgBadDelay});
    cases.append({"EOT in a name", QStringLiteral("0"),
                  [](TControllerConfig& c) { c.PortNames[4] = "Filtro\x04"; }, false,
                  msgPortNameControlChar});
    cases.append({"seven ports", QStringLiteral("0"), {}, true, msgPortTableIncomplete});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLinkBench bench;
        TControllerConfig config = SampleConfig();
        if (c.change)
            c.change(config);
        const TSendRequest request = RequestFor(bench, config, c.delay);
        if (c.dropLastPort) {
            bench.PortTable.Last();
            bench.PortTable.Delete();
        }
        try {
            bench.Link.Send(request);
            ADD_FAILURE() << "accepted";
        } catch (const Exception& e) {
            ASSERT_TRUE(e.Record()) << e.what();
            EXPECT_EQ(e.Record()->Id, c.says) << e.what();
        }
        EXPECT_TRUE(bench.Port.Sent.isEmpty());
        EXPECT_FALSE(bench.Port.IsOpen());
        EXPECT_TRUE(bench.Pause.Pauses.isEmpty());
        EXPECT_EQ(bench.Log.Events.back(), "end I"); // the window is unlocked
    }
    EXPECT_EQ(TControllerLink::ReadDelay(QStringLiteral(" 12 ")), 12);
}

TEST(Send, ErrorsMidWayStillUnlockTheWindow) {
    TLinkBench bench;
    bench.Port.FailAfterWrites = 100;
    EXPECT_THROW(bench.Link.Send(RequestFor(bench, SampleConfig(), QStringLiteral("0"))),
                 EWriteError);
    EXPECT_EQ(bench.Log.Events.back(), "end I");

    TLinkBench closed;
    closed.Port.FailOpen = true;
    EXPECT_THROW(closed.Link.Send(RequestFor(closed, SampleConfig(), QStringLiteral("0"))),
                 Exception);
    EXPECT_EQ(closed.Log.Events.back(), "end I");
    EXPECT_TRUE(closed.Port.Sent.isEmpty());
}

TEST(Send, EmptyNameGoesOutAsEotAlone) {
    TLinkBench bench;
    TControllerConfig config = SampleConfig();
    config.PortNames[7] = "";
    bench.LoadTimers(config.Timers);
    bench.Link.Send(RequestFor(bench, config, QStringLiteral("0")));
    EXPECT_EQ(ParseTransfer(bench.Port.Sent).Config.PortNames[7], "");
    EXPECT_TRUE(bench.Port.Sent.contains("Porta 7\x04\x04\x01"));
}
