#include "model/ConfigFiles.h"
#include "MessageMatch.h"
#include "model/ConfigTables.h"
#include "runtime/MessageIds.h"

#include "runtime/Exception.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumotrix;

TEST(ConfigFiles, CompanionNamesDropOnlyTheLastExtension) {
    auto files = ConfigurationFilesOf(QStringLiteral("/home/u/Dati/acquario.tmr"));
    EXPECT_EQ(files.TimerFile, QStringLiteral("/home/u/Dati/acquario.tmr"));
    EXPECT_EQ(files.PortFile, QStringLiteral("/home/u/Dati/Pacquario"));
    EXPECT_EQ(files.TemperatureFile, QStringLiteral("/home/u/Dati/Tacquario"));
    EXPECT_EQ(ConfigurationFilesOf(QStringLiteral("/d/acquario.old.tmr")).PortFile,
              QStringLiteral("/d/Pacquario.old"));
    EXPECT_EQ(ConfigurationFilesOf(QStringLiteral("/d.x/acquario")).TemperatureFile,
              QStringLiteral("/d.x/Tacquario"));
    EXPECT_EQ(ConfigurationFilesOf(QStringLiteral("acquario.tmr")).PortFile,
              QStringLiteral("Pacquario"));
}

class ConfigFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        DefineTimerTable(FTimers);
        DefinePortTable(FPorts);
        DefineTemperatureTable(FTemperature);
        for (int n = 1; n <= TimerCount; ++n)
            FTimers.AppendRecord({n, TimerLabel(n), n % 8 + 1, AnsiString("Sabato"),
                                  EncodeTime(n % 24, n, 0), EncodeTime(0, n, 0), n % 2 == 0});
        for (int n = 1; n <= PortCount; ++n)
            FPorts.AppendRecord({n, n, AnsiString("Porta ") + AnsiString::number(n)});
        FTemperature.AppendRecord({std::monostate{}, 1, 20.0, 30.0, 25.5, 2, 1, 2});
    }

    QTemporaryDir FDir;
    TMemData FTimers{QStringLiteral("MemData1")}, FPorts{QStringLiteral("MemData2")},
        FTemperature{QStringLiteral("MemData3")};
};

TEST_F(ConfigFilesTest, SaveWritesThreeFilesAndLoadReadsThemBack) {
    const QString timerFile = FDir.filePath(QStringLiteral("acquario.tmr"));
    SaveConfigurationFiles(FTimers, FPorts, FTemperature, timerFile);
    EXPECT_EQ(QDir(FDir.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{"Pacquario", "Tacquario", "acquario.tmr"}));

    // Outlives the table, which reports its destruction.
    struct TResets : ITableObserver {
        int Count = 0;
        void TableChanged(const TTableChange& c) override {
            Count += c.Kind == TTableChange::TKind::Reset;
        }
    } resets;
    TMemData timers, ports, temperature;
    DefineTimerTable(timers);
    DefinePortTable(ports);
    DefineTemperatureTable(temperature);
    timers.AttachObserver(&resets);
    LoadConfigurationFiles(timers, ports, temperature, timerFile);
    EXPECT_EQ(resets.Count, 1); // views suspended during the load
    EXPECT_FALSE(timers.ControlsDisabled());
    EXPECT_EQ(timers.RecordCount(), TimerCount);
    EXPECT_EQ(ports.RecordCount(), PortCount);
    EXPECT_DOUBLE_EQ(temperature.FieldByName("IdealeTemp").AsFloat(), 25.5);
    timers.Last();
    EXPECT_EQ(timers.FieldByName("Timer").AsString(), QByteArray("Timer 42"));
}

TEST_F(ConfigFilesTest, MissingCompanionsLeaveTheirTablesAndABadOneStopsTheLoad) {
    const QString timerFile = FDir.filePath(QStringLiteral("solo.tmr"));
    FTimers.SaveToBinaryFile(timerFile);
    TMemData timers, ports, temperature;
    DefineTimerTable(timers);
    DefinePortTable(ports);
    DefineTemperatureTable(temperature);
    LoadConfigurationFiles(timers, ports, temperature, timerFile);
    EXPECT_EQ(timers.RecordCount(), TimerCount);
    EXPECT_TRUE(ports.IsEmpty());
    EXPECT_TRUE(temperature.IsEmpty());

    // A port file that holds the timer table: the timers are loaded, the rest is not.
    QFile::copy(timerFile, FDir.filePath(QStringLiteral("Psolo")));
    FTemperature.SaveToBinaryFile(FDir.filePath(QStringLiteral("Tsolo")));
    timers.Close();
    timers.Open();
    EXPECT_THROW(LoadConfigurationFiles(timers, ports, temperature, timerFile), EReadError);
    EXPECT_EQ(timers.RecordCount(), TimerCount);
    EXPECT_FALSE(ports.ControlsDisabled());
    EXPECT_TRUE(temperature.IsEmpty());
}

// A save over an existing set, all or nothing.
class ConfigFilesOverwriteTest : public ConfigFilesTest {
protected:
    void SetUp() override {
        ConfigFilesTest::SetUp();
        FTimerFile = FDir.filePath(QStringLiteral("acquario.tmr"));
        SaveConfigurationFiles(FTimers, FPorts, FTemperature, FTimerFile);
        for (const QString& name : Names)
            FBefore << Read(name);
        // A different set to save over the first.
        FTimers.First();
        FTimers.Delete();
        FPorts.Last();
        FPorts.Delete();
        FTemperature.Close();
        FTemperature.Open();
        FTemperature.AppendRecord({std::monostate{}, 0, 18.0, 28.0, 22.0, 1, 3, 4});
    }

    QByteArray Read(const QString& name) const {
        QFile file(FDir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }
    QStringList Files() const { return QDir(FDir.path()).entryList(QDir::Files, QDir::Name); }
    // A folder in the place of `name`: the new file can be written beside it, not put in place.
    void BlockWithFolder(const QString& name) {
        ASSERT_TRUE(QFile::remove(FDir.filePath(name)));
        ASSERT_TRUE(QDir(FDir.path()).mkpath(name + QStringLiteral("/inside")));
    }
    void ExpectFailedSaveKeepsTheOldSet(const QString& blocked) {
        try {
            SaveConfigurationFiles(FTimers, FPorts, FTemperature, FTimerFile);
            ADD_FAILURE() << "the save did not fail";
        } catch (const EWriteError& e) {
            ASSERT_TRUE(e.Record()) << e.what();
            EXPECT_EQ(e.Record()->Id, msgWriteFailedRestored) << e.what();
            EXPECT_EQ(test::TextArguments(*e.Record()).value(0), FDir.filePath(blocked))
                << e.what();
            EXPECT_TRUE(test::Holds(e, msgReasonIsFolder)) << e.what();
        }
        for (int i = 0; i < Names.size(); ++i) {
            if (Names[i] != blocked) {
                EXPECT_EQ(Read(Names[i]), FBefore[i]) << Names[i].toStdString();
            }
        }
        QStringList expected = Names;
        expected.removeOne(blocked);
        expected.sort();
        EXPECT_EQ(Files(), expected); // no new or old copies left behind
        EXPECT_TRUE(QFileInfo(FDir.filePath(blocked)).isDir());
    }

    const QStringList Names{"acquario.tmr", "Pacquario", "Tacquario"};
    QString FTimerFile;
    QList<QByteArray> FBefore;
};

TEST_F(ConfigFilesOverwriteTest, ASuccessfulSaveReplacesAllThreeAndKeepsNoCopies) {
    SaveConfigurationFiles(FTimers, FPorts, FTemperature, FTimerFile);
    EXPECT_EQ(Read(Names[0]), FTimers.SaveToBytes());
    EXPECT_EQ(Read(Names[1]), FPorts.SaveToBytes());
    EXPECT_EQ(Read(Names[2]), FTemperature.SaveToBytes());
    for (int i = 0; i < Names.size(); ++i)
        EXPECT_NE(Read(Names[i]), FBefore[i]) << Names[i].toStdString();
    EXPECT_EQ(Files(), (QStringList{"Pacquario", "Tacquario", "acquario.tmr"}));
}

TEST_F(ConfigFilesOverwriteTest, AFailureAtThePortFilePutsBackTheTimerFile) {
    BlockWithFolder(QStringLiteral("Pacquario"));
    ExpectFailedSaveKeepsTheOldSet(QStringLiteral("Pacquario"));
}

TEST_F(ConfigFilesOverwriteTest, AFailureAtTheTemperatureFilePutsBackTheFirstTwo) {
    BlockWithFolder(QStringLiteral("Tacquario"));
    ExpectFailedSaveKeepsTheOldSet(QStringLiteral("Tacquario"));
}

TEST_F(ConfigFilesOverwriteTest, AFolderThatCannotBeWrittenWritesNothing) {
    const QString missing = FDir.filePath(QStringLiteral("missing/acquario.tmr"));
    try {
        SaveConfigurationFiles(FTimers, FPorts, FTemperature, missing);
        ADD_FAILURE() << "the save did not fail";
    } catch (const EWriteError& e) {
        ASSERT_TRUE(e.Record()) << e.what();
        EXPECT_EQ(e.Record()->Id, msgNothingWritten) << e.what();
        EXPECT_EQ(test::TextArguments(*e.Record()).value(0), missing) << e.what();
        EXPECT_TRUE(test::Holds(e, msgReasonMissing)) << e.what();
    }
    EXPECT_FALSE(QFileInfo::exists(FDir.filePath(QStringLiteral("missing"))));
    for (int i = 0; i < Names.size(); ++i)
        EXPECT_EQ(Read(Names[i]), FBefore[i]);
}
