// The configuration files through the window's commands, and the serial settings commands.

#include "AppFixture.h"

#include "app/StatusMessage.h"
#include "runtime/Registry.h"
#include "support/FileBytes.h"
#include "support/PrintQString.h"
#include "widgets/Button.h"
#include "widgets/ComPort.h"
#include "widgets/Control.h"
#include "widgets/GridTableView.h"
#include "widgets/LookupComboBox.h"
#include "widgets/SpinEdit.h"
#include "widgets/qt/RibbonBar.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

// The names assistive tools were told of, as they read them when told.
QStringList GNamesHeard;
void HearNameChange(QAccessibleEvent* event) {
    if (event->type() == QAccessible::NameChanged)
        if (QAccessibleInterface* changed = event->accessibleInterface())
            GNamesHeard << changed->text(QAccessible::Name);
}

struct FilesTest : MainWindowTest {
    // Saves the window's configuration as `name` through the save dialog.
    void SaveAs(const QString& name) {
        Files().PushFileName(name);
        Item("BarButton8")->Click();
    }
    void Open(const QString& name) {
        Files().PushFileName(name);
        Form->BarButtonOpen->Click();
    }
    void SetTemperature() {
        Form->CheckBox1->SetChecked(true);
        Form->MinTemp->SetValue(21.5);
        Form->MaxTemp->SetValue(29);
        Form->TempIdeale->SetValue(25.5);
        Form->Isteresi->SetValue(4);
        Form->PrimaPt->SetKeyValue(3);
        Form->SecondaPt->SetKeyValue(7);
    }
};

} // namespace

TEST_F(FilesTest, CompanionFilesAreNamedAfterTheTimerFile) {
    FillConfiguration();
    SaveAs(Path(QStringLiteral("acquario"))); // typed without extension
    EXPECT_EQ(Form->CurrentFileName(), Path(QStringLiteral("acquario.tmr")));
    for (const char* name : {"acquario.tmr", "Pacquario", "Tacquario"})
        EXPECT_TRUE(QFile::exists(Path(QString::fromLatin1(name)))) << name;

    SaveAs(Path(QStringLiteral("acquario.old.tmr")));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("Pacquario.old"))));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("Tacquario.old"))));

    // The dialog proposes the current name without folder and extension, with its title and
    // filter; the documents folder is expanded (it is missing here, so none is given).
    ASSERT_EQ(Files().Requests().size(), 2u);
    const auto& request = Files().Requests()[1];
    EXPECT_TRUE(request.Save);
    EXPECT_EQ(request.Caption, QStringLiteral("Timer File"));
    EXPECT_EQ(request.FileName, QStringLiteral("acquario"));
    EXPECT_EQ(request.Filter, QStringLiteral("Timer File (*.tmr)"));
    EXPECT_FALSE(request.Directory.contains(QLatin1Char('%')));
}

// The documents folder's "Timer" when it exists, else the documents folder; once a dialog has
// been confirmed, the folder it was confirmed in.
TEST_F(FilesTest, FileDialogsOpenInTheTimerFolderThenInTheFolderLastUsed) {
    QTemporaryDir documents;
    QFile userDirs(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/user-dirs.dirs"));
    ASSERT_TRUE(userDirs.open(QIODevice::WriteOnly));
    userDirs.write("XDG_DOCUMENTS_DIR=\"" + documents.path().toUtf8() + "\"\n");
    userDirs.close();
    const auto folderOfOpen = [&] {
        Files().PushFileName(QString()); // cancelled
        Form->BarButtonOpen->Click();
        return Files().Requests().back().Directory;
    };
    EXPECT_EQ(folderOfOpen(), documents.path());
    ASSERT_TRUE(QDir(documents.path()).mkdir(QStringLiteral("Timer")));
    EXPECT_EQ(folderOfOpen(), documents.filePath(QStringLiteral("Timer")));
    FillConfiguration();
    SaveAs(Path(QStringLiteral("vasca.tmr")));
    EXPECT_EQ(folderOfOpen(), Folder.path());
    userDirs.remove();
}

TEST_F(FilesTest, SaveAndOpenBringBackEveryValue) {
    FillConfiguration();
    SetTemperature();
    const QByteArray timers = Form->MemData1().SaveToBytes();
    const QByteArray ports = Form->MemData2().SaveToBytes();
    SaveAs(Path(QStringLiteral("acquario.tmr")));
    ASSERT_TRUE(Boxes().Questions().empty());

    Boxes().PushAnswer(TMsgButton::Yes);
    Form->BarButtonClear->Click();
    EXPECT_EQ(Form->MemData1().RecordCount(), 0);
    EXPECT_DOUBLE_EQ(Form->TempIdeale->Value(), 0); // not the 1.0 of the start
    EXPECT_EQ(Form->CurrentFileName(), QString());
    EXPECT_FALSE(Form->BarButtonInvio->Enabled());

    Open(Path(QStringLiteral("acquario.tmr")));
    EXPECT_EQ(Form->MemData1().SaveToBytes(), timers);
    EXPECT_EQ(Form->MemData2().SaveToBytes(), ports);
    EXPECT_TRUE(Form->CheckBox1->Checked());
    EXPECT_DOUBLE_EQ(Form->MinTemp->Value(), 21.5);
    EXPECT_DOUBLE_EQ(Form->MaxTemp->Value(), 29);
    EXPECT_DOUBLE_EQ(Form->TempIdeale->Value(), 25.5);
    EXPECT_EQ(qRound(Form->Isteresi->Value()), 4);
    EXPECT_EQ(Form->PrimaPt->KeyValue(), 3);
    EXPECT_EQ(Form->SecondaPt->KeyValue(), 7);
    EXPECT_EQ(Form->Link().TimerImage()[5].StartHour, 5); // TimerImage refreshed
    for (const char* enabled : {"BarButtonInvio", "BarButtonSave", "BarButtonClear"})
        EXPECT_TRUE(Item(enabled)->Enabled()) << enabled;
    EXPECT_EQ(Form->Ribbon->Bar()->DocumentName(), QStringLiteral("acquario.tmr"));

    // A plain save with a current file writes at once, without a dialog.
    const size_t requests = Files().Requests().size();
    QFile::remove(Path(QStringLiteral("Tacquario")));
    Form->BarButtonSave->Click();
    EXPECT_EQ(Files().Requests().size(), requests);
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("Tacquario"))));
}

TEST_F(FilesTest, MissingCompanionsLeaveEmptyPortsAndAZeroedTemperaturePage) {
    FillConfiguration();
    SetTemperature();
    SaveAs(Path(QStringLiteral("solo.tmr")));
    QFile::remove(Path(QStringLiteral("Psolo")));
    QFile::remove(Path(QStringLiteral("Tsolo")));
    Open(Path(QStringLiteral("solo.tmr")));
    EXPECT_TRUE(Boxes().Questions().empty());
    EXPECT_EQ(Form->MemData1().RecordCount(), 42);
    EXPECT_EQ(Form->MemData2().RecordCount(), 0);
    EXPECT_FALSE(Form->CheckBox1->Checked());
    EXPECT_DOUBLE_EQ(Form->TempIdeale->Value(), 0);
    EXPECT_EQ(Form->SecondaPt->KeyValue(), 0);
}

TEST_F(FilesTest, RecentFilesFollowOpensAndSavesOverExistingFiles) {
    FillConfiguration();
    const QString a = Path(QStringLiteral("a.tmr"));
    const QString b = Path(QStringLiteral("b.tmr"));
    SaveAs(a); // a new file: not listed, it did not exist when recorded
    EXPECT_TRUE(Form->RecentFiles().isEmpty());
    SaveAs(b);
    SaveAs(a); // over an existing file: listed
    EXPECT_EQ(Form->RecentFiles(), QStringList{a});
    Open(b);
    Open(a);
    Open(a);
    EXPECT_EQ(Form->RecentFiles(), (QStringList{a, b}));
    EXPECT_EQ(Form->Ribbon->Bar()->AppMenu()->RecentFiles(), (QStringList{a, b}));

    // Clearing forgets the current file, not the list.
    Boxes().PushAnswer(TMsgButton::Yes);
    Form->BarButtonClear->Click();
    EXPECT_EQ(Form->RecentFiles(), (QStringList{a, b}));
    EXPECT_EQ(Form->Ribbon->Bar()->DocumentName(), QString());
}

TEST_F(FilesTest, ClearAnsweredNoChangesNothingButEnablesReceive) {
    FillConfiguration();
    Form->BarButtonRicevi->SetEnabled(false);
    Boxes().PushAnswer(TMsgButton::No);
    Form->BarButtonClear->Click();
    ASSERT_EQ(Boxes().Questions().size(), 1u);
    EXPECT_EQ(Boxes().Questions()[0].Text,
              QStringLiteral("Vuoi eliminare le impostazioni correnti ?"));
    EXPECT_EQ(Boxes().Questions()[0].Buttons, TMsgButton::Yes | TMsgButton::No);
    EXPECT_EQ(Form->MemData1().RecordCount(), 42);
    EXPECT_EQ(Form->MemData2().RecordCount(), 8);
    EXPECT_TRUE(Form->BarButtonRicevi->Enabled());
}

TEST_F(FilesTest, OpeningWithAPendingChangeAsksAndCancelStops) {
    FillConfiguration();
    SaveAs(Path(QStringLiteral("vasca.tmr")));
    MakePendingChange();
    Boxes().PushAnswer(TMsgButton::Cancel);
    Form->BarButtonOpen->Click();
    ASSERT_EQ(Boxes().Questions().size(), 1u);
    EXPECT_EQ(Boxes().Questions()[0].Text,
              QStringLiteral("Vuoi salvare le impostazioni del timer corrente in \"vasca.tmr\"?"));
    EXPECT_TRUE(Form->MemData1().HasPendingChange());

    // "No", then the open dialog cancelled: everything as it was, the edit included.
    Boxes().PushAnswer(TMsgButton::No);
    Form->BarButtonOpen->Click(); // no file scripted: the dialog is cancelled
    EXPECT_EQ(Form->CurrentFileName(), Path(QStringLiteral("vasca.tmr")));
    EXPECT_EQ(Form->MemData1().RecordCount(), 42);
    EXPECT_TRUE(Form->MemData1().HasPendingChange());
    EXPECT_EQ(Form->MemData1().FieldByName(QStringLiteral("Timer")).AsString(),
              AnsiString("Luce alba"));

    // "No", then a file chosen: the edit goes, the file comes.
    Boxes().PushAnswer(TMsgButton::No);
    Open(Path(QStringLiteral("vasca.tmr")));
    EXPECT_FALSE(Form->MemData1().HasPendingChange());
    EXPECT_NE(Form->MemData1().FieldByName(QStringLiteral("Timer")).AsString(),
              AnsiString("Luce alba"));
}

TEST_F(FilesTest, AFailedOpenChangesNothing) {
    FillConfiguration();
    SetTemperature();
    SaveAs(Path(QStringLiteral("buono.tmr")));
    Open(Path(QStringLiteral("buono.tmr")));
    const QByteArray timers = Form->MemData1().SaveToBytes();
    const QByteArray ports = Form->MemData2().SaveToBytes();
    const QStringList recent = Form->RecentFiles();

    // A sound timer file whose temperature companion is foreign: the timers would load first.
    FillConfiguration();
    SaveAs(Path(QStringLiteral("rotto.tmr")));
    Open(Path(QStringLiteral("buono.tmr")));
    QFile temperature(Path(QStringLiteral("Trotto")));
    ASSERT_TRUE(temperature.open(QIODevice::WriteOnly | QIODevice::Truncate));
    temperature.write("not a table at all");
    temperature.close();

    Open(Path(QStringLiteral("rotto.tmr")));
    ASSERT_EQ(Boxes().Questions().size(), 1u);
    EXPECT_TRUE(Boxes().Questions()[0].Text.contains(QStringLiteral("Trotto")))
        << Boxes().Questions()[0].Text.toStdString();
    EXPECT_EQ(Form->CurrentFileName(), Path(QStringLiteral("buono.tmr")));
    EXPECT_EQ(Form->Ribbon->Bar()->DocumentName(), QStringLiteral("buono.tmr"));
    EXPECT_EQ(Form->RecentFiles(), recent);
    EXPECT_EQ(Form->MemData1().SaveToBytes(), timers);
    EXPECT_EQ(Form->MemData2().SaveToBytes(), ports);
    EXPECT_DOUBLE_EQ(Form->TempIdeale->Value(), 25.5);
    EXPECT_TRUE(Form->BarButtonInvio->Enabled());
}

TEST_F(FilesTest, AFailedSaveLeavesThePreviousFilesIntact) {
    FillConfiguration();
    SetTemperature();
    SaveAs(Path(QStringLiteral("acquario.tmr")));
    const QByteArray timersBefore = FileBytes(Path(QStringLiteral("acquario.tmr")));
    const QByteArray temperatureBefore = FileBytes(Path(QStringLiteral("Tacquario")));
    ASSERT_FALSE(timersBefore.isEmpty());
    ASSERT_FALSE(temperatureBefore.isEmpty());
    Open(Path(QStringLiteral("acquario.tmr"))); // "Salva " is enabled by an open

    // The port file can't be written: a folder stands at its name.
    ASSERT_TRUE(QFile::remove(Path(QStringLiteral("Pacquario"))));
    ASSERT_TRUE(QDir(Folder.path()).mkdir(QStringLiteral("Pacquario")));
    // Both files the save would reach change: a timer and the temperature.
    TMemData& timers = Form->MemData1();
    const int port = timers.FieldIndex(QStringLiteral("Uscita"));
    timers.SetCellValue(0, port,
                        qint32(timers.CellValue(0, port) == TFieldValue(qint32(5)) ? 6 : 5));
    timers.Post();
    ASSERT_NE(timers.SaveToBytes(), timersBefore);
    Form->TempIdeale->SetValue(30);
    Form->BarButtonSave->Click();
    ASSERT_EQ(Boxes().Questions().size(), 1u);
    // In the window's language, with the system's failure in words of the program's own.
    EXPECT_EQ(Boxes().Questions()[0].Text,
              QStringLiteral("Impossibile scrivere \"%1\": è una cartella. I file sono rimasti "
                             "com'erano.")
                  .arg(Path(QStringLiteral("Pacquario"))));
    EXPECT_EQ(FileBytes(Path(QStringLiteral("acquario.tmr"))), timersBefore);
    EXPECT_EQ(FileBytes(Path(QStringLiteral("Tacquario"))), temperatureBefore);
    EXPECT_TRUE(QFileInfo(Path(QStringLiteral("Pacquario"))).isDir());
    // No half-written leftovers beside the files.
    QStringList names = QDir(Folder.path()).entryList(QDir::Files);
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("Tacquario"), QStringLiteral("acquario.tmr")}));

    // Saved under a name it cannot write: the window keeps the file it had, so a plain save
    // and the close question still mean that file.
    const QStringList recent = Form->RecentFiles();
    Boxes().Clear();
    SaveAs(Path(QStringLiteral("manca/altro.tmr")));
    ASSERT_EQ(Boxes().Questions().size(), 1u);
    EXPECT_EQ(Form->CurrentFileName(), Path(QStringLiteral("acquario.tmr")));
    EXPECT_EQ(Form->Ribbon->Bar()->DocumentName(), QStringLiteral("acquario.tmr"));
    EXPECT_EQ(Form->RecentFiles(), recent);
}

TEST_F(FilesTest, SerialSettingsAreStoredAndComeBackInANewWindow) {
    Form->ComPort->SetPort(QStringLiteral("/dev/ttyUSB3"));
    Form->ComPort->SetBaudRate(19200);
    Form->BarButtonSaveSet->Click();
    ASSERT_EQ(Boxes().Questions().size(), 1u);
    EXPECT_EQ(Boxes().Questions()[0].Text, QStringLiteral("Configurazione salvata."));
    EXPECT_EQ(Boxes().Questions()[0].Caption, QStringLiteral("Horavel"));
    EXPECT_EQ(Boxes().Questions()[0].Icon, TMsgIcon::None);

    // As at the next start: the new window loads them while it is created.
    std::unique_ptr<TForm1> second(CreateForm<TForm1>());
    EXPECT_EQ(second->ComPort->Port(), QStringLiteral("/dev/ttyUSB3"));
    EXPECT_EQ(second->ComPort->BaudRate(), 19200);

    Form->ComPort->SetPort(QStringLiteral("COM2"));
    Form->BarButtonLoadSet->Click();
    EXPECT_EQ(Form->ComPort->Port(), QStringLiteral("/dev/ttyUSB3"));
    ASSERT_EQ(Boxes().Questions().size(), 2u);
    EXPECT_EQ(Boxes().Questions()[1].Text, QStringLiteral("Configurazione letta correttamente."));
    EXPECT_EQ(Boxes().Questions()[1].Caption, QStringLiteral("Horavel"));
}

TEST_F(FilesTest, LoadingWithNothingStoredSaysSoAndKeepsTheCurrentSettings) {
    Form->ComPort->SetPort(QStringLiteral("/dev/ttyUSB1"));
    Form->BarButtonLoadSet->Click();
    ASSERT_EQ(Boxes().Questions().size(), 1u);
    EXPECT_EQ(Boxes().Questions()[0].Text,
              QStringLiteral(
                  "Nessuna impostazione seriale memorizzata: restano in uso quelle correnti."));
    EXPECT_EQ(Boxes().Questions()[0].Caption, QStringLiteral("Horavel"));
    EXPECT_EQ(Form->ComPort->Port(), QStringLiteral("/dev/ttyUSB1"));
}

TEST_F(FilesTest, ADamagedSettingsStoreIsReportedAndTheWindowStillStarts) {
    WriteFileBytes(TRegistry::StorePath(), "{ this is not a store");
    std::unique_ptr<TForm1> second(CreateForm<TForm1>());
    ASSERT_EQ(Boxes().Questions().size(), 1u);
    EXPECT_EQ(second->ComPort->Port(), QStringLiteral("COM1"));
    EXPECT_EQ(second->Grid1DBTableView1Stato->Caption(),
              QStringLiteral("Stato")); // creation went on past the settings
}

// The title marks a configuration that differs from the one last opened, saved or cleared: a
// port renamed, a temperature changed; taking the change back by hand takes the mark away.
TEST_F(FilesTest, TheTitleMarksUnsavedChanges) {
    Form->Show();
    const auto marked = [&] {
        const bool modified = Form->Widget()->isWindowModified();
        EXPECT_EQ(Form->Widget()->accessibleName().endsWith(QLatin1Char('*')), modified);
        EXPECT_EQ(Form->Ribbon->Bar()->CaptionText().contains(QLatin1Char('*')), modified);
        return modified;
    };
    EXPECT_FALSE(marked());
    FillConfiguration();
    EXPECT_TRUE(marked());
    SaveAs(Path(QStringLiteral("vasca.tmr")));
    EXPECT_FALSE(marked());

    TMemData& ports = Form->MemData2();
    const int name = ports.FieldIndex(QStringLiteral("Descrizione"));
    const TFieldValue before = ports.CellValue(6, name);
    ports.SetCellValue(6, name, AnsiString("Pompa"));
    EXPECT_FALSE(marked()) << "not yet posted";
    ports.Post();
    EXPECT_TRUE(marked());
    ports.SetCellValue(6, name, before);
    ports.Post();
    EXPECT_FALSE(marked()) << "back as saved";

    Form->MinTemp->SetValue(Form->MinTemp->Value() + 1);
    EXPECT_TRUE(marked());
    SaveAs(Path(QStringLiteral("vasca.tmr")));
    EXPECT_FALSE(marked());
    Form->MinTemp->SetValue(Form->MinTemp->Value() + 1);
    Open(Path(QStringLiteral("vasca.tmr")));
    EXPECT_FALSE(marked());
    Form->Isteresi->SetValue(Form->Isteresi->Value() + 1);
    Form->ClearAllData();
    EXPECT_FALSE(marked());
    EXPECT_EQ(Form->Caption(), QStringLiteral("Horavel "));
}

// Each command says in the status bar what it did, for five seconds; a screen reader reads
// the panel by its name, which is the text.
TEST_F(FilesTest, TheStatusBarSaysWhatACommandDidForFiveSeconds) {
    FillConfiguration();
    TStatusMessage& status = Form->StatusMessage();
    QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(status.Widget());
    ASSERT_NE(panel, nullptr);
    QTimer& timer = status.Timer();
    const struct {
        const char* Command;
        std::function<void()> Run;
        QString Said;
    } commands[] = {
        {"save as", [&] { SaveAs(Path(QStringLiteral("acquario.tmr"))); },
         QStringLiteral("Salvato in acquario.tmr")},
        {"open", [&] { Open(Path(QStringLiteral("acquario.tmr"))); },
         QStringLiteral("Aperto acquario.tmr")},
        {"save", [&] { Form->BarButtonSave->Click(); }, QStringLiteral("Salvato in acquario.tmr")},
        {"store settings", [&] { Form->BarButtonSaveSet->Click(); },
         QStringLiteral("Impostazioni della porta salvate")},
        {"load settings", [&] { Form->BarButtonLoadSet->Click(); },
         QStringLiteral("Impostazioni della porta caricate")},
    };
    for (const auto& c : commands) {
        SCOPED_TRACE(c.Command);
        c.Run();
        EXPECT_EQ(status.Text(), c.Said);
        EXPECT_EQ(panel->text(QAccessible::Name), c.Said);
        EXPECT_TRUE(timer.isActive());
        EXPECT_EQ(timer.interval(), 5000);
        QMetaObject::invokeMethod(&timer, "timeout");
        EXPECT_EQ(status.Text(), QString());
    }
    // A command that did nothing says nothing.
    Files().PushFileName(QString());
    Form->BarButtonOpen->Click();
    EXPECT_EQ(status.Text(), QString());
}

// Qt 6.4 has no announcement for screen readers: they hear the panel's name change. Runs on the
// accessibility bus (the test app_status_heard_on_accessibility_bus); elsewhere Qt tells no one.
TEST_F(FilesTest, AScreenReaderIsToldWhenTheStatusMessageChanges) {
    if (qEnvironmentVariableIsEmpty("LUMOTRIX_ACCESSIBILITY_BUS"))
        GTEST_SKIP() << "needs the accessibility bus";
    Form->Show();
    QElapsedTimer waited;
    waited.start();
    while (!QAccessible::isActive() && waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(QAccessible::isActive());
    TStatusMessage& status = Form->StatusMessage();
    QAccessible::installUpdateHandler(HearNameChange);
    FillConfiguration();
    SaveAs(Path(QStringLiteral("acquario.tmr")));
    const QStringList afterSave = GNamesHeard;
    QMetaObject::invokeMethod(&status.Timer(), "timeout");
    const QStringList afterTimeout = GNamesHeard;
    QAccessible::installUpdateHandler(nullptr);
    EXPECT_TRUE(afterSave.contains(QStringLiteral("Salvato in acquario.tmr")))
        << afterSave.join(u'|').toStdString();
    EXPECT_GT(afterTimeout.size(), afterSave.size());
    EXPECT_EQ(afterTimeout.value(afterTimeout.size() - 1), QString());
}
