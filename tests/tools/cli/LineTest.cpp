// The real serial path: lumotrix-cli on a pseudo-terminal, with lumotrix-sim or a scripted
// controller at the other end.

#include "CliSupport.h"
#include "SimRun.h"

#include "lumotrix-sim/ControllerProtocol.h"

#include <QDate>
#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

// The controller's end of a pseudo-terminal, written to by the test.
class TScriptedController {
public:
    TScriptedController() {
        FMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (FMaster < 0 || ::grantpt(FMaster) != 0 || ::unlockpt(FMaster) != 0)
            return;
        Device = QString::fromLocal8Bit(::ptsname(FMaster));
        // Held open so that the line stays up between the tool's open and close.
        FSlave = ::open(::ptsname(FMaster), O_RDWR | O_NOCTTY);
        termios tio{};
        ::tcgetattr(FSlave, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(FSlave, TCSANOW, &tio);
    }
    ~TScriptedController() {
        if (FSlave >= 0)
            ::close(FSlave);
        if (FMaster >= 0)
            ::close(FMaster);
    }
    bool IsUp() const { return FSlave >= 0; }

    // STX alone, then the dump, as the controller transmits.
    void Transmit(const QByteArray& dump) {
        Write(QByteArray(1, STX));
        ::usleep(200 * 1000);
        Write(dump);
    }

    QString Device;

private:
    void Write(const QByteArray& bytes) {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n =
                ::write(FMaster, bytes.constData() + done, size_t(bytes.size() - done));
            if (n < 0 && errno != EINTR)
                return;
            done += qMax<ssize_t>(n, 0);
        }
    }

    int FMaster = -1;
    int FSlave = -1;
};

class Line : public CliTest {
protected:
    // Starts `receive` and waits until it listens.
    void StartReceive(QProcess& p, const QString& device, const char* out, int timeout = 20) {
        p.start(CliTool(), {"receive", "--port", device, "--out", Path(out), "--timeout",
                            QString::number(timeout)});
        const QByteArray line = ReadLine(p);
        ASSERT_TRUE(line.startsWith("listening on " + device.toUtf8()))
            << line.constData() << p.readAllStandardError().constData();
    }
};

// The controller pads every name to 32 characters; everything else comes back as sent.
QJsonObject AsTheControllerKeepsIt(QJsonObject config) {
    QJsonArray ports = config["ports"].toArray();
    for (qsizetype p = 0; p < ports.size(); ++p) {
        QJsonObject port = ports[p].toObject();
        port["name"] = port["name"].toString().leftJustified(32, ' ');
        ports[p] = port;
    }
    config["ports"] = ports;
    return config;
}

TEST_F(Line, SendThenReceiveThroughTheSimulatorGivesTheSameConfiguration) {
    ASSERT_TRUE(QFile::exists(SimTool())) << SimTool().toStdString();
    TSimulator sim;
    ASSERT_TRUE(sim.Start());
    const QJsonObject config = SampleConfig();
    ASSERT_EQ(RunCli({"import", WriteJson(config), Path("sent.tmr")}).ExitCode, 0);

    const QDate before = QDate::currentDate();
    const TRun sent = RunCli({"send", Path("sent.tmr"), "--port", sim.Device, "--delay", "0"});
    ASSERT_EQ(sent.ExitCode, 0) << sent.Err.toStdString();
    const QString report = sim.Report().first();
    ASSERT_TRUE(report.startsWith("transfer ok")) << report.toStdString();
    // The clock went out: the simulator has checked that the weekday fits the date.
    const QString today = QStringLiteral("date %1").arg(before.toString("yyyy-MM-dd"));
    const QString tomorrow =
        QStringLiteral("date %1").arg(before.addDays(1).toString("yyyy-MM-dd"));
    EXPECT_TRUE(report.contains(today) || report.contains(tomorrow)) << report.toStdString();

    QProcess receive;
    StartReceive(receive, sim.Device, "received.tmr");
    sim.Process.write("dump\n");
    ASSERT_TRUE(sim.Process.waitForBytesWritten(5000));
    const TRun received = Finish(receive);
    ASSERT_EQ(received.ExitCode, 0) << received.Err.toStdString();
    EXPECT_EQ(ShowJson("received.tmr"), AsTheControllerKeepsIt(config));
}

TEST_F(Line, NoClockSendsTheZeroDatePacket) {
    TSimulator sim;
    ASSERT_TRUE(sim.Start());
    ASSERT_EQ(RunCli({"import", WriteJson(SampleConfig()), Path("a.tmr")}).ExitCode, 0);
    const TRun sent =
        RunCli({"send", Path("a.tmr"), "--port", sim.Device, "--delay", "0", "--no-clock"});
    ASSERT_EQ(sent.ExitCode, 0) << sent.Err.toStdString();
    const QString report = sim.Report().first();
    EXPECT_TRUE(report.startsWith("transfer ok")) << report.toStdString();
    EXPECT_TRUE(report.contains("date not synchronised")) << report.toStdString();
}

// A dump that fails any check: the window's message, status 1, and the files that were there
// stay as they were.
TEST_F(Line, RefusedDumpWritesNothing) {
    TScriptedController controller;
    ASSERT_TRUE(controller.IsUp());
    ASSERT_EQ(RunCli({"import", WriteJson(SampleConfig()), Path("kept.tmr")}).ExitCode, 0);
    const QByteArray keptTimers = Read("kept.tmr");
    const QByteArray keptPorts = Read("Pkept");
    const QByteArray keptTemperature = Read("Tkept");

    const QByteArray good = BuildDump(TControllerConfig{});
    QByteArray badDay = good;
    badDay.replace(12, 3, "  9"); // day code of the first timer
    const std::vector<std::pair<const char*, QByteArray>> dumps = {
        {"one byte short", good.mid(1)},
        {"day code 9", badDay},
    };
    for (const auto& [name, dump] : dumps) {
        SCOPED_TRACE(name);
        for (const char* out : {"kept.tmr", "new.tmr"}) {
            QProcess receive;
            StartReceive(receive, controller.Device, out);
            controller.Transmit(dump);
            const TRun r = Finish(receive);
            EXPECT_EQ(r.ExitCode, 1);
            EXPECT_EQ(r.Err, "12:Serial communication error\n");
        }
        EXPECT_EQ(Read("kept.tmr"), keptTimers);
        EXPECT_EQ(Read("Pkept"), keptPorts);
        EXPECT_EQ(Read("Tkept"), keptTemperature);
        EXPECT_EQ(Files(), (QStringList{"Pkept", "Tkept", "config.json", "kept.tmr"}));
    }
}

// The controller's end goes away while the tool listens (with no time limit), half way through
// a dump, or during a send: within a second the tool ends with status 1 and one line naming the
// port, having written no file.
TEST_F(Line, ALostLineEndsTheToolAtOnceWithoutWritingAFile) {
    struct TCase {
        const char* Name;
        const char* SimCommand;
        bool Sending;
    };
    ASSERT_EQ(RunCli({"import", WriteJson(SampleConfig()), Path("a.tmr")}).ExitCode, 0);
    const QStringList files = Files();
    for (const TCase& c :
         {TCase{"listening", "hangup\n", false}, TCase{"mid-dump", "dump --partial 600\n", false},
          TCase{"mid-send", "hangup --after 100\n", true}}) {
        SCOPED_TRACE(c.Name);
        TSimulator sim;
        ASSERT_TRUE(sim.Start());
        QProcess tool;
        if (c.Sending) {
            sim.Process.write(c.SimCommand);
            ASSERT_TRUE(sim.Process.waitForBytesWritten(3000));
            tool.start(CliTool(), {"send", Path("a.tmr"), "--port", sim.Device, "--delay", "0"});
        } else {
            StartReceive(tool, sim.Device, "b.tmr", 0);
            sim.Process.write(c.SimCommand);
        }
        QByteArray line;
        do
            line = sim.ReadLine().trimmed();
        while (!line.isEmpty() && line != "hung up");
        ASSERT_EQ(line, "hung up");
        QElapsedTimer sinceHangUp;
        sinceHangUp.start();
        const TRun r = Finish(tool, 10000);
        EXPECT_LT(sinceHangUp.elapsed(), LossReportMs);
        EXPECT_EQ(r.ExitCode, 1);
        EXPECT_EQ(r.Err, "lumotrix-cli: Lost the line on port " + sim.Device +
                             ": the device was disconnected.\n");
        EXPECT_EQ(Files(), files);
    }
}

TEST_F(Line, ReceiveGivesUpAfterItsTimeout) {
    TScriptedController controller;
    ASSERT_TRUE(controller.IsUp());
    QProcess receive;
    StartReceive(receive, controller.Device, "a.tmr", 1);
    const TRun r = Finish(receive);
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Err, "lumotrix-cli: No dump arrived on " + controller.Device + " within 1 s\n");
    EXPECT_TRUE(Files().isEmpty());
}

} // namespace
