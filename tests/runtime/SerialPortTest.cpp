#include "runtime/SerialPort.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

// A port whose line is the test: every batch goes through the one receive contract.
class TLinePort : public TSerialPort {
public:
    void Open() override {}
    void Close() override {}
    bool IsOpen() const override { return true; }
    void WriteStr(const QByteArray&) override {}
    bool Line(const QByteArray& batch) { return Deliver(batch); }
};

// What the handlers saw, in order: "char N" with the count waiting, "flag".
struct TReceiveLog {
    QStringList Events;
    QByteArray Taken;
    void Bind(TLinePort& port, bool takeAll) {
        port.OnRxChar = [this, &port, takeAll](int count) {
            Events << QStringLiteral("char %1").arg(count);
            if (takeAll)
                Taken += port.ReadStr(count);
        };
        port.OnRxFlag = [this] { Events << QStringLiteral("flag"); };
    }
};

} // namespace

TEST(SerialPort, NulBytesNeverReachTheReaderAndAnAllNulBatchRaisesNothing) {
    TLinePort port;
    TReceiveLog log;
    log.Bind(port, true);
    EXPECT_FALSE(port.Line(QByteArray(3, '\0')));
    EXPECT_TRUE(log.Events.isEmpty());
    EXPECT_TRUE(port.Line(QByteArray("a\0b\0", 4)));
    EXPECT_EQ(log.Taken, "ab");
    EXPECT_EQ(log.Events, QStringList{"char 2"});

    // Kept when asked to.
    port.SetDiscardNull(false);
    port.Line(QByteArray("c\0", 2));
    EXPECT_EQ(log.Taken, QByteArray("abc\0", 4));
}

TEST(SerialPort, TheFlagFollowsTheBatchHoldingTheEventByteEvenWhenAllWasTaken) {
    TLinePort port;
    TReceiveLog log;
    log.Bind(port, true);
    port.Line("12");
    port.Line("3\x03"
              "4");
    port.Line("5");
    EXPECT_EQ(log.Events, (QStringList{"char 2", "char 3", "flag", "char 1"}));
    EXPECT_EQ(log.Taken, "123\x03"
                         "45");

    // Another event byte: 0x03 is then plain data.
    port.SetEventChar('\n');
    log.Events.clear();
    port.Line("\x03");
    port.Line("x\n");
    EXPECT_EQ(log.Events, (QStringList{"char 1", "char 2", "flag"}));
}

TEST(SerialPort, BytesNotTakenWaitAndAreCountedWithTheNextBatch) {
    TLinePort port;
    TReceiveLog log;
    log.Bind(port, false);
    port.Line("abc");
    port.Line("de");
    EXPECT_EQ(log.Events, (QStringList{"char 3", "char 5"}));
    EXPECT_EQ(port.InputCount(), 5);
    EXPECT_EQ(port.ReadStr(2), "ab");
    EXPECT_EQ(port.ReadStr(-1), "");
    EXPECT_EQ(port.ReadStr(10), "cde");
    EXPECT_EQ(port.InputCount(), 0);
}
