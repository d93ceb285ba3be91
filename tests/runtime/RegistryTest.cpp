#include "runtime/Registry.h"
#include "runtime/MessageIds.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        FFile = FDir.filePath(QStringLiteral("cfg/lumotrix/registry.json"));
        TRegistry::SetStorePath(FFile);
    }
    void TearDown() override { TRegistry::SetStorePath({}); }

    void WriteStore(const QByteArray& bytes) { test::WriteFileBytes(FFile, bytes); }

    QTemporaryDir FDir;
    QString FFile;
};

} // namespace

TEST_F(RegistryTest, ValuesSurviveANewObjectWithNamesKeptExactly) {
    const QString path = QStringLiteral("C:\\Programmi\\Lumotrix/bin\\lumotrix.exe");
    const QString linuxPath = QStringLiteral("/opt/Lumotrix/lumotrix");
    {
        TRegistry reg;
        EXPECT_FALSE(reg.OpenKey(QStringLiteral("Software\\Velmoran\\Locales"), false));
        ASSERT_TRUE(reg.OpenKey(QStringLiteral("Software\\Velmoran\\Locales"), true));
        reg.WriteString(path, QStringLiteral("DEU"));
        reg.WriteString(linuxPath, QStringLiteral("ENU"));
        reg.WriteString(QStringLiteral("/opt/lumotrix/lumotrix"), QStringLiteral("ITA"));
        ASSERT_TRUE(reg.OpenKey(QStringLiteral("HKEY_CURRENT_USER\\Software\\Velmoran"), false));
        reg.WriteString(QStringLiteral("ComPort"), QStringLiteral("/dev/ttyUSB0 = ü"));
        reg.WriteInteger(QStringLiteral("BaudRate"), 9600);
        reg.WriteInteger(QStringLiteral("Min"), INT32_MIN);
        reg.WriteBool(QStringLiteral("Dtr"), true);
        reg.WriteBool(QStringLiteral("Rts"), false);
        reg.WriteInteger(QStringLiteral("BaudRate"), 19200); // replaces
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(QStringLiteral("\\software\\VELMORAN"))); // keys ignore case
    EXPECT_EQ(reg.ReadString(QStringLiteral("ComPort")), QStringLiteral("/dev/ttyUSB0 = ü"));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("BaudRate")), 19200);
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("Min")), INT32_MIN);
    EXPECT_TRUE(reg.ReadBool(QStringLiteral("Dtr")));
    EXPECT_FALSE(reg.ReadBool(QStringLiteral("Rts")));
    EXPECT_EQ(reg.GetValueNames(), (QStringList{"ComPort", "BaudRate", "Min", "Dtr", "Rts"}));
    EXPECT_EQ(reg.GetKeyNames(), QStringList{QStringLiteral("Locales")});
    EXPECT_THROW(reg.WriteInteger(QStringLiteral("BaudRate"), 1), ERegistryException);

    ASSERT_TRUE(reg.OpenKeyReadOnly(QStringLiteral("Locales"))); // relative to the open key
    EXPECT_EQ(reg.CurrentPath(), QStringLiteral("Software\\Velmoran\\Locales"));
    EXPECT_EQ(reg.ReadString(path), QStringLiteral("DEU"));
    EXPECT_EQ(reg.ReadString(linuxPath), QStringLiteral("ENU"));
    EXPECT_EQ(reg.ReadString(QStringLiteral("/opt/lumotrix/lumotrix")), QStringLiteral("ITA"));
    EXPECT_FALSE(reg.ValueExists(QStringLiteral("/opt/lumotrix/Lumotrix")));
    EXPECT_TRUE(reg.KeyExists(QStringLiteral("\\Software")));
    EXPECT_FALSE(reg.KeyExists(QStringLiteral("\\Software\\Velmo")));
}

TEST_F(RegistryTest, AbsentValuesTypesAndDeletion) {
    TRegistry reg;
    EXPECT_THROW(reg.WriteString(QStringLiteral("x"), QStringLiteral("y")), ERegistryException);
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("Software\\Velmoran"), true));
    EXPECT_EQ(reg.ReadString(QStringLiteral("Port")), QString());
    EXPECT_THROW(reg.ReadInteger(QStringLiteral("Port")), ERegistryException);
    EXPECT_THROW(reg.ReadBool(QStringLiteral("Port")), ERegistryException);
    reg.WriteString(QStringLiteral("Port"), QStringLiteral("COM1"));
    reg.WriteInteger(QStringLiteral("Speed"), 9600);
    EXPECT_EQ(reg.GetDataType(QStringLiteral("Port")), TRegDataType::rdString);
    EXPECT_EQ(reg.GetDataType(QStringLiteral("Speed")), TRegDataType::rdInteger);
    EXPECT_THROW(reg.ReadInteger(QStringLiteral("Port")), ERegistryException);
    EXPECT_THROW(reg.ReadString(QStringLiteral("Speed")), ERegistryException);

    EXPECT_TRUE(reg.DeleteValue(QStringLiteral("Port")));
    EXPECT_FALSE(reg.DeleteValue(QStringLiteral("Port")));
    EXPECT_FALSE(reg.ValueExists(QStringLiteral("Port")));
    EXPECT_TRUE(reg.ValueExists(QStringLiteral("Speed")));

    reg.CloseKey();
    EXPECT_TRUE(reg.DeleteKey(QStringLiteral("Software")));
    EXPECT_FALSE(reg.KeyExists(QStringLiteral("Software\\Velmoran")));
    EXPECT_FALSE(reg.DeleteKey(QStringLiteral("Software")));
}

TEST_F(RegistryTest, AMissingStoreIsEmptyAndADamagedOneIsReportedThenReplacedOnWrite) {
    TRegistry reg;
    EXPECT_FALSE(reg.KeyExists(QStringLiteral("Software\\Velmoran")));
    EXPECT_FALSE(QFile::exists(FFile)); // reading creates nothing

    const QByteArray damagedContents[] = {
        "{\"format\": \"Lumotrix registry\", \"version\": 1, \"keys\": [",
        QByteArray("\x00\x01garbage", 9),
        QByteArray(),
        "{\"format\": \"something else\", \"version\": 1, \"keys\": []}",
        "{\"format\": \"Lumotrix registry\", \"version\": 1, \"keys\": [{\"key\": \"A\", "
        "\"values\": [{\"name\": \"n\", \"type\": \"integer\", \"data\": 4294967296}]}]}",
        "{\"format\": \"Lumotrix registry\", \"version\": 1, \"keys\": [{\"key\": \"A\", "
        "\"values\": [{\"name\": \"n\", \"type\": \"string\", \"data\": 3}]}]}",
    };
    for (const QByteArray& contents : damagedContents) {
        WriteStore(contents);
        try {
            reg.OpenKey(QStringLiteral("Software\\Velmoran"), false);
            ADD_FAILURE() << "accepted " << contents.constData();
        } catch (const ERegistryException& e) {
            EXPECT_TRUE(e.Message().contains(FFile)) << e.what();
            // The user reads a reason of the string table; the parser's words stay for developers.
            ASSERT_TRUE(e.Record()) << e.what();
            EXPECT_EQ(e.Record()->Id, msgRegistryDamaged);
            EXPECT_FALSE(e.Detail().isEmpty());
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(e.Detail()));
        }
    }

    // Saving settings again works; the damaged file is kept for the user.
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("Software\\Velmoran"), true));
    reg.WriteString(QStringLiteral("Port"), QStringLiteral("COM2"));
    EXPECT_EQ(TRegistry().OpenKeyReadOnly(QStringLiteral("Software\\Velmoran")), true);
    EXPECT_EQ(reg.ReadString(QStringLiteral("Port")), QStringLiteral("COM2"));
    EXPECT_TRUE(QFile::exists(FFile + QStringLiteral(".damaged")));
}

TEST_F(RegistryTest, AnUnwritableStoreThrowsAndKeepsItsContents) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("Software\\Velmoran"), true));
    reg.WriteString(QStringLiteral("Port"), QStringLiteral("COM1"));
    // A directory where the store's temporary file would be renamed to.
    TRegistry::SetStorePath(FDir.path());
    EXPECT_THROW(reg.WriteString(QStringLiteral("Port"), QStringLiteral("COM3")),
                 ERegistryException);
    TRegistry::SetStorePath(FFile);
    EXPECT_EQ(reg.ReadString(QStringLiteral("Port")), QStringLiteral("COM1"));
}

TEST_F(RegistryTest, AStoreThatCannotBeReadOrWrittenIsReportedAsSuch) {
    TRegistry::SetStorePath(FDir.path()); // a folder: present, but no file to read
    try {
        TRegistry().OpenKey(QStringLiteral("Software\\Velmoran"), false);
        ADD_FAILURE() << "read";
    } catch (const ERegistryException& e) {
        ASSERT_TRUE(e.Record()) << e.what();
        EXPECT_EQ(e.Record()->Id, msgRegistryUnreadable);
        ASSERT_FALSE(e.Record()->Args.isEmpty());
        EXPECT_EQ(e.Record()->Args.front().Text(), FDir.path());
    }

    // A store whose folder cannot be made: a file stands where the folder would be.
    WriteStore("{}");
    const QString below = FFile + QStringLiteral("/registry.json");
    TRegistry::SetStorePath(below);
    try {
        TRegistry().OpenKey(QStringLiteral("Software\\Velmoran"), true);
        ADD_FAILURE() << "written";
    } catch (const ERegistryException& e) {
        ASSERT_TRUE(e.Record()) << e.what();
        EXPECT_EQ(e.Record()->Id, msgRegistryUnwritable);
        ASSERT_FALSE(e.Record()->Args.isEmpty());
        EXPECT_EQ(e.Record()->Args.front().Text(), below);
    }
    TRegistry::SetStorePath(FFile);
}

TEST(RegistryDefaults, TheStoreFollowsXdgConfigHome) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/xdg-test");
    EXPECT_EQ(TRegistry::DefaultStorePath(),
              QStringLiteral("/tmp/xdg-test/lumotrix/registry.json"));
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(TRegistry::DefaultStorePath(),
              QDir::homePath() + QStringLiteral("/.config/lumotrix/registry.json"));
    if (!saved.isNull())
        qputenv("XDG_CONFIG_HOME", saved);
}

TEST_F(RegistryTest, ASnapshotReadsTheFileOnceAndWritesStillReachIt) {
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(QStringLiteral("Software\\Velmoran"), true));
        reg.WriteInteger(QStringLiteral("BaudRate"), 9600);
    }
    {
        const TRegistrySnapshot snapshot;
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKeyReadOnly(QStringLiteral("Software\\Velmoran")));
        EXPECT_EQ(reg.ReadInteger(QStringLiteral("BaudRate")), 9600);
        // Another program's change during the operation is not seen: one reading per operation.
        WriteStore("{}");
        EXPECT_EQ(reg.ReadInteger(QStringLiteral("BaudRate")), 9600);
        TRegistry writer;
        ASSERT_TRUE(writer.OpenKey(QStringLiteral("Software\\Velmoran"), true));
        writer.WriteInteger(QStringLiteral("DataBits"), 7);
        EXPECT_EQ(reg.ReadInteger(QStringLiteral("DataBits")), 7);
    }
    TRegistry fresh; // the snapshot's writes reached the file
    ASSERT_TRUE(fresh.OpenKeyReadOnly(QStringLiteral("Software\\Velmoran")));
    EXPECT_EQ(fresh.ReadInteger(QStringLiteral("DataBits")), 7);
    EXPECT_EQ(fresh.ReadInteger(QStringLiteral("BaudRate")), 9600);
}

TEST_F(RegistryTest, KeysAndValuesAreFoundIgnoringCaseAndDuplicatesRefused) {
    WriteStore(R"({"format": "Lumotrix registry", "version": 1, "keys": [
        {"key": "Software\\Velmoran", "values": [{"name": "A", "type": "integer", "data": 1},
                                                   {"name": "a", "type": "integer", "data": 2}]},
        {"key": "Software\\Other", "values": []}]})");
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(QStringLiteral("SOFTWARE\\velmoran")));
    EXPECT_EQ(reg.CurrentPath(), QStringLiteral("Software\\Velmoran"));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("a")), 2); // value names keep their case
    EXPECT_TRUE(reg.DeleteKey(QStringLiteral("\\software\\OTHER")));
    EXPECT_FALSE(reg.KeyExists(QStringLiteral("\\Software\\Other")));
    EXPECT_TRUE(reg.KeyExists(QStringLiteral("\\Software\\Velmoran")));

    WriteStore(R"({"format": "Lumotrix registry", "version": 1, "keys": [
        {"key": "Software\\X", "values": []}, {"key": "software\\x", "values": []}]})");
    EXPECT_THROW(reg.KeyExists(QStringLiteral("Software")), ERegistryException);
    WriteStore(R"({"format": "Lumotrix registry", "version": 1, "keys": [
        {"key": "X", "values": [{"name": "v", "type": "integer", "data": 1},
                                {"name": "v", "type": "string", "data": ""}]}]})");
    EXPECT_THROW(reg.KeyExists(QStringLiteral("X")), ERegistryException);
    // Paths the store never writes would list as children of themselves.
    for (const char* key : {"A\\\\\\\\B", "\\\\A", "HKCU\\\\A", ""}) {
        SCOPED_TRACE(key);
        WriteStore(
            QByteArray(R"({"format": "Lumotrix registry", "version": 1, "keys": [{"key": ")") +
            key + R"(", "values": []}]})");
        EXPECT_THROW(reg.KeyExists(QStringLiteral("A")), ERegistryException);
    }
}

TEST_F(RegistryTest, AnUpdateReachesTheFileOnceAndIsDroppedWhenAbandoned) {
    {
        TRegistryUpdate update;
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(QStringLiteral("Software\\Velmoran"), true));
        reg.WriteString(QStringLiteral("Port"), QStringLiteral("COM3"));
        reg.WriteInteger(QStringLiteral("BaudRate"), 19200);
        EXPECT_FALSE(QFileInfo::exists(FFile)) << "written before the update ended";
        EXPECT_EQ(reg.ReadInteger(QStringLiteral("BaudRate")), 19200); // reads see the update
        update.Commit();
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("Software\\Velmoran"), false));
    EXPECT_EQ(reg.ReadString(QStringLiteral("Port")), QStringLiteral("COM3"));
    try {
        TRegistryUpdate update;
        reg.WriteString(QStringLiteral("Port"), QStringLiteral("COM9"));
        throw Exception(QStringLiteral("a later value was refused"));
    } catch (const Exception&) {
    }
    TRegistry fresh;
    ASSERT_TRUE(fresh.OpenKey(QStringLiteral("Software\\Velmoran"), false));
    EXPECT_EQ(fresh.ReadString(QStringLiteral("Port")), QStringLiteral("COM3"));
}
