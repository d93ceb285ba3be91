#include "CliSupport.h"

#include "model/ConfigTables.h"
#include "model/MemData.h"

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

using Usage = CliTest;

TEST_F(Usage, WrongUsageExitsWithTwoAndTheUsage) {
    const std::vector<QStringList> wrong = {
        {},
        {"frobnicate"},
        {"show"},
        {"show", "a.tmr", "b.tmr"},
        {"show", "a.tmr", "--xml"},
        {"import", "config.json"},
        {"week"},
        {"week", "a.tmr", "--svg-file"},
        {"diff", "a.tmr"},
        {"send", "a.tmr"},
        {"send", "a.tmr", "--port"},
        {"send", "a.tmr", "--port", "/dev/x", "--port", "/dev/y"},
        {"send", "a.tmr", "--port", "/dev/x", "--delay", "one"},
        {"send", "a.tmr", "--port", "/dev/x", "--delay", "-1"},
        {"receive", "--port", "/dev/x"},
        {"receive", "--out", "a.tmr"},
        {"receive", "--port", "/dev/x", "--out", "a.tmr", "--timeout", "1.5"},
        {"receive", "x.tmr", "--port", "/dev/x", "--out", "a.tmr"},
    };
    for (const QStringList& args : wrong) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const TRun r = RunCli(args);
        EXPECT_EQ(r.ExitCode, 2);
        EXPECT_TRUE(r.Err.startsWith("lumotrix-cli: ")) << r.Err.toStdString();
        EXPECT_TRUE(r.Err.contains("usage:"));
    }
    const TRun help = RunCli({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_TRUE(help.Out.contains("lumotrix-cli receive --port DEVICE --out FILE.tmr"));
}

using Send = CliTest;

// A send that could only go out in part is refused before the port is touched.
TEST_F(Send, RefusesASetThatCannotMakeAWholeSend) {
    ASSERT_EQ(RunCli({"import", WriteJson(SampleConfig()), Path("a.tmr")}).ExitCode, 0);
    const QStringList send = {"send", Path("a.tmr"), "--port", Path("no-such-device")};

    QFile::rename(Path("Pa"), Path("Pa.away"));
    TRun r = RunCli(send);
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains("The port file \"" + Path("Pa") + "\" is missing"))
        << r.Err.toStdString();
    QFile::rename(Path("Pa.away"), Path("Pa"));

    QFile::rename(Path("Ta"), Path("Ta.away"));
    r = RunCli(send);
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains("The temperature file \"" + Path("Ta") + "\" is missing"))
        << r.Err.toStdString();
    QFile::rename(Path("Ta.away"), Path("Ta"));

    // A timer file the window could have written with a row deleted.
    TMemData timers;
    DefineTimerTable(timers);
    timers.LoadFromBinaryFile(Path("a.tmr"));
    timers.Last();
    timers.Delete();
    timers.SaveToBinaryFile(Path("a.tmr"));
    r = RunCli(send);
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains("holds 41 timers; the controller needs all 42"))
        << r.Err.toStdString();
}

TEST_F(Send, ReportsAPortThatCannotBeOpened) {
    ASSERT_EQ(RunCli({"import", WriteJson(SampleConfig()), Path("a.tmr")}).ExitCode, 0);
    const TRun r = RunCli({"send", Path("a.tmr"), "--port", Path("no-such-device")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.startsWith("lumotrix-cli: Cannot open the port " + Path("no-such-device")))
        << r.Err.toStdString();
    EXPECT_EQ(r.Err.count('\n'), 1);
}

} // namespace
