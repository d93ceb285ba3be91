#include "model/TableRecords.h"
#include "model/ConfigTables.h"
#include "runtime/Exception.h"

#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

struct Tables {
    TMemData Timers{QStringLiteral("MemData1")};
    TMemData Ports{QStringLiteral("MemData2")};
    TDayNames Days;
    Tables() {
        DefineTimerTable(Timers);
        DefinePortTable(Ports);
        Days.Fill();
    }
    void AddTimer(const char* day, TFieldValue port, qint32 start, qint32 duration, bool on) {
        Timers.AppendRecord(
            {TFieldValue(), AnsiString("t"), port, AnsiString(day), start, duration, on});
    }
};

} // namespace

TEST(RetrieveMemData, WalksFortyTwoStepsRepeatingTheLastRow) {
    Tables t;
    t.AddTimer("Luned\xEC", qint32(3), EncodeTime(8, 30, 0, 999), EncodeTime(1, 15, 59), true);
    t.AddTimer("luned\xEC", TFieldValue(), EncodeTime(23, 59, 59), 0, false); // case differs
    t.AddTimer("Tutti i giorni", qint32(8), 0, EncodeTime(2, 0, 0), false);
    TTimerImage image{};
    RetrieveMemData(t.Timers, t.Days, image);
    EXPECT_EQ(image[0], (TimerRecord{8, 30, 0, 0, 1, 15, 1, 3})); // ms and seconds dropped
    EXPECT_EQ(image[1], (TimerRecord{23, 59, 59, 8, 0, 0, 0, 0}));
    for (int k = 2; k < 42; ++k)
        EXPECT_EQ(image[k], (TimerRecord{0, 0, 0, 7, 2, 0, 0, 8})) << k;
    EXPECT_EQ(t.Timers.CurrentRow(), 0);

    Tables empty;
    image.fill(TimerRecord{1, 1, 1, 1, 1, 1, 1, 1});
    RetrieveMemData(empty.Timers, empty.Days, image);
    for (const TimerRecord& r : image)
        EXPECT_EQ(r, (TimerRecord{0, 0, 0, 8, 0, 0, 0, 0}));
}

TEST(BuildTimerRows, RefusesBeforeTouchingTheTable) {
    Tables t;
    TTimerImage image{};
    for (TimerRecord& r : image)
        r.Day = 1;
    ReplaceRows(t.Timers, BuildTimerRows(t.Timers, image, t.Days));
    const QByteArray before = t.Timers.SaveToBytes();
    image[30].StartMinute = 60;
    EXPECT_THROW(BuildTimerRows(t.Timers, image, t.Days), EConvertError);
    image[30].StartMinute = 0;
    image[30].OutputPort = 40000; // no 16-bit port number
    EXPECT_THROW(BuildTimerRows(t.Timers, image, t.Days), Exception);
    EXPECT_EQ(t.Timers.SaveToBytes(), before);

    // A day position with no name gives an empty day, not an error.
    image[30].OutputPort = 1;
    image[30].Day = 0;
    const TTableRows rows = BuildTimerRows(t.Timers, image, t.Days);
    EXPECT_EQ(rows[30][3], TFieldValue());
    EXPECT_EQ(rows[29][3], TFieldValue(AnsiString("Luned\xEC")));
}

TEST(ReadPortNames, InPortNumberOrder) {
    Tables t;
    TPortNames names;
    for (int p = 0; p < 8; ++p)
        names[p] = "P" + AnsiString::number(p + 1);
    ReplaceRows(t.Ports, BuildPortRows(t.Ports, names));
    EXPECT_EQ(ReadPortNames(t.Ports), QList<AnsiString>(names.begin(), names.end()));
    Tables none;
    EXPECT_TRUE(ReadPortNames(none.Ports).isEmpty());
}
