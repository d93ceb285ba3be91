// The real serial path: the link writes through a pseudo-terminal to lumotrix-sim, which
// checks the transfer and answers with its dump.

#include "LinkFakes.h"
#include "SampleConfig.h"
#include "SimRun.h"

#include "runtime/SerialEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

// Real pauses, shortened: the simulator doesn't time the line.
class TShortPause : public TPause {
public:
    void Sleep(qint64 milliseconds) override { ::usleep(useconds_t(milliseconds * 20)); }
};

} // namespace

TEST(EndToEnd, SendThroughThePseudoTerminalAndReceiveTheDumpBack) {
    TSimulator sim;
    if (qEnvironmentVariableIsEmpty("LUMOTRIX_BUILD_DIR") || !sim.Start())
        GTEST_SKIP() << "lumotrix-sim not found (LUMOTRIX_BUILD_DIR unset?)";

    LinkTestApp();
    TSerialEngine port;
    TComSettings settings;
    settings.Port = sim.Device;
    port.SetSettings(settings);
    TShortPause pause;
    TFixedClock clock;
    clock.Time = QDateTime(QDate(2026, 12, 6), QTime(7, 31, 14));
    TConfiguration configuration;
    TMemData& timers = configuration.Timers;
    TMemData& ports = configuration.Ports;
    const TDayNames& days = configuration.DayNames;
    TEventLog log;
    TRecordingWindow window(log);
    QList<QString>& errors = window.Errors;
    QList<TTemperatureSettings>& stored = window.Stored;
    TControllerLink link(port, pause, clock, configuration, &window);
    link.BindPortEvents();

    const TControllerConfig config = SampleConfig();
    TTimerImage rows = config.Timers;
    for (TimerRecord& r : rows)
        r.Day += 1;
    ReplaceRows(timers, BuildTimerRows(timers, rows, days));
    ReplaceRows(ports, BuildPortRows(ports, config.PortNames));
    const QByteArray timersSent = timers.SaveToBytes();

    TSendRequest request;
    request.DelayText = QStringLiteral("0");
    request.Temperature = config.Temperature;
    link.Send(request);

    const QStringList report = sim.Report();
    ASSERT_FALSE(report.isEmpty());
    EXPECT_EQ(report[0].toStdString(), "transfer ok: 904 bytes, 42 timers, 8 port names, "
                                       "date 2026-12-06 07:31:14 weekday 07");
    ASSERT_EQ(report.size(), 1 + 42 + 8 + 1 + 1);
    EXPECT_EQ(report[1].toStdString(),
              "timer 00: start 00:00:00 day 00 duration 00:00 state 01 port 00");
    EXPECT_EQ(report[42].toStdString(),
              "timer 41: start 17:47:53 day 01 duration 13:31 state 00 port 01");
    EXPECT_EQ(report[45].toStdString(), "port 3: \"Luce \xC3\xAC blu\"");
    EXPECT_EQ(report[51].toStdString(),
              "temperature: sensor 01 min 220 max 285 ideal 255 hysteresis 005 "
              "first 02 second 06");

    // The port is still open after the send: the receive command closes it, then listens.
    link.ReceiveCommand();
    ASSERT_FALSE(port.IsOpen());
    link.ReceiveCommand();
    ASSERT_TRUE(port.IsOpen());
    timers.Close(); // a good dump must rebuild it
    timers.Open();
    sim.Process.write("dump\n");
    sim.Process.waitForBytesWritten(3000);
    QElapsedTimer timer;
    timer.start();
    while (stored.isEmpty() && errors.isEmpty() && timer.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        ::usleep(5000);
    }
    EXPECT_EQ(sim.ReadLine().trimmed(), "dump sent: 1425 bytes");

    ASSERT_TRUE(errors.isEmpty()) << link.LastDumpError().toStdString();
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0], config.Temperature);
    EXPECT_EQ(timers.SaveToBytes(), timersSent);
    EXPECT_EQ(link.TimerImage(), rows);
    const QList<AnsiString> names = ReadPortNames(ports);
    ASSERT_EQ(names.size(), 8);
    for (int p = 0; p < 8; ++p)
        EXPECT_EQ(names[p], config.PortNames[p].leftJustified(32, ' '));
}
