#include "ComPortTestSupport.h"
#include "runtime/Exception.h"
#include "runtime/MessageIds.h"
#include "runtime/Registry.h"
#include "support/FileBytes.h"
#include "widgets/ComPort.h"
#include "widgets/qt/ComPortSetupDialog.h"

#include <QComboBox>
#include <QFile>
#include <QSerialPortInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace lumotrix;
using namespace lumotrix::comport_test;

namespace {

const QString Key = QStringLiteral("HKEY_CURRENT_USER\\Software\\Velmoran");

// Every test gets a store of its own in a temporary folder.
class ComPortSettings : public ::testing::Test {
protected:
    static void SetUpTestSuite() { App(); }
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        TRegistry::SetStorePath(StoreFile());
    }
    void TearDown() override { TRegistry::SetStorePath(QString()); }
    QString StoreFile() const { return FDir.filePath(QStringLiteral("registry.json")); }

    // Writes values under the key as another program (or an older version) might have.
    static TRegistry StoredKey() {
        TRegistry registry;
        EXPECT_TRUE(registry.OpenKey(Key, true));
        return registry;
    }

    // The message LoadSettings refuses with; "loaded" when it does not.
    static QString LoadFailure(TComPort& port, quint16* reason = nullptr) {
        try {
            port.LoadSettings(TStoreType::stRegistry, Key);
        } catch (const EComPortError& e) {
            if (reason && e.Record() && !e.Record()->Args.isEmpty()) {
                const TMessage* inner = e.Record()->Args.back().Message();
                *reason = inner ? inner->Id : 0;
            }
            return e.Message();
        }
        return QStringLiteral("loaded");
    }

    static TComSettings OtherSettings() {
        TComSettings s;
        s.Port = QStringLiteral("/dev/ttyUSB1");
        s.BaudRate = 19200;
        s.DataBits = 7;
        s.Parity = TParityBits::prEven;
        s.StopBits = TStopBits::sbTwoStopBits;
        s.FlowControl.OutCTSFlow = true;
        s.FlowControl.ControlRTS = TRTSFlowControl::rtsHandshake;
        s.FlowControl.ControlDTR = TDTRFlowControl::dtrEnable;
        return s;
    }

private:
    QTemporaryDir FDir;
};

} // namespace

TEST_F(ComPortSettings, StoredSettingsComeBackInAFreshPort) {
    {
        TComPort port;
        port.SetSettings(OtherSettings());
        port.StoreSettings(TStoreType::stRegistry, Key);
    }
    TComPort restarted;
    EXPECT_TRUE(restarted.LoadSettings(TStoreType::stRegistry, Key));
    EXPECT_EQ(restarted.Settings(), OtherSettings());

    // One key, readable values; the key names the same place with or without its root.
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(QStringLiteral("Software\\Velmoran")));
    EXPECT_EQ(registry.ReadString(QStringLiteral("Port")), QStringLiteral("/dev/ttyUSB1"));
    EXPECT_EQ(registry.ReadInteger(QStringLiteral("BaudRate")), 19200);
    EXPECT_EQ(registry.ReadString(QStringLiteral("Parity")), QStringLiteral("prEven"));
    EXPECT_TRUE(registry.GetKeyNames().isEmpty());
    TComPort viaShortKey;
    EXPECT_TRUE(viaShortKey.LoadSettings(TStoreType::stRegistry, "HKCU\\Software\\Velmoran"));
    EXPECT_EQ(viaShortKey.Port(), QStringLiteral("/dev/ttyUSB1"));

    // Storing again replaces the set.
    restarted.SetBaudRate(115200);
    restarted.StoreSettings(TStoreType::stRegistry, Key);
    TComPort third;
    third.LoadSettings(TStoreType::stRegistry, Key);
    EXPECT_EQ(third.BaudRate(), 115200);
}

TEST_F(ComPortSettings, NothingStoredKeepsTheCurrentSettings) {
    TComPort port;
    EXPECT_FALSE(port.LoadSettings(TStoreType::stRegistry, Key)); // no store file at all
    EXPECT_EQ(port.Settings(), TComSettings{});

    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(QStringLiteral("Software\\Other"), true));
    registry.WriteString(QStringLiteral("Port"), QStringLiteral("COM7"));
    port.SetBaudRate(4800);
    EXPECT_FALSE(port.LoadSettings(TStoreType::stRegistry, Key)); // a store without the key
    EXPECT_EQ(port.Port(), QStringLiteral("COM1"));
    EXPECT_EQ(port.BaudRate(), 4800);

    // A key with only some values (an older version's) changes only those.
    StoredKey().WriteString(QStringLiteral("Port"), QStringLiteral("COM2"));
    EXPECT_TRUE(port.LoadSettings(TStoreType::stRegistry, Key));
    EXPECT_EQ(port.Port(), QStringLiteral("COM2"));
    EXPECT_EQ(port.BaudRate(), 4800);
}

TEST_F(ComPortSettings, DamagedStoreIsReportedAndChangesNothing) {
    test::WriteFileBytes(StoreFile(), "{\"keys\": [ this is not");

    TComPort port;
    const QString message = LoadFailure(port);
    EXPECT_TRUE(message.contains(Key)) << message.toStdString();
    EXPECT_TRUE(message.contains(StoreFile())) << message.toStdString();
    EXPECT_EQ(port.Settings(), TComSettings{});

    // The user can still save, and what was saved comes back.
    port.SetSettings(OtherSettings());
    port.StoreSettings(TStoreType::stRegistry, Key);
    TComPort restarted;
    EXPECT_TRUE(restarted.LoadSettings(TStoreType::stRegistry, Key));
    EXPECT_EQ(restarted.Settings(), OtherSettings());
}

TEST_F(ComPortSettings, AStoredValueThatIsRefusedRefusesTheWholeSet) {
    struct TCase {
        const char* Name;
        std::function<void(TRegistry&)> Spoil;
        const char* Shown;  // what the message must show
        quint16 Reason = 0; // the reason it must give, where that is no value to show
    };
    const QList<TCase> cases{
        {"speed", [](TRegistry& r) { r.WriteInteger("BaudRate", 12345); }, "12345"},
        {"negative speed", [](TRegistry& r) { r.WriteInteger("BaudRate", -9600); }, "-9600"},
        {"data bits", [](TRegistry& r) { r.WriteInteger("DataBits", 9); }, "9"},
        {"parity", [](TRegistry& r) { r.WriteString("Parity", "prSome"); }, "prSome"},
        {"stop bits", [](TRegistry& r) { r.WriteString("StopBits", ""); }, "StopBits"},
        {"flow flag", [](TRegistry& r) { r.WriteInteger("OutCTSFlow", 7); }, "OutCTSFlow"},
        {"line control", [](TRegistry& r) { r.WriteString("ControlDTR", "on"); }, "ControlDTR"},
        {"type", [](TRegistry& r) { r.WriteString("BaudRate", "9600"); }, "BaudRate"},
        {"empty port", [](TRegistry& r) { r.WriteString("Port", "  "); }, "",
         msgSettingsPortMissing},
        {"control in port", [](TRegistry& r) { r.WriteString("Port", "CO\tM1"); }, "CO\tM1"},
    };
    TComPort writer;
    writer.SetSettings(OtherSettings());
    writer.StoreSettings(TStoreType::stRegistry, Key);
    const QString pristine = StoreFile() + QStringLiteral(".pristine");
    ASSERT_TRUE(QFile::copy(StoreFile(), pristine));
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        QFile::remove(StoreFile());
        ASSERT_TRUE(QFile::copy(pristine, StoreFile()));
        TRegistry registry = StoredKey();
        c.Spoil(registry);

        TComPort port;
        port.SetDataBits(6);
        TComSettings before = port.Settings();
        quint16 reason = 0;
        const QString message = LoadFailure(port, &reason);
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.Shown))) << message.toStdString();
        if (c.Reason != 0) {
            EXPECT_EQ(reason, c.Reason) << message.toStdString();
        }
        EXPECT_TRUE(message.contains(Key)) << message.toStdString();
        EXPECT_EQ(port.Settings(), before); // not even the port name was taken
    }
}

TEST_F(ComPortSettings, OnlyTheUsersHiveIsAvailable) {
    TComPort port;
    for (const QString& key : {QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Velmoran"),
                               QStringLiteral("HKEY_CURRENT_USER"), QString()}) {
        SCOPED_TRACE(key.toStdString());
        EXPECT_THROW(port.StoreSettings(TStoreType::stRegistry, key), EComPortError);
        EXPECT_THROW(port.LoadSettings(TStoreType::stRegistry, key), EComPortError);
    }
    EXPECT_FALSE(QFile::exists(StoreFile())); // nothing written
}

TEST_F(ComPortSettings, AStoreThatCannotBeWrittenIsReported) {
    TRegistry::SetStorePath(QStringLiteral("/proc/lumotrix-no-such-folder/registry.json"));
    TComPort port;
    try {
        port.StoreSettings(TStoreType::stRegistry, Key);
        ADD_FAILURE() << "stored";
    } catch (const EComPortError& e) {
        EXPECT_TRUE(e.Message().contains(Key)) << e.what();
    }
}

TEST_F(ComPortSettings, LoadingIntoAnOpenPortMovesItToTheStoredPort) {
    TPty first, second;
    ASSERT_FALSE(first.Path.isEmpty());
    ASSERT_FALSE(second.Path.isEmpty());
    {
        TComPort writer;
        writer.SetPort(second.Path);
        writer.SetBaudRate(38400);
        writer.StoreSettings(TStoreType::stRegistry, Key);
    }
    TComPort port;
    port.SetPort(first.Path);
    int opened = 0, closed = 0;
    port.OnAfterOpen = [&](TObject*) { ++opened; };
    port.OnAfterClose = [&](TObject*) { ++closed; };
    port.Open();
    ASSERT_TRUE(port.LoadSettings(TStoreType::stRegistry, Key));
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(closed, 1);
    port.WriteStr("hi");
    EXPECT_EQ(second.Read(), "hi");
    EXPECT_EQ(first.Read(100), "");

    // The same port with another speed stays open: the speed is applied in place.
    port.SetBaudRate(9600);
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(port.IsOpen());
}

TEST_F(ComPortSettings, SetupDialogOffersThePortsPresentAndTheCurrentOne) {
    TPty pty;
    TComPort port;
    port.SetPort(pty.Path);
    TComPortSetupDialog dialog;
    dialog.Load(port.Settings());
    QStringList offered;
    for (int i = 0; i < dialog.PortBox()->count(); ++i)
        offered << dialog.PortBox()->itemText(i);
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        EXPECT_TRUE(offered.contains(info.systemLocation())) << info.systemLocation().toStdString();
    EXPECT_TRUE(offered.contains(pty.Path));
    EXPECT_EQ(offered.count(pty.Path), 1);
    EXPECT_EQ(dialog.PortBox()->currentText(), pty.Path);
    EXPECT_TRUE(dialog.PortBox()->isEditable()); // a device path can be typed in
    EXPECT_EQ(dialog.BaudRateBox()->count(), StandardBaudRates().size());
}

TEST_F(ComPortSettings, ShowSetupDialogAppliesOnlyWhenConfirmed) {
    TComPort port;
    const auto answer = [](bool confirm) {
        QTimer::singleShot(0, [confirm] {
            auto* dialog = qobject_cast<TComPortSetupDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->PortBox()->setCurrentText(QStringLiteral("/dev/ttyACM0"));
            dialog->BaudRateBox()->setCurrentText(QStringLiteral("57600"));
            dialog->ParityBox()->setCurrentIndex(int(TParityBits::prOdd));
            confirm ? dialog->accept() : dialog->reject();
        });
    };
    answer(false);
    EXPECT_FALSE(port.ShowSetupDialog());
    EXPECT_EQ(port.Settings(), TComSettings{});

    answer(true);
    EXPECT_TRUE(port.ShowSetupDialog());
    EXPECT_EQ(port.Port(), QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(port.BaudRate(), 57600);
    EXPECT_EQ(port.Parity(), TParityBits::prOdd);
    EXPECT_EQ(port.DataBits(), 8);
    // Edited, not stored.
    EXPECT_FALSE(QFile::exists(StoreFile()));
}
