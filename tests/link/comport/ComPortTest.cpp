#include "widgets/ComPort.h"
#include "ComPortTestSupport.h"
#include "MessageMatch.h"
#include "SimRun.h"
#include "link/ControllerLink.h"
#include "model/TableRecords.h"
#include "runtime/Exception.h"
#include "runtime/MessageIds.h"
#include "widgets/qt/ComPortSetupDialog.h"

#include <QComboBox>
#include <QTimer>
#include <gtest/gtest.h>

using namespace lumotrix;
using namespace lumotrix::comport_test;

namespace {

class ComPort : public ::testing::Test {
protected:
    static void SetUpTestSuite() { App(); }
};

} // namespace

TEST_F(ComPort, DefaultsAndPortNames) {
    TComPort port;
    EXPECT_EQ(port.Port(), "COM1");
    EXPECT_EQ(port.BaudRate(), 9600);
    EXPECT_EQ(port.DataBits(), 8);
    EXPECT_EQ(port.Parity(), TParityBits::prNone);
    EXPECT_EQ(port.StopBits(), TStopBits::sbOneStopBit);
    EXPECT_EQ(port.FlowControl(), TComFlowControl{});
    EXPECT_EQ(port.FlowControl().ControlDTR, TDTRFlowControl::dtrDisable);
    EXPECT_EQ(port.FlowControl().ControlRTS, TRTSFlowControl::rtsDisable);
    EXPECT_TRUE(port.DiscardNull());
    EXPECT_EQ(port.EventChar(), '\x03');
    EXPECT_EQ(DeviceName("COM1"), "/dev/ttyS0");
    EXPECT_EQ(DeviceName("com12"), "/dev/ttyS11");
    EXPECT_EQ(DeviceName("/dev/pts/7"), "/dev/pts/7");
    EXPECT_EQ(DeviceName("COM0"), "COM0");
    EXPECT_THROW(port.SetDataBits(9), ERangeError);
}

TEST_F(ComPort, SetupDialogShowsAndAppliesTheSettings) {
    TComPort port;
    TComPortSetupDialog dialog;
    dialog.Load(port.Settings());
    EXPECT_EQ(dialog.PortBox()->currentText(), "COM1");
    EXPECT_EQ(dialog.BaudRateBox()->currentText(), "9600");
    EXPECT_EQ(dialog.DataBitsBox()->currentText(), "8");
    EXPECT_EQ(dialog.ParityBox()->currentIndex(), 0);
    EXPECT_EQ(dialog.StopBitsBox()->currentText(), "1");
    EXPECT_EQ(dialog.FlowControlBox()->currentIndex(), 0);

    // A refused setting changes nothing, not even the valid ones beside it.
    dialog.BaudRateBox()->setCurrentText("19200");
    dialog.PortBox()->setCurrentText("   ");
    TComSettings edited = port.Settings();
    EXPECT_THROW(dialog.Apply(edited), ERangeError);
    EXPECT_EQ(edited, port.Settings());

    dialog.PortBox()->setCurrentText("/dev/ttyUSB0");
    dialog.DataBitsBox()->setCurrentIndex(2);
    dialog.ParityBox()->setCurrentIndex(2);
    dialog.StopBitsBox()->setCurrentIndex(2);
    dialog.FlowControlBox()->setCurrentIndex(1);
    dialog.Apply(edited);
    port.SetSettings(edited);
    EXPECT_EQ(port.Port(), "/dev/ttyUSB0");
    EXPECT_EQ(port.BaudRate(), 19200);
    EXPECT_EQ(port.DataBits(), 7);
    EXPECT_EQ(port.Parity(), TParityBits::prEven);
    EXPECT_EQ(port.StopBits(), TStopBits::sbTwoStopBits);
    EXPECT_TRUE(port.FlowControl().OutCTSFlow);
    EXPECT_FALSE(port.FlowControl().XonXoffIn);
}

TEST_F(ComPort, OpenFailureNamesThePortOnceAndTheReason) {
    TComPort port;
    port.SetPort("/dev/lumotrix-no-such-port");
    try {
        port.Open();
        ADD_FAILURE() << "opened";
    } catch (const Exception& e) {
        EXPECT_TRUE(test::Holds(e, msgPortOpenFailed)) << e.what();
        EXPECT_TRUE(test::Holds(e, msgReasonMissing)) << e.what();
        // A path is its own device: no "(device ...)" that repeats it.
        EXPECT_FALSE(test::Holds(e, msgPortNamedDevice)) << e.what();
        EXPECT_EQ(e.Message().count(QStringLiteral("/dev/lumotrix-no-such-port")), 1) << e.what();
    }
    port.SetPort("COM250");
    try {
        port.Open();
        ADD_FAILURE() << "opened";
    } catch (const Exception& e) {
        // A port name that is not a path says which device it stands for.
        EXPECT_TRUE(test::Holds(e, msgPortNamedDevice)) << e.what();
        EXPECT_TRUE(e.Message().contains(DeviceName(QStringLiteral("COM250")))) << e.what();
    }
    EXPECT_FALSE(port.IsOpen());
    EXPECT_THROW(port.WriteStr("x"), EWriteError);
}

namespace {

// The engine on a device path, as the command-line tool and the tests use it.
void UseDevice(TSerialEngine& port, const QString& device) {
    TComSettings settings;
    settings.Port = device;
    port.SetSettings(settings);
}

} // namespace

TEST_F(ComPort, PseudoTerminalStaysOpenWithoutModemLines) {
    TPty pty;
    ASSERT_FALSE(pty.Path.isEmpty());
    TSerialEngine port;
    UseDevice(port, pty.Path);
    int opened = 0, closed = 0;
    port.OnAfterOpen = [&] { ++opened; };
    port.OnAfterClose = [&] { ++closed; };
    port.Open();
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(port.SignalState(TComSignal::lsConn));
    Spin(600); // a few LED polls
    EXPECT_TRUE(port.IsOpen());
    EXPECT_FALSE(port.SignalState(TComSignal::lsCTS));
    EXPECT_FALSE(port.SignalState(TComSignal::lsDSR));
    EXPECT_FALSE(port.SignalState(TComSignal::lsRLSD));

    QList<std::pair<TComSignal, bool>> changes;
    port.OnSignalChanged = [&](TComSignal s, bool lit) { changes.append({s, lit}); };
    port.WriteStr(QByteArray("\x02hello\x03", 7));
    EXPECT_EQ(pty.Read(), QByteArray("\x02hello\x03", 7));
    EXPECT_TRUE(changes.contains(std::pair{TComSignal::lsTx, true}));
    SpinUntil([&] { return !port.SignalState(TComSignal::lsTx); });
    EXPECT_FALSE(port.SignalState(TComSignal::lsTx));

    port.Close();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(port.SignalState(TComSignal::lsConn));
}

TEST_F(ComPort, ReceiveDropsNulsAndRaisesTheFlagAfterTheBatch) {
    TPty pty;
    TSerialEngine port;
    UseDevice(port, pty.Path);
    QByteArray received;
    QList<QByteArray> atFlag;
    port.OnRxChar = [&](int count) { received += port.ReadStr(count); };
    port.OnRxFlag = [&] { atFlag.append(received); };
    port.Open();
    pty.Write(QByteArray("a\0b", 3));
    ASSERT_TRUE(SpinUntil([&] { return received.size() >= 2; }));
    pty.Write(QByteArray("c\x03\0d", 4));
    ASSERT_TRUE(SpinUntil([&] { return received.size() >= 5; }));
    EXPECT_EQ(received, QByteArray("abc\x03"
                                   "d"));
    ASSERT_EQ(atFlag.size(), 1);
    EXPECT_TRUE(atFlag[0].endsWith("c\x03") || atFlag[0].endsWith("\x03"
                                                                  "d"));
}

TEST_F(ComPort, HeldEventsWaitUntilReleased) {
    TPty pty;
    TSerialEngine port;
    UseDevice(port, pty.Path);
    QByteArray received;
    port.OnRxChar = [&](int count) { received += port.ReadStr(count); };
    port.Open();
    port.HoldEvents(true);
    pty.Write("xy");
    Spin(300);
    EXPECT_TRUE(received.isEmpty());
    port.HoldEvents(false);
    EXPECT_TRUE(received.isEmpty()); // from the event loop, not from inside the call
    EXPECT_TRUE(SpinUntil([&] { return received == "xy"; }));
}

TEST_F(ComPort, TheComponentRaisesItsEventsAsItsEventSetAllows) {
    TPty pty;
    TComPort port;
    port.SetPort(pty.Path);
    QStringList raised;
    port.SetOnRxCharEvent([&](TObject* sender, int count) {
        EXPECT_EQ(sender, &port);
        raised << QStringLiteral("char %1").arg(count);
        port.ReadStr(count);
    });
    port.SetOnRxFlagEvent([&](TObject*) { raised << QStringLiteral("flag"); });
    port.Open();
    pty.Write("a\x03");
    ASSERT_TRUE(SpinUntil([&] { return raised.contains("flag"); }));
    EXPECT_EQ(raised, (QStringList{"char 2", "flag"}));

    // Without evRxFlag the end-of-transfer byte is plain data.
    port.SetEvents(TComEvents{TComEvent::evRxChar});
    raised.clear();
    pty.Write("b\x03");
    ASSERT_TRUE(SpinUntil([&] { return !raised.isEmpty(); }));
    Spin(100);
    EXPECT_EQ(raised, QStringList{"char 2"});
}

// The other end hangs up while the port listens, half way through a dump, or between the writes
// of a send (events held, as the window's send holds them): the port closes, the loss is told
// once (by the failing write during a send), and the program sits idle again.
TEST_F(ComPort, ALineThatGoesAwayClosesThePortOnceAndLeavesTheProcessorIdle) {
    struct TCase {
        const char* Name;
        int DumpBytes;
        bool Sending;
    };
    for (const TCase& c : {TCase{"listening", 0, false}, TCase{"mid-dump", 600, false},
                           TCase{"mid-send", 0, true}}) {
        SCOPED_TRACE(c.Name);
        auto pty = std::make_unique<TPty>();
        const QString device = pty->Path;
        TSerialEngine port;
        UseDevice(port, device);
        QByteArray received;
        QList<TMessage> reports;
        int closed = 0;
        port.OnRxChar = [&](int count) { received += port.ReadStr(count); };
        port.OnAfterClose = [&] { ++closed; };
        port.OnError = [&](const TMessage& message) { reports << message; };
        port.Open();
        if (c.DumpBytes > 0) {
            pty->Write(QByteArray(1, '\x02') + QByteArray(c.DumpBytes, '0'));
            ASSERT_TRUE(SpinUntil([&] { return received.size() == c.DumpBytes + 1; }));
        }
        if (c.Sending) {
            port.HoldEvents(true);
            port.WriteStr(QByteArray(100, '1'));
        }

        pty.reset();
        QElapsedTimer sinceHangUp;
        sinceHangUp.start();
        if (c.Sending) {
            ASSERT_TRUE(SpinUntil([&] { return !port.IsOpen(); }, 2000));
            try {
                port.WriteStr("x");
                ADD_FAILURE() << "written to a line that is gone";
            } catch (const EWriteError& e) {
                ASSERT_TRUE(e.Record());
                reports << *e.Record();
            }
            port.HoldEvents(false);
        } else {
            ASSERT_TRUE(SpinUntil([&] { return !reports.isEmpty(); }, 2000));
        }
        EXPECT_LT(sinceHangUp.elapsed(), test::LossReportMs);
        const double before = test::CpuMs();
        QEventLoop idle; // waits for events, as the program does
        QTimer::singleShot(1000, &idle, &QEventLoop::quit);
        idle.exec();
        EXPECT_LT(test::CpuMs() - before, test::IdleCpuMs);

        ASSERT_EQ(reports.size(), 1);
        EXPECT_TRUE(test::Holds(reports[0], msgPortLineLost));
        EXPECT_TRUE(test::Holds(reports[0], msgReasonDisconnected));
        EXPECT_TRUE(test::TextArguments(reports[0]).contains(device));
        EXPECT_FALSE(port.IsOpen());
        EXPECT_EQ(closed, 1);
        EXPECT_FALSE(port.SignalState(TComSignal::lsConn));
    }
}

namespace {

// The window's pause: the event loop keeps running (shortened for the test).
// Keeps what the link stores and reports at the end of a receive.
struct TRecordingWindow : TLinkWindow {
    void StoreTemperature(const TTemperatureSettings& t) override { Stored << t; }
    void ShowError(const QString& m) override { Errors << m; }
    QList<TTemperatureSettings> Stored;
    QList<QString> Errors;
};

class TSpinningPause : public TPause {
public:
    void Sleep(qint64 milliseconds) override { Spin(int(milliseconds / 20)); }
};

} // namespace

TEST_F(ComPort, SendAndReceiveWithTheVirtualController) {
    const QByteArray dir = qgetenv("LUMOTRIX_BUILD_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "LUMOTRIX_BUILD_DIR unset";
    test::TSimulator sim;
    ASSERT_TRUE(sim.Start()) << sim.Device.toStdString();
    // The port's events must keep running while the test waits for the simulator's lines.
    const auto readLine = [&] {
        SpinUntil([&] { return sim.Process.canReadLine() || !sim.Process.waitForReadyRead(50); },
                  10000);
        SpinUntil([&] { return sim.Process.canReadLine(); }, 5000);
        return QString::fromUtf8(sim.Process.readLine()).trimmed();
    };

    // Wired as the window wires it: the link on the engine, fed by the component's events.
    TComPort port;
    port.SetPort(sim.Device);
    TSpinningPause pause;
    TSystemClock clock;
    TConfiguration config;
    TMemData& timers = config.Timers;
    TMemData& ports = config.Ports;
    const TDayNames& days = config.DayNames;
    TRecordingWindow window;
    QList<TTemperatureSettings>& stored = window.Stored;
    QList<QString>& errors = window.Errors;
    TControllerLink link(port.Engine(), pause, clock, config, &window);
    port.SetOnRxCharEvent([&](TObject*, int count) { link.ComPortRxChar(count); });
    port.SetOnRxFlagEvent([&](TObject*) { link.ComPortRxFlag(); });

    TTimerImage image{};
    for (int k = 0; k < 42; ++k)
        image[k] = {k % 24, 15, 30, k % 8 + 1, 1, 5, std::uint8_t(k % 2), k % 8 + 1};
    ReplaceRows(timers, BuildTimerRows(timers, image, days));
    TPortNames names;
    for (int p = 0; p < 8; ++p)
        names[p] = "Uscita " + QByteArray::number(p + 1);
    ReplaceRows(ports, BuildPortRows(ports, names));
    const QByteArray timersSent = timers.SaveToBytes();

    TSendRequest request;
    request.DelayText = "0";
    request.Temperature = {true, 20.0, 30.0, 25.5, 2, 1, 2};
    port.HoldEvents(true);
    link.Send(request);
    port.HoldEvents(false);
    EXPECT_TRUE(readLine().startsWith("transfer ok: "));
    QString line;
    do
        line = readLine();
    while (!line.isEmpty() && line != "end" && !line.startsWith("temperature"));
    EXPECT_EQ(line.toStdString(),
              "temperature: sensor 01 min 200 max 300 ideal 255 hysteresis 002 first 00 second 01");

    link.ReceiveCommand(); // closes the port left open by the send
    link.ReceiveCommand(); // listens
    ASSERT_TRUE(port.IsOpen());
    sim.Process.write("dump\n");
    ASSERT_TRUE(SpinUntil([&] { return !stored.isEmpty() || !errors.isEmpty(); }, 10000));
    ASSERT_TRUE(errors.isEmpty()) << link.LastDumpError().toStdString();
    EXPECT_EQ(stored[0], request.Temperature);
    EXPECT_EQ(timers.SaveToBytes(), timersSent);
    EXPECT_EQ(link.TimerImage(), image);
    EXPECT_EQ(ReadPortNames(ports)[7], names[7].leftJustified(32, ' '));
}
