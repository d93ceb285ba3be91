#include "model/ConfigFiles.h"
#include "model/ConfigTables.h"

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

    int resets = 0; // outlives the table, which reports its destruction
    TMemData timers, ports, temperature;
    DefineTimerTable(timers);
    DefinePortTable(ports);
    DefineTemperatureTable(temperature);
    timers.Subscribe([&](const TDataEvent& e) { resets += e.Kind == TDataEvent::Reset; });
    LoadConfigurationFiles(timers, ports, temperature, timerFile);
    EXPECT_EQ(resets, 1); // views suspended during the load
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
