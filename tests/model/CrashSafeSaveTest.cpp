// Kills a child process (SIGKILL) at every step of a save that touches the disk, then checks
// that each file is whole and that the next open gives exactly the old or the new content.

#include "model/ConfigFiles.h"
#include "model/ConfigTables.h"
#include "model/Configuration.h"
#include "support/FileBytes.h"

#include "runtime/AtomicFile.h"
#include "runtime/Exception.h"
#include "runtime/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace lumotrix;

namespace {

int stepsLeft = 0;

void KillAtStep() {
    if (--stepsLeft == 0)
        ::raise(SIGKILL);
}

enum class TEnd { Killed, Finished };

// Runs `work` in a child process that dies at its `step`th save step.
TEnd RunKilledAt(int step, const std::function<void()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        stepsLeft = step;
        SetSaveStepHook(KillAtStep);
        try {
            work();
        } catch (const Exception& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.Message()));
            ::_exit(2);
        }
        ::_exit(0);
    }
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        return TEnd::Killed;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save failed";
    return TEnd::Finished;
}

// In memory where the system has it: the flushes to disk would make the many saves slow.
QString ScratchTemplate() {
    const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                             ? QStringLiteral("/dev/shm")
                             : QDir::tempPath();
    return base + QStringLiteral("/lumotrix-crash-XXXXXX");
}

void Fill(TConfiguration& config, int variant) {
    for (int n = 1; n <= TimerCount; ++n)
        config.Timers.AppendRecord({n, TimerLabel(n), (n + variant) % 8 + 1, AnsiString("Sabato"),
                                    EncodeTime((n + variant) % 24, n, 0), EncodeTime(0, n, 0),
                                    n % 2 == variant % 2});
    for (int n = 1; n <= PortCount; ++n)
        config.Ports.AppendRecord(
            {n, n, AnsiString("Porta ") + AnsiString::number(n * 10 + variant)});
    config.SetTemperatureSettings({true, 20.0 + variant, 30.0, 25.5, 2, 1, 2});
}

struct TSetBytes {
    QList<QByteArray> Files; // empty bytes: no file

    static TSetBytes Of(TConfiguration& config) {
        return {{config.Timers.SaveToBytes(), config.Ports.SaveToBytes(),
                 config.Temperature.SaveToBytes()}};
    }
    bool operator==(const TSetBytes&) const = default;
};

class CrashSafeSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        Fill(FOld, 0);
        Fill(FNew, 1);
        FOldBytes = TSetBytes::Of(FOld);
        FNewBytes = TSetBytes::Of(FNew);
    }

    static QStringList Targets(const QString& timerFile) {
        const TConfigurationFiles f = ConfigurationFilesOf(timerFile);
        return {f.TimerFile, f.PortFile, f.TemperatureFile};
    }

    // What the window or the tool gets on the next open: each table's bytes, or none when the
    // timer file is missing.
    static TSetBytes Open(const QString& timerFile) {
        TConfiguration config;
        try {
            config.Load(timerFile);
        } catch (const EResNotFound&) {
            return {{QByteArray(), QByteArray(), QByteArray()}};
        }
        return TSetBytes::Of(config);
    }

    // The set's three names as links to an old set in a folder of its own, the timer file's
    // and the temperature file's relative, the port file's absolute.
    void LinkToOldSet(const QString& folder) {
        ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("elsewhere")));
        FOld.Save(folder + QStringLiteral("/elsewhere/vasca.tmr"));
        ASSERT_TRUE(QFile::link(QStringLiteral("elsewhere/vasca.tmr"),
                                folder + QStringLiteral("/acquario.tmr")));
        ASSERT_TRUE(QFile::link(folder + QStringLiteral("/elsewhere/Pvasca"),
                                folder + QStringLiteral("/Pacquario")));
        ASSERT_TRUE(
            QFile::link(QStringLiteral("elsewhere/Tvasca"), folder + QStringLiteral("/Tacquario")));
    }

    static bool AllLinks(const QString& timerFile) {
        const QStringList targets = Targets(timerFile);
        return std::all_of(targets.begin(), targets.end(),
                           [](const QString& t) { return QFileInfo(t).isSymLink(); });
    }

    enum class TBefore { Nothing, OldSet, LinksToOldSet };

    // Saves the new set over `before` in a child killed at every step in turn; after each kill,
    // every file must be old or new whole, and the next open must give one whole set, leaving
    // no marker (and the links as they were). Returns the points tried.
    int KillEverywhere(TBefore start, int& corrupt) {
        const bool overOld = start != TBefore::Nothing;
        const bool links = start == TBefore::LinksToOldSet;
        const TSetBytes none{{QByteArray(), QByteArray(), QByteArray()}};
        const TSetBytes& before = overOld ? FOldBytes : none;
        int points = 0;
        for (int step = 1;; ++step) {
            QTemporaryDir dir(ScratchTemplate());
            const QString timerFile = dir.filePath(QStringLiteral("acquario.tmr"));
            if (links)
                LinkToOldSet(dir.path());
            else if (overOld)
                FOld.Save(timerFile);
            if (RunKilledAt(step, [&] { FNew.Save(timerFile); }) == TEnd::Finished) {
                EXPECT_EQ(Open(timerFile), FNewBytes);
                if (links) {
                    EXPECT_TRUE(AllLinks(timerFile));
                    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("elsewhere")))
                                  .entryList(QDir::Files, QDir::Name),
                              (QStringList{"Pvasca", "Tvasca", "vasca.tmr"}));
                }
                break;
            }
            ++points;
            const QStringList targets = Targets(timerFile);
            for (int i = 0; i < targets.size(); ++i) {
                const QByteArray bytes = test::FileBytes(targets[i]);
                if (bytes != before.Files[i] && bytes != FNewBytes.Files[i]) {
                    ++corrupt;
                    ADD_FAILURE() << "step " << step << ": " << targets[i].toStdString()
                                  << " is neither old nor new";
                }
            }
            const TSetBytes opened = Open(timerFile);
            if (opened != before && opened != FNewBytes) {
                ++corrupt;
                ADD_FAILURE() << "step " << step << ": the open gives a mixed set";
            }
            EXPECT_FALSE(QFileInfo::exists(timerFile + QStringLiteral(".saving")))
                << "step " << step;
            if (links) {
                EXPECT_TRUE(AllLinks(timerFile)) << "step " << step;
            }
        }
        return points;
    }

    TConfiguration FOld, FNew;
    TSetBytes FOldBytes, FNewBytes;
};

TEST_F(CrashSafeSaveTest, AKilledSaveOverASetLeavesTheOldOrTheNewSetWhole) {
    int corrupt = 0;
    const int points = KillEverywhere(TBefore::OldSet, corrupt);
    EXPECT_GT(points, 20); // every write, flush and rename of the three files and the marker
    EXPECT_EQ(corrupt, 0);
    std::printf("configuration save over a set: %d kill points, %d corrupt sets\n", points,
                corrupt);
}

TEST_F(CrashSafeSaveTest, AKilledFirstSaveLeavesNoSetOrTheNewOne) {
    int corrupt = 0;
    const int points = KillEverywhere(TBefore::Nothing, corrupt);
    EXPECT_GT(points, 20);
    EXPECT_EQ(corrupt, 0);
    std::printf("first configuration save: %d kill points, %d corrupt sets\n", points, corrupt);
}

// A link stays a link: the file it names takes the new set, where an editor would put it.
TEST_F(CrashSafeSaveTest, AKilledSaveThroughLinksKeepsThemAndLeavesTheirFilesWhole) {
    int corrupt = 0;
    const int points = KillEverywhere(TBefore::LinksToOldSet, corrupt);
    EXPECT_GT(points, 20);
    EXPECT_EQ(corrupt, 0);
    std::printf("configuration save through links: %d kill points, %d corrupt sets\n", points,
                corrupt);
}

// A save interrupted after the marker, then the recovery itself interrupted at each of its
// steps: the open after that still gives one whole set.
TEST_F(CrashSafeSaveTest, AKilledRecoveryIsFinishedByTheNextOpen) {
    int points = 0;
    for (int saveStep = 1;; ++saveStep) {
        QTemporaryDir dir(ScratchTemplate());
        const QString timerFile = dir.filePath(QStringLiteral("acquario.tmr"));
        FOld.Save(timerFile);
        if (RunKilledAt(saveStep, [&] { FNew.Save(timerFile); }) == TEnd::Finished)
            break;
        if (!QFileInfo::exists(timerFile + QStringLiteral(".saving")))
            continue;
        // Copies of the interrupted state, one per recovery step to kill.
        const QStringList names = QDir(dir.path()).entryList(QDir::Files);
        for (int recoverStep = 1;; ++recoverStep) {
            QTemporaryDir copy(ScratchTemplate());
            for (const QString& name : names)
                ASSERT_TRUE(QFile::copy(dir.filePath(name), copy.filePath(name)));
            const QString copied = copy.filePath(QStringLiteral("acquario.tmr"));
            const TEnd end = RunKilledAt(recoverStep, [&] { RecoverConfigurationFiles(copied); });
            const TSetBytes opened = Open(copied);
            EXPECT_TRUE(opened == FOldBytes || opened == FNewBytes)
                << "save step " << saveStep << ", recovery step " << recoverStep;
            ++points;
            if (end == TEnd::Finished)
                break;
        }
    }
    EXPECT_GT(points, 10);
    std::printf("recovery: %d kill points\n", points);
}

TEST_F(CrashSafeSaveTest, ASaveOverAnInterruptedOneFirstPutsBackAWholeSet) {
    QTemporaryDir dir(ScratchTemplate());
    const QString timerFile = dir.filePath(QStringLiteral("acquario.tmr"));
    FOld.Save(timerFile);
    // Killed between the renames: timer file new, the other two old.
    int step = 1;
    while (RunKilledAt(step, [&] { FNew.Save(timerFile); }) == TEnd::Killed &&
           test::FileBytes(timerFile) != FNewBytes.Files[0])
        ++step;
    ASSERT_EQ(test::FileBytes(timerFile), FNewBytes.Files[0]);
    ASSERT_TRUE(QFileInfo::exists(timerFile + QStringLiteral(".saving")));

    TConfiguration third;
    Fill(third, 2);
    // A save that ignored the marker would leave it behind, and a later open would put the old
    // copies back over this set.
    third.Save(timerFile);
    EXPECT_EQ(Open(timerFile), TSetBytes::Of(third));
    // Nor anything that the killed saves left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{"Pacquario", "Tacquario", "acquario.tmr"}));
}

TEST(CrashSafeSettings, AKilledSettingsSaveLeavesTheOldOrTheNewValues) {
    QTemporaryDir dir(ScratchTemplate());
    const QString store = dir.filePath(QStringLiteral("lumotrix/registry.json"));
    TRegistry::SetStorePath(store);
    const QString key = QStringLiteral("Software\\Velmoran");
    const auto write = [&](const QString& port, int speed) {
        TRegistryUpdate update;
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(key, true));
        registry.WriteString(QStringLiteral("Port"), port);
        registry.WriteInteger(QStringLiteral("BaudRate"), speed);
        update.Commit();
    };
    write(QStringLiteral("/dev/ttyS0"), 9600);
    const QByteArray old = test::FileBytes(store);
    int points = 0, corrupt = 0;
    for (int step = 1;; ++step) {
        { test::WriteFileBytes(store, old); }
        const TEnd end = RunKilledAt(step, [&] { write(QStringLiteral("/dev/ttyUSB0"), 19200); });
        TRegistry registry;
        QString port;
        qint32 speed = 0;
        try {
            ASSERT_TRUE(registry.OpenKeyReadOnly(key));
            port = registry.ReadString(QStringLiteral("Port"));
            speed = registry.ReadInteger(QStringLiteral("BaudRate"));
        } catch (const ERegistryException&) {
        }
        const bool isOld = port == QStringLiteral("/dev/ttyS0") && speed == 9600;
        const bool isNew = port == QStringLiteral("/dev/ttyUSB0") && speed == 19200;
        if (end == TEnd::Finished) {
            EXPECT_TRUE(isNew);
            break;
        }
        ++points;
        if (!isOld && !isNew) {
            ++corrupt;
            ADD_FAILURE() << "step " << step << ": the store holds neither the old nor the new";
        }
    }
    TRegistry::SetStorePath({});
    EXPECT_GE(points, 4); // open, write, flush, rename, folder flush
    EXPECT_EQ(corrupt, 0);
    std::printf("settings save: %d kill points, %d corrupt stores\n", points, corrupt);
}

} // namespace
