#include "LinkFakes.h"
#include "MessageMatch.h"
#include "SampleConfig.h"
#include "link/Dump.h"
#include "link/LinkMessageIds.h"
#include "lumotrix-sim/ControllerProtocol.h"
#include "model/DayNames.h"

#include <gtest/gtest.h>

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

// The image a receive of `config`'s dump produces: day position and port number.
TTimerImage ReceivedImage(const TControllerConfig& config) {
    TTimerImage image = config.Timers;
    for (TimerRecord& r : image)
        r.Day += 1;
    return image;
}

QByteArray SampleDump() {
    TControllerConfig c = SampleConfig();
    for (TimerRecord& r : c.Timers)
        r.Day %= 8;
    return BuildDump(c);
}

// A bench that already holds a configuration from an earlier receive.
struct TFilledBench : TLinkBench {
    TTimerImage Before;
    TPortNames NamesBefore;
    QByteArray TimersBefore, PortsBefore;
    TFilledBench() {
        Link.ReceiveCommand();
        Port.Receive(QByteArray(1, STX));
        Port.Receive(SampleDump());
        Before = Link.TimerImage();
        NamesBefore = Link.PortNames();
        TimersBefore = TimerTable.SaveToBytes();
        PortsBefore = PortTable.SaveToBytes();
        Stored.clear();
        Errors.clear();
        Link.ReceiveCommand(); // closes
        Link.ReceiveCommand(); // listens again, buffer emptied
        Log.Events.clear();
    }
};

void SetField(QByteArray& dump, int offset, const QByteArray& text) {
    dump.replace(offset, text.size(), text);
}

} // namespace

TEST(RxChar, StxBatchesAreDroppedWholeAndProgressFollowsTheBuffer) {
    TLinkBench bench;
    bench.Link.ReceiveCommand();
    bench.Port.Receive(QByteArray(1, STX));
    EXPECT_TRUE(bench.Link.RxBuffer().isEmpty());
    EXPECT_FALSE(bench.ReceiveEnabled); // the first batch disables the command
    bench.Port.Receive("abc");
    bench.Port.Receive(QByteArray("\x02lost", 5));
    bench.Port.Receive(QByteArray("de\x02\x04", 4));
    EXPECT_EQ(bench.Link.RxBuffer(), QByteArray("abcde\x02\x04"));
    EXPECT_EQ(bench.Progress.back(), 7);
}

TEST(ReceiveCommand, ListensThenClosesAndUnlocksBothTimes) {
    TLinkBench bench;
    bench.Link.ReceiveCommand();
    EXPECT_EQ(bench.Log.Events,
              QStringList({"max 1396", "start R", "open", "end R", "disable save/clear"}));
    bench.Port.Receive("leftover");
    bench.Log.Events.clear();
    bench.Link.ReceiveCommand();
    EXPECT_EQ(bench.Log.Events, QStringList({"close", "end R", "disable save/clear"}));
    EXPECT_FALSE(bench.Port.IsOpen());
    EXPECT_EQ(bench.Link.RxBuffer(), "leftover"); // emptied only when the port opens again
    bench.Link.ReceiveCommand();
    EXPECT_TRUE(bench.Link.RxBuffer().isEmpty());

    TLinkBench failing;
    failing.Port.FailOpen = true;
    EXPECT_THROW(failing.Link.ReceiveCommand(), Exception);
    EXPECT_EQ(failing.Log.Events.back(), "disable save/clear");
    EXPECT_EQ(failing.Log.Events[failing.Log.Events.size() - 2], "end R");
}

TEST(Receive, DumpRoundTripsIntoImageNamesAndTemperature) {
    TLinkBench bench;
    bench.Link.ReceiveCommand();
    const TControllerConfig config = SampleConfig();
    bench.Port.Receive(QByteArray(1, STX));
    const QByteArray dump = BuildDump(config);
    ASSERT_EQ(dump.size(), 1425);
    bench.Port.Receive(dump.left(700));
    bench.Port.Receive(dump.mid(700));

    EXPECT_TRUE(bench.Errors.isEmpty()) << bench.Link.LastDumpError().toStdString();
    EXPECT_EQ(bench.Link.TimerImage(), ReceivedImage(config));
    EXPECT_EQ(bench.Link.PortNames()[2], "Luce \xec blu" + QByteArray(32 - 10, ' '));
    ASSERT_EQ(bench.Stored.size(), 1);
    EXPECT_EQ(bench.Stored[0], config.Temperature);
    EXPECT_TRUE(bench.SendEnabled);
    EXPECT_EQ(bench.Log.Events.back(), "end R");
    // The last port field and the ETX stay unread.
    EXPECT_EQ(bench.Link.RxBuffer(), dump.right(5));
    // A later ETX without a new receive fails the length check.
    bench.Port.Receive(QByteArray(1, ETX));
    EXPECT_EQ(bench.Errors, QList<QString>({MessageText(msgSerialError)}));
}

TEST(Receive, RebuildsBothTablesFromTheDump) {
    TFilledBench bench;
    TControllerConfig config = SampleConfig();
    config.PortNames[1] = "  Pompa  ";
    config.Timers[8] = {0, 0, 0, 3, 0, 0, 1, 2};
    bench.Port.Receive(BuildDump(config));
    ASSERT_TRUE(bench.Errors.isEmpty()) << bench.Link.LastDumpError().toStdString();

    TMemData& t = bench.TimerTable;
    ASSERT_EQ(t.RecordCount(), 42);
    EXPECT_EQ(t.CurrentRow(), 0);
    const auto cell = [&](int row, const char* field) {
        return t.CellValue(row, t.FieldIndex(QLatin1String(field)));
    };
    EXPECT_EQ(cell(8, "Timer"), TFieldValue(AnsiString("Timer 09")));
    EXPECT_EQ(cell(9, "Timer"), TFieldValue(AnsiString("Timer 10")));
    EXPECT_EQ(cell(8, "RecId"), TFieldValue(qint32(9)));
    EXPECT_EQ(cell(8, "Giorno"), TFieldValue(AnsiString("Gioved\xEC")));
    EXPECT_EQ(cell(8, "Inizio"), TFieldValue(qint32(0)));
    EXPECT_EQ(cell(8, "Durata"), TFieldValue(qint32(0)));
    EXPECT_EQ(cell(8, "Stato"), TFieldValue(true));
    EXPECT_EQ(cell(8, "Uscita"), TFieldValue(qint32(2)));
    const TimerRecord& r = config.Timers[41];
    EXPECT_EQ(
        cell(41, "Inizio"),
        TFieldValue(qint32(((r.StartHour * 60 + r.StartMinute) * 60 + r.StartSecond) * 1000)));
    EXPECT_EQ(cell(41, "Durata"),
              TFieldValue(qint32((r.DurationHour * 60 + r.DurationMinute) * 60000)));

    TMemData& p = bench.PortTable;
    ASSERT_EQ(p.RecordCount(), 8); // a second receive leaves exactly eight rows
    EXPECT_EQ(p.CellValue(1, p.FieldIndex("Descrizione")),
              TFieldValue(AnsiString("  Pompa  ").leftJustified(32, ' ')));
    EXPECT_EQ(p.CellValue(7, p.FieldIndex("Nporta")), TFieldValue(qint32(8)));

    // What was received goes out again unchanged (day codes and ports back to the wire form).
    bench.Link.Send([&] {
        TSendRequest request;
        request.DelayText = "0";
        request.Temperature = bench.Stored.back();
        return request;
    }());
    TControllerConfig echoed = ParseTransfer(bench.Port.Sent).Config;
    EXPECT_EQ(echoed.Timers, config.Timers);
    EXPECT_EQ(echoed.Temperature, config.Temperature);
}

TEST(Receive, FieldsAsTheControllerMayWriteThem) {
    TControllerConfig config = SampleConfig();
    config.Temperature.PrimaPt = 0; // " -1": nothing chosen
    QByteArray dump = BuildDump(config);
    ASSERT_EQ(dump.mid(1416, 4), "  -1");
    SetField(dump, 27 + 21, "002");     // state 2 is off
    SetField(dump, 27 + 3, "  1");      // leading spaces
    SetField(dump, 1390, "0007");       // sensor: anything but 1 is off
    SetField(dump, 1134, "  Pompa   "); // spaces kept
    const TParsedDump parsed = ParseDump(dump);
    EXPECT_EQ(parsed.Timers[1].Record.IsOn, 0);
    EXPECT_EQ(parsed.Timers[1].Record.StartHour, 1);
    EXPECT_FALSE(parsed.Temperature.SensorEnabled);
    EXPECT_EQ(parsed.Temperature.PrimaPt, 0);
    EXPECT_TRUE(parsed.PortNames[0].startsWith("  Pompa   "));
    EXPECT_EQ(parsed.PortNames[0].size(), 32);
}

TEST(Receive, RecordsGoWhereTheirIndexSays) {
    const TControllerConfig config = SampleConfig();
    QByteArray dump = BuildDump(config);
    // Reverse the records: the image is filled in index order all the same.
    QByteArray reversed;
    for (int r = 41; r >= 0; --r)
        reversed += dump.mid(r * 27, 27);
    TLinkBench bench;
    bench.Link.ReceiveCommand();
    bench.Port.Receive(reversed + dump.mid(1134));
    EXPECT_EQ(bench.Link.TimerImage(), ReceivedImage(config));

    // Index 5 twice, index 6 never: record 7 keeps what it held.
    TFilledBench filled;
    TControllerConfig other = SampleConfig();
    for (TimerRecord& r : other.Timers)
        r.StartSecond = 59 - r.StartSecond;
    QByteArray twice = BuildDump(other);
    SetField(twice, 6 * 27, "005");
    filled.Port.Receive(twice);
    ASSERT_TRUE(filled.Errors.isEmpty()) << filled.Link.LastDumpError().toStdString();
    EXPECT_EQ(filled.Link.TimerImage()[6], filled.Before[6]);
    EXPECT_EQ(filled.Link.TimerImage()[5], ReceivedImage(other)[6]); // the later one wins
    EXPECT_EQ(filled.Link.TimerImage()[7], ReceivedImage(other)[7]);
}

TEST(Receive, BadDumpIsRefusedWholeAndChangesNothing) {
    struct Case {
        const char* name;
        std::function<void(QByteArray&)> spoil;
        const char* reason;
    };
    const QList<Case> cases = {
        {"1424 bytes", [](QByteArray& d) { d.remove(100, 1); }, "1424 bytes"},
        {"1426 bytes", [](QByteArray& d) { d.insert(100, '0'); }, "1426 bytes"},
        {"no ETX last",
         [](QByteArray& d) {
             d.insert(1423, '\x03');
             d.chop(1);
             d[1424] = '0';
         },
         "ETX"},
        {"letter in a timer", [](QByteArray& d) { SetField(d, 27 * 40 + 5, "x"); }, "number"},
        {"trailing space", [](QByteArray& d) { SetField(d, 27 * 3 + 8, " "); }, "number"},
        {"empty field", [](QByteArray& d) { SetField(d, 27 * 3 + 6, "   "); }, "number"},
        {"index 42", [](QByteArray& d) { SetField(d, 27 * 41, "042"); }, "timer index"},
        {"index -1", [](QByteArray& d) { SetField(d, 0, " -1"); }, "timer index"},
        {"day 8", [](QByteArray& d) { SetField(d, 27 * 9 + 12, "008"); }, "day code"},
        {"hour 24", [](QByteArray& d) { SetField(d, 27 * 9 + 3, "024"); }, "start hour"},
        {"minute 60", [](QByteArray& d) { SetField(d, 27 * 9 + 6, "060"); }, "start minute"},
        {"second 60", [](QByteArray& d) { SetField(d, 27 * 9 + 9, "060"); }, "start second"},
        {"duration 24 h", [](QByteArray& d) { SetField(d, 27 * 9 + 15, "024"); }, "duration"},
        {"duration 60 min", [](QByteArray& d) { SetField(d, 27 * 9 + 18, "060"); }, "duration"},
        {"signed temperature", [](QByteArray& d) { SetField(d, 1400, "  -100"); }, "maximum"},
        {"letter in hysteresis", [](QByteArray& d) { SetField(d, 1412, "00a5"); }, "hysteresis"},
        {"last port field", [](QByteArray& d) { SetField(d, 1423, "?"); }, "second port"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFilledBench bench;
        QByteArray dump = SampleDump();
        c.spoil(dump);
        bench.Port.Receive(dump);
        EXPECT_EQ(bench.Errors, QList<QString>({MessageText(msgSerialError)}));
        EXPECT_TRUE(bench.Link.LastDumpError().contains(QLatin1String(c.reason)))
            << bench.Link.LastDumpError().toStdString();
        EXPECT_EQ(bench.Link.TimerImage(), bench.Before);
        EXPECT_EQ(bench.Link.PortNames(), bench.NamesBefore);
        EXPECT_EQ(bench.TimerTable.SaveToBytes(), bench.TimersBefore);
        EXPECT_EQ(bench.PortTable.SaveToBytes(), bench.PortsBefore);
        EXPECT_TRUE(bench.Stored.isEmpty());
        EXPECT_EQ(bench.Link.RxBuffer(), dump); // nothing consumed
        // Unlocked as after a good dump: receive re-enabled by the window's unlock, send on.
        EXPECT_EQ(bench.Log.Events.back(), "end R");
        EXPECT_TRUE(bench.SendEnabled);
    }
}

// The refusal names the record, the field and the offset: what a user reports back.
TEST(Receive, RefusalNamesRecordFieldAndOffset) {
    const auto refusal = [](int offset, const QByteArray& text) {
        QByteArray dump = SampleDump();
        SetField(dump, offset, text);
        try {
            ParseDump(dump);
        } catch (const EReadError& error) {
            EXPECT_TRUE(test::Holds(error, msgDumpRefused)) << error.Message().toStdString();
            return error.Record() ? test::TextArguments(*error.Record()).join(QStringLiteral(" @ "))
                                  : error.Message();
        }
        return QStringLiteral("accepted");
    };
    EXPECT_EQ(refusal(27 * 40 + 15, "1x3"),
              "field 6 of timer record 41 is not a number: \"1x3\" @ 1095");
    EXPECT_EQ(refusal(27 * 2 + 24, "\x01 7"),
              "field 9 of timer record 3 is not a number: \"\\x01 7\" @ 78");
    EXPECT_EQ(refusal(27 * 11 + 12, " 12"),
              "timer record 12: day code is 12, outside 0 to 7 @ 309");
    EXPECT_EQ(refusal(27 * 41 + 18, " 60"),
              "timer record 42: duration minutes is 60, outside 0 to 59 @ 1125");
    EXPECT_EQ(refusal(1394, "  -1.5"), "minimum temperature is not a number: \"  -1.5\" @ 1394");
}

TEST(Receive, EtxAfterASendWithNothingElseIsAnError) {
    TLinkBench bench;
    TPortNames names;
    names.fill("x");
    bench.LoadPorts(names);
    bench.Link.Send([] {
        TSendRequest r;
        r.DelayText = "0";
        return r;
    }());
    bench.Port.Receive(QByteArray(1, ETX));
    EXPECT_EQ(bench.Errors.size(), 1);
    EXPECT_TRUE(bench.Stored.isEmpty());
}
