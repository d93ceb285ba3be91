#include "model/ConfigFiles.h"
#include "MessageMatch.h"
#include "model/ConfigTables.h"
#include "model/Configuration.h"
#include "model/ModelMessageIds.h"
#include "runtime/MessageIds.h"
#include "support/FileBytes.h"
#include "support/PrintQString.h"

#include "runtime/Exception.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <functional>
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

// Records of an unfinished save that a crash cannot leave: each is refused, by an open and by a
// save over a set that does not read whole, without touching a file; a save over a whole set
// replaces it.
TEST_F(ConfigFilesOverwriteTest, ARecordNamingAnythingButTheSetsOwnFilesIsRefusedUntouched) {
    QTemporaryDir outside;
    const QString victim = outside.filePath(QStringLiteral("vittima"));
    const QString marker = FTimerFile + QStringLiteral(".saving");
    const auto entry = [](const QString& target, const QString& staged, const QString& old) {
        return QStringLiteral(R"({"target":"%1","new":"%2","old":%3})")
            .arg(target, staged, old)
            .toUtf8();
    };
    const QByteArray ports = entry("Pacquario", "Pacquario.new-00000000", R"("")");
    const QByteArray temperature = entry("Tacquario", "Tacquario.new-00000000", R"("")");
    const auto record = [&](const QByteArray& timers) {
        return '[' + timers + ',' + ports + ',' + temperature + ']';
    };
    const QByteArray whole = record(
        entry("acquario.tmr", "acquario.tmr.new-00000000", R"("acquario.tmr.old-0123abcd")"));
    const struct {
        const char* What;
        QByteArray Record;
    } cases[] = {
        {"empty", ""},
        {"not JSON", "[{"},
        {"two entries", '[' + ports + ',' + temperature + ']'},
        {"another file as target", record(entry("altro.tmr", "altro.tmr.new-00000000", R"("")"))},
        {"another file as new file",
         record(entry("acquario.tmr", "altro.tmr", R"("acquario.tmr.old-0123abcd")"))},
        {"another file as old copy",
         record(entry("acquario.tmr", "acquario.tmr.new-00000000", R"("altro.tmr")"))},
        {"the user's copy as old copy",
         record(entry("acquario.tmr", "acquario.tmr.new-00000000", R"("acquario.tmr.old-copia")"))},
        {"the timer file as another file's old copy",
         '[' + entry("acquario.tmr", "acquario.tmr.new-00000000", R"("")") + ',' +
             entry("Pacquario", "Pacquario.new-00000000", R"("acquario.tmr")") + ',' + temperature +
             ']'},
        {"another file's new name",
         '[' + entry("acquario.tmr", "acquario.tmr.new-00000000", R"("")") + ',' +
             entry("Pacquario", "acquario.tmr.new-00000001", R"("")") + ',' + temperature + ']'},
        {"a number as name", record(entry("acquario.tmr", "acquario.tmr.new-00000000", "5"))},
        {"a file elsewhere", record(entry(victim, victim + ".new-00000000", R"("")"))},
        {"a whole record padded past any real size", whole + QByteArray(100000, ' ')},
    };
    const auto snapshot = [&] {
        QMap<QString, QByteArray> files;
        for (const QString& folder : {FDir.path(), outside.path()})
            for (const QString& name :
                 QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
                files[folder + '/' + name] = test::FileBytes(folder + '/' + name);
        return files;
    };
    const auto expectRefused = [&](const std::function<void()>& work) {
        const QMap<QString, QByteArray> before = snapshot();
        try {
            work();
            ADD_FAILURE() << "not refused";
        } catch (const Exception& e) {
            ASSERT_TRUE(e.Record()) << e.what();
            EXPECT_EQ(e.Record()->Id, msgSaveRecordRefused) << e.what();
            EXPECT_EQ(test::TextArguments(*e.Record()).value(0), marker) << e.what();
        }
        EXPECT_EQ(snapshot(), before);
    };
    const QStringList bystanders{FDir.filePath("altro.tmr"),
                                 FDir.filePath("acquario.tmr.old-copia"), victim};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        for (const QString& name : bystanders)
            test::WriteFileBytes(name, name.toUtf8());
        test::WriteFileBytes(FDir.filePath("acquario.tmr.old-0123abcd"), "vecchio");
        test::WriteFileBytes(marker, c.Record);
        expectRefused([&] {
            TConfiguration opened;
            opened.LoadFiles(FTimerFile);
        });
        try {
            SaveConfigurationFiles(FTimers, FPorts, FTemperature, FTimerFile);
        } catch (const Exception& e) {
            ADD_FAILURE() << "the save over a whole set failed: " << e.what();
        }
        EXPECT_FALSE(QFileInfo::exists(marker));
        EXPECT_EQ(Read(Names[0]), FTimers.SaveToBytes());
        for (const QString& name : bystanders)
            EXPECT_EQ(test::FileBytes(name), name.toUtf8());
    }
    // A set that does not read whole: the record may be all that tells what happened.
    test::WriteFileBytes(marker, "");
    test::WriteFileBytes(FDir.filePath("Tacquario"), Read("Tacquario").chopped(1));
    expectRefused([&] { SaveConfigurationFiles(FTimers, FPorts, FTemperature, FTimerFile); });
}

// Names that only start like what a save leaves behind belong to someone else.
TEST_F(ConfigFilesOverwriteTest, ASaveRemovesOnlyNamesOfTheFormsItWrites) {
    const QStringList leftovers{"acquario.tmr.new-0123abcd", "acquario.tmr.old-89abcdef",
                                "Pacquario.new-00000000.tmp-123-1f", "Tacquario.old-ffffffff",
                                "acquario.tmr.saving.tmp-42-abc"};
    const QStringList others{
        "acquario.tmr.old-copia di sicurezza", "acquario.tmr.new-anno.tmr",
        "acquario.tmr.old-0123ABCD",           "acquario.tmr.old-0123abc",
        "acquario.tmr.old-0123abcd.bak",       "Pacquario.new-0123abcd.tmp-x-1",
        "acquario.tmr.saving.tmp-42-",         "acquario.tmr.tmp-7-0",
        "xacquario.tmr.old-0123abcd"};
    for (const QString& name : leftovers + others)
        test::WriteFileBytes(FDir.filePath(name), name.toUtf8());
    SaveConfigurationFiles(FTimers, FPorts, FTemperature, FTimerFile);
    QStringList expected = Names + others;
    expected.sort();
    EXPECT_EQ(Files(), expected);
    for (const QString& name : others)
        EXPECT_EQ(Read(name), name.toUtf8());
}
