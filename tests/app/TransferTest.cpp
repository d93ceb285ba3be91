// The temperature page and the two transfer commands, down to lumotrix-sim through a
// pseudo-terminal.

#include "AppFixture.h"
#include "SimRun.h"
#include "support/PrintQString.h"

#include "app/StatusMessage.h"
#include "model/TableRecords.h"
#include "runtime/FormatSettings.h"
#include "widgets/ComPort.h"
#include "widgets/Control.h"
#include "widgets/qt/RibbonBar.h"

#include "widgets/Button.h"
#include "widgets/ComLed.h"
#include "widgets/GridTableView.h"
#include "widgets/Label.h"
#include "widgets/LookupComboBox.h"
#include "widgets/ProgressBar.h"
#include "widgets/SpinEdit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabBar>
#include <QTimer>

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

const char* const DependentControls[] = {"MinTemp",    "MaxTemp",  "Label1",   "Label7",  "Label8",
                                         "TempIdeale", "Isteresi", "Label9",   "TempMon", "Label10",
                                         "Label11",    "PrimaPt",  "SecondaPt"};

// The window's own pausing, shortened; with LUMOTRIX_SCREENSHOT_DIR set it keeps a picture of
// the window half way through the send.
class TPicturePause : public TPause {
public:
    explicit TPicturePause(QWidget* window) : FWindow(window) {}
    void Sleep(qint64 milliseconds) override {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < milliseconds / 10)
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
        if (++FCalls == 3)
            Picture(FWindow, QStringLiteral("window-during-send.png"));
    }
    static void Picture(QWidget* window, const QString& name) {
        const QString dir = qEnvironmentVariable("LUMOTRIX_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            window->grab().save(dir + QLatin1Char('/') + name);
    }

private:
    QWidget* FWindow;
    int FCalls = 0;
};

struct TransferTest : MainWindowTest {
    void SetUp() override {
        MainWindowTest::SetUp();
        BuildFormatSettings(0x0410);
        Form->FormShow(nullptr);
    }
    QString Caption(const char* label) { return Get<TLabel>(label)->Caption(); }
    // After the receive command "Salva " and "Azzera dati" stay disabled.
    void ExpectLocked(bool locked, bool afterReceive = false) {
        for (const char* name : {"BarButtonOpen", "BarButtonSettings", "BarButtonLoadSet",
                                 "BarButtonSaveSet", "BarButtonExit", "buttonDate", "BarEdit1"})
            EXPECT_EQ(Item(name)->Enabled(), !locked) << name;
        for (const char* name : {"BarButtonClear", "BarButtonSave"})
            EXPECT_EQ(Item(name)->Enabled(), !locked && !afterReceive) << name;
        EXPECT_EQ(Form->ProgressBar1->Visible(), locked);
        EXPECT_EQ(Form->PageControl1->Enabled(), !locked);
        auto* bar = Form->Ribbon->Bar();
        EXPECT_EQ(bar->TabBar()->isTabVisible(bar->TabIndex(Form->tabAppearance->Page())), !locked);
    }
};

} // namespace

TEST_F(TransferTest, SensorCheckBoxSwitchesTheThirteenControls) {
    auto* check = Form->CheckBox1;
    for (const char* name : DependentControls)
        EXPECT_FALSE(Get<TControl>(name)->Enabled()) << name;
    check->SetChecked(true);
    for (const char* name : DependentControls)
        EXPECT_TRUE(Get<TControl>(name)->Enabled()) << name;
    check->SetChecked(false);
    for (const char* name : DependentControls)
        EXPECT_FALSE(Get<TControl>(name)->Enabled()) << name;
    EXPECT_TRUE(check->Enabled());
    EXPECT_TRUE(Get<TControl>("GroupBox1")->Enabled());
}

TEST_F(TransferTest, BandLabelsFollowTheIdealTemperatureAndHysteresis) {
    // As the window shows itself: I = 1.0, H = 0.
    EXPECT_EQ(Caption("TempMon"),
              QStringLiteral("(Le porte non saranno attive alla temperatura di 1°C)"));
    EXPECT_EQ(Caption("Label10"), QStringLiteral("Porta attiva da 0°C a 1,0°C"));
    EXPECT_EQ(Caption("Label11"), QStringLiteral("Porta attiva da 1,5°C in poi."));

    Form->TempIdeale->SetValue(25);
    Form->Isteresi->SetValue(2);
    EXPECT_EQ(Caption("TempMon"),
              QStringLiteral("(Le porte non saranno attive nell'intervallo tra 25,0°C e 25,5°C )"));
    EXPECT_EQ(Caption("Label10"), QStringLiteral("Porta attiva da 0°C a 24,5°C"));
    EXPECT_EQ(Caption("Label11"), QStringLiteral("Porta attiva da 26,0°C in poi."));

    Form->Isteresi->SetValue(0);
    Form->TempIdeale->SetValue(25.5);
    EXPECT_EQ(Caption("TempMon"),
              QStringLiteral("(Le porte non saranno attive alla temperatura di 25,5°C)"));
}

TEST_F(TransferTest, TransferStartAndEndLockAndUnlockByMode) {
    Form->BarButtonInvio->SetEnabled(true);
    Form->TransferStart(QStringLiteral("I"));
    ExpectLocked(true);
    EXPECT_FALSE(Form->BarButtonInvio->Enabled());
    EXPECT_FALSE(Form->BarButtonRicevi->Enabled());
    EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TabSheet1);
    Form->TransferEnd(QStringLiteral("I"));
    ExpectLocked(false);
    EXPECT_TRUE(Form->BarButtonInvio->Enabled());
    EXPECT_EQ(Form->BarButtonInvio->Caption(), QStringLiteral("Invio dati"));
    EXPECT_FALSE(Form->BarButtonRicevi->Enabled()); // only "Azzera dati" or a receive

    Form->BarButtonRicevi->SetEnabled(true); // as "Azzera dati" leaves it
    Form->TransferStart(QStringLiteral("R"));
    ExpectLocked(true);
    EXPECT_TRUE(Form->BarButtonRicevi->Enabled());
    EXPECT_EQ(Form->BarButtonRicevi->Caption(), QStringLiteral("Annulla ricezione"));
    EXPECT_EQ(Form->BarButtonRicevi->ImageIndex(), 10);
    EXPECT_FALSE(Form->BarButtonInvio->Enabled());
    Form->TransferEnd(QStringLiteral("R"));
    ExpectLocked(false);
    EXPECT_EQ(Form->BarButtonRicevi->Caption(), QStringLiteral("Ricezione dati"));
    EXPECT_EQ(Form->BarButtonRicevi->ImageIndex(), 23);
    EXPECT_FALSE(Form->BarButtonInvio->Enabled());
}

TEST_F(TransferTest, ASendThatCannotGoOutWholeIsRefusedBeforeOpeningThePort) {
    FillConfiguration();
    Form->MemData2().Last();
    Form->MemData2().Delete(); // seven ports left
    Form->BarButtonInvio->SetEnabled(true);
    Form->ComPort->SetPort(QStringLiteral("/dev/lumotrix-no-such-port"));
    Form->BarButtonInvio->Click();
    ASSERT_EQ(Boxes().Questions().size(), 1u);
    EXPECT_FALSE(Form->ComPort->IsOpen());
    ExpectLocked(false);
    EXPECT_TRUE(Form->BarButtonInvio->Enabled());
}

TEST_F(TransferTest, APortThatCannotOpenIsReportedAndTheWindowUnlocked) {
    Form->ComPort->SetPort(QStringLiteral("/dev/lumotrix-no-such-port"));
    Form->BarButtonRicevi->Click();
    ASSERT_EQ(Boxes().Questions().size(), 1u);
    // The path is its own device: named once.
    EXPECT_EQ(Boxes().Questions()[0].Text,
              QStringLiteral("Impossibile aprire la porta /dev/lumotrix-no-such-port: il file o la "
                             "cartella non esiste."));
    ExpectLocked(false, true);
    EXPECT_TRUE(Form->BarButtonRicevi->Enabled());
}

TEST_F(TransferTest, SendToTheSimulatorAndReceiveItsDumpIntoTheWindow) {
    TSimulator sim;
    sim.LineTimeoutMs = 15000;
    if (qEnvironmentVariableIsEmpty("LUMOTRIX_BUILD_DIR") || !sim.Start())
        GTEST_SKIP() << "lumotrix-sim not found (LUMOTRIX_BUILD_DIR unset?)";
    FillConfiguration();
    TTemperatureSettings temperature;
    temperature.SensorEnabled = true;
    temperature.MinTemp = 22;
    temperature.MaxTemp = 28.5;
    temperature.TempIdeale = 25.5;
    temperature.Isteresi = 5;
    temperature.PrimaPt = 2;
    temperature.SecondaPt = 6;
    Form->CheckBox1->SetChecked(true);
    Form->MinTemp->SetValue(temperature.MinTemp);
    Form->MaxTemp->SetValue(temperature.MaxTemp);
    Form->TempIdeale->SetValue(temperature.TempIdeale);
    Form->Isteresi->SetValue(temperature.Isteresi);
    Form->PrimaPt->SetKeyValue(2);
    Form->SecondaPt->SetKeyValue(6);
    const QByteArray timersSent = Form->MemData1().SaveToBytes();
    const QList<AnsiString> portsSent = ReadPortNames(Form->MemData2());

    Form->ComPort->SetPort(sim.Device);
    Form->Show();
    Form->SetPause(std::make_unique<TPicturePause>(Form->Widget()));
    Form->BarEdit1->SetText(QStringLiteral("0"));
    Form->BarButtonInvio->SetEnabled(true);
    Form->BarButtonInvio->Click();
    ASSERT_TRUE(Boxes().Questions().empty()) << Boxes().Questions()[0].Text.toStdString();
    const QStringList report = sim.Report();
    ASSERT_FALSE(report.isEmpty());
    EXPECT_TRUE(
        report[0].startsWith(QStringLiteral("transfer ok: 901 bytes, 42 timers, 8 port names")))
        << report[0].toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("port 1: \"Porta 1\"")))
        << report.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("temperature: sensor 01 min 220 max 285 ideal 255 "
                                               "hysteresis 005 first 01 second 05")))
        << report.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(Form->ComPort->IsOpen()); // the port stays open after a send
    EXPECT_TRUE(Form->BarButtonClose->Enabled());

    // After a send only "Azzera dati" enables the receive command again. Its first click
    // closes the open port, the second listens.
    Boxes().PushAnswer(TMsgButton::Yes);
    Form->BarButtonClear->Click();
    Boxes().Clear();
    EXPECT_EQ(Form->MemData1().RecordCount(), 0);
    Form->BarButtonRicevi->Click();
    ASSERT_FALSE(Form->ComPort->IsOpen());
    Form->BarButtonRicevi->Click();
    ASSERT_TRUE(Form->ComPort->IsOpen());
    sim.Process.write("dump\n");
    sim.Process.waitForBytesWritten(3000);
    QElapsedTimer timer;
    timer.start();
    while (Form->MemData1().RecordCount() == 0 && Boxes().Questions().empty() &&
           timer.elapsed() < 15000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(Boxes().Questions().empty()) << Boxes().Questions()[0].Text.toStdString();
    EXPECT_EQ(Form->MemData1().SaveToBytes(), timersSent);
    const QList<AnsiString> portsBack = ReadPortNames(Form->MemData2());
    ASSERT_EQ(portsBack.size(), 8);
    EXPECT_EQ(portsBack[0].trimmed(), portsSent[0]); // the controller pads to 32
    EXPECT_EQ(Form->Grid2DBTableView1->Grid()->model()->rowCount(), 8);
    EXPECT_TRUE(Form->CheckBox1->Checked());
    EXPECT_DOUBLE_EQ(Form->MaxTemp->Value(), 28.5);
    EXPECT_DOUBLE_EQ(Form->TempIdeale->Value(), 25.5);
    EXPECT_EQ(qRound(Form->Isteresi->Value()), 5);
    EXPECT_EQ(Form->SecondaPt->KeyValue(), 6);
    EXPECT_TRUE(Form->BarButtonInvio->Enabled());
    EXPECT_TRUE(Form->BarButtonRicevi->Enabled());
    EXPECT_EQ(Form->BarButtonRicevi->Caption(), QStringLiteral("Ricezione dati"));
    QApplication::processEvents();
    TPicturePause::Picture(Form->Widget(), QStringLiteral("window-after-receive.png"));
    Form->PageControl1->SetActivePage(Get<TTabSheet>("TabSheet3"));
    QApplication::processEvents();
    TPicturePause::Picture(Form->Widget(), QStringLiteral("temperature-page.png"));
}

// The controller's end goes away while the window listens, half way through a dump, or during
// a send: one message, the CONN light off, the commands as closing the port leaves them, the
// tables as they were, and a window that sits idle.
TEST_F(TransferTest, ALostLineIsShownOnceAndLeavesTheWindowIdle) {
    struct TCase {
        const char* Name;
        const char* SimCommand;
        bool Sending;
    };
    for (const TCase& c :
         {TCase{"listening", "hangup\n", false}, TCase{"mid-dump", "dump --partial 600\n", false},
          TCase{"mid-send", "hangup --after 100\n", true}}) {
        SCOPED_TRACE(c.Name);
        TSimulator sim;
        if (qEnvironmentVariableIsEmpty("LUMOTRIX_BUILD_DIR") || !sim.Start())
            GTEST_SKIP() << "lumotrix-sim not found (LUMOTRIX_BUILD_DIR unset?)";
        Boxes().Clear();
        FillConfiguration();
        const QByteArray timersHeld = Form->MemData1().SaveToBytes();
        Form->ComPort->SetPort(sim.Device);
        Form->BarEdit1->SetText(QStringLiteral("0"));
        const auto spinUntil = [](const auto& done, int ms) {
            QElapsedTimer timer;
            timer.start();
            while (!done() && timer.elapsed() < ms)
                QApplication::processEvents(QEventLoop::AllEvents, 20);
            return done();
        };
        QElapsedTimer sinceHangUp;
        if (c.Sending) {
            // The send blocks until the line is lost: the simulator is told beforehand.
            sim.Process.write(c.SimCommand);
            ASSERT_TRUE(sim.Process.waitForBytesWritten(3000));
            Form->BarButtonInvio->SetEnabled(true);
            // Without the loss the send would pause for 7 s.
            sinceHangUp.start();
            Form->BarButtonInvio->Click();
            EXPECT_LT(sinceHangUp.elapsed(), LossReportMs);
            ASSERT_EQ(sim.ReadLine().trimmed(), "hung up");
        } else {
            Form->BarButtonRicevi->SetEnabled(true);
            Form->BarButtonRicevi->Click();
            ASSERT_TRUE(Form->ComPort->IsOpen());
            sim.Process.write(c.SimCommand);
            QByteArray said;
            ASSERT_TRUE(spinUntil(
                [&] { return (said += sim.Process.readAll()).contains("hung up"); }, 10000));
            sinceHangUp.start();
            ASSERT_TRUE(spinUntil([&] { return !Boxes().Questions().empty(); }, 2000));
            EXPECT_LT(sinceHangUp.elapsed(), LossReportMs);
        }
        const double before = CpuMs();
        QEventLoop idle; // waits for events, as the program does
        QTimer::singleShot(1000, &idle, &QEventLoop::quit);
        idle.exec();
        EXPECT_LT(CpuMs() - before, IdleCpuMs);

        ASSERT_EQ(Boxes().Questions().size(), 1u);
        EXPECT_EQ(Boxes().Questions()[0].Text,
                  QStringLiteral("Collegamento perso sulla porta %1: il dispositivo è stato "
                                 "scollegato.")
                      .arg(sim.Device));
        EXPECT_FALSE(Form->ComPort->IsOpen());
        EXPECT_FALSE(Form->ComLed4->State());
        EXPECT_EQ(Form->MemData1().SaveToBytes(), timersHeld);
        EXPECT_TRUE(Form->Link().RxBuffer().isEmpty());
        ExpectLocked(false, !c.Sending);
        EXPECT_EQ(Form->BarButtonRicevi->Enabled(), !c.Sending);
        EXPECT_EQ(Form->BarButtonRicevi->Caption(), QStringLiteral("Ricezione dati"));
        EXPECT_EQ(Form->BarButtonInvio->Enabled(), c.Sending);
        EXPECT_EQ(Form->BarButtonInvio->Caption(), QStringLiteral("Invio dati"));
    }
}

// A dump that arrives after a send, without a receive command, fails the length check; closing
// and opening the port with "Ricezione dati" then reads the next dump, and so on every time,
// also when the controller sent a dump while the port was closed.
TEST_F(TransferTest, AfterASendAndAFailedDumpTheReceiveCommandReadsTheNextDump) {
    TSimulator sim;
    sim.LineTimeoutMs = 15000;
    if (qEnvironmentVariableIsEmpty("LUMOTRIX_BUILD_DIR") || !sim.Start())
        GTEST_SKIP() << "lumotrix-sim not found (LUMOTRIX_BUILD_DIR unset?)";
    Form->ComPort->SetPort(sim.Device);
    Form->SetPause(std::make_unique<TPicturePause>(Form->Widget()));
    Form->BarEdit1->SetText(QStringLiteral("0"));
    // The message the dump's parse shows; empty when it filled the timer table.
    const auto dumpArrives = [&] {
        Boxes().Clear();
        Form->MemData1().Close();
        Form->MemData1().Open();
        sim.Process.write("dump\n");
        sim.Process.waitForBytesWritten(3000);
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 10000 && Boxes().Questions().empty() &&
               Form->MemData1().RecordCount() == 0)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        return Boxes().Questions().empty() ? QString() : Boxes().Questions()[0].Text;
    };
    const auto receive = [&] {
        Form->BarButtonRicevi->Click();
        QApplication::processEvents();
    };

    receive();
    ASSERT_TRUE(Form->ComPort->IsOpen());
    ASSERT_EQ(dumpArrives(), QString());
    ASSERT_EQ(Form->MemData1().RecordCount(), 42);

    FillConfiguration();
    Form->BarButtonInvio->SetEnabled(true);
    Form->BarButtonInvio->Click();
    QString said;
    while (!said.startsWith(QLatin1String("transfer")) && sim.Process.state() == QProcess::Running)
        said = QString::fromUtf8(sim.ReadLine()).trimmed();
    ASSERT_TRUE(said.startsWith(QStringLiteral("transfer ok"))) << said.toStdString();
    ASSERT_TRUE(Form->ComPort->IsOpen());

    EXPECT_EQ(dumpArrives(), QStringLiteral("12:Errore di comunicazione seriale"));
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(Form->BarButtonRicevi->Enabled());
        receive(); // closes the port the send left open
        ASSERT_FALSE(Form->ComPort->IsOpen());
        if (round == 1) {
            // The controller talks while nobody listens: the line holds its dump until the
            // next open, which must not take it for the dump it is asked for.
            // (The reports of the dumps before are long written: drop them, wait for this one's.)
            sim.Process.waitForReadyRead(200);
            sim.Process.readAllStandardOutput();
            sim.Process.write("dump\n");
            sim.Process.waitForBytesWritten(3000);
            said.clear();
            while (!said.startsWith(QLatin1String("dump sent")) &&
                   sim.Process.state() == QProcess::Running)
                said = QString::fromUtf8(sim.ReadLine()).trimmed();
        }
        Boxes().Clear();
        receive(); // listens again
        ASSERT_TRUE(Form->ComPort->IsOpen());
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 500 && Boxes().Questions().empty())
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_TRUE(Boxes().Questions().empty()) << Boxes().Questions()[0].Text.toStdString();
        EXPECT_EQ(dumpArrives(), QString());
        EXPECT_EQ(Form->MemData1().RecordCount(), 42);
        EXPECT_TRUE(Form->BarButtonRicevi->Enabled());
    }
}

// The status bar says what the user has to do while the window listens, and what each transfer
// did once it is over.
TEST_F(TransferTest, TheStatusBarSaysWhatTheTransfersDid) {
    TSimulator sim;
    if (qEnvironmentVariableIsEmpty("LUMOTRIX_BUILD_DIR") || !sim.Start())
        GTEST_SKIP() << "lumotrix-sim not found (LUMOTRIX_BUILD_DIR unset?)";
    TStatusMessage& status = Form->StatusMessage();
    const QString waiting =
        QStringLiteral("In attesa dei dati: avvia l'invio della configurazione dal controller");
    Form->ComPort->SetPort(sim.Device);
    Form->BarButtonRicevi->Click();
    ASSERT_TRUE(Form->ComPort->IsOpen());
    EXPECT_EQ(status.Text(), waiting);
    EXPECT_FALSE(status.Timer().isActive()); // for as long as it listens
    sim.Process.write("dump\n");
    sim.Process.waitForBytesWritten(3000);
    QElapsedTimer timer;
    timer.start();
    while (status.Text() == waiting && Boxes().Questions().empty() && timer.elapsed() < 15000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(Boxes().Questions().empty()) << Boxes().Questions()[0].Text.toStdString();
    EXPECT_EQ(status.Text(), QStringLiteral("42 timer ricevuti"));
    EXPECT_TRUE(status.Timer().isActive());

    // Pressed while the port is open, the command closes it.
    Form->BarButtonRicevi->Click();
    EXPECT_FALSE(Form->ComPort->IsOpen());
    EXPECT_EQ(status.Text(), QStringLiteral("Ricezione interrotta: porta chiusa"));

    Form->SetPause(std::make_unique<TPicturePause>(Form->Widget()));
    Form->BarEdit1->SetText(QStringLiteral("0"));
    Form->BarButtonInvio->Click();
    ASSERT_TRUE(Boxes().Questions().empty()) << Boxes().Questions()[0].Text.toStdString();
    EXPECT_EQ(status.Text(), QStringLiteral("Configurazione inviata"));
    const QStringList report = sim.Report();
    EXPECT_TRUE(report.filter(QStringLiteral("transfer ok")).size() == 1)
        << report.join(u'|').toStdString();
}
