#include "model/WeekModel.h"

#include "MessageMatch.h"
#include "model/ConfigTables.h"
#include "model/Configuration.h"
#include "model/TableRecords.h"
#include "runtime/MessageIds.h"
#include "support/PrintQString.h"

#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

const char* const Lun = "Luned\xEC";
const char* const Mar = "Marted\xEC";
const char* const Sab = "Sabato";
const char* const Dom = "Domenica";
const char* const Tutti = "Tutti i giorni";

struct TTimer {
    const char* Day;
    const char* Start;    // "hh:mm:ss"
    const char* Duration; // "hh:mm" or "hh:mm:ss"
    bool On = true;
    int Port = 1;
    const char* Label = nullptr; // "Timer nn" by row when null
};

qint32 Msecs(const char* text) {
    const QList<QByteArray> parts = QByteArray(text).split(':');
    return parts[0].toInt() * 3600000 + parts[1].toInt() * 60000 +
           (parts.size() > 2 ? parts[2].toInt() * 1000 : 0);
}

// A configuration with eight named ports and the given timers in row order.
struct TWeekConfig {
    TConfiguration Config;
    explicit TWeekConfig(const std::vector<TTimer>& timers) {
        TPortNames names;
        for (int p = 0; p < PortCount; ++p)
            names[std::size_t(p)] = "Porta " + AnsiString::number(p + 1) + "   ";
        names[0] = "Luci  ";
        ReplaceRows(Config.Ports, BuildPortRows(Config.Ports, names));
        for (std::size_t i = 0; i < timers.size(); ++i) {
            const TTimer& t = timers[i];
            Config.Timers.AppendRecord(
                {TFieldValue(), t.Label ? AnsiString(t.Label) : TimerLabel(int(i) + 1),
                 qint32(t.Port), AnsiString(t.Day), Msecs(t.Start), Msecs(t.Duration), t.On});
        }
    }
    TWeekModel Build(const TTemperatureSettings& temperature = {}) {
        return BuildWeekModel(Config, temperature);
    }
};

// "day: from-to rows, ... = total" for each day the port is on, "!" marking an overlap.
QString Describe(const TWeekPort& port) {
    QStringList days;
    for (int d = 0; d < WeekDayCount; ++d) {
        QStringList intervals;
        for (const TWeekInterval& i : port.Days[std::size_t(d)]) {
            QStringList rows;
            for (const TWeekTimer& t : i.Timers)
                rows << QString::number(t.Row);
            intervals << QStringLiteral("%1-%2 %3%4")
                             .arg(WeekTimeText(i.From), WeekTimeText(i.To), rows.join(','),
                                  i.Overlapping ? QStringLiteral("!") : QString());
        }
        if (!intervals.isEmpty())
            days << QStringLiteral("%1: %2 = %3")
                        .arg(d + 1)
                        .arg(intervals.join(QStringLiteral(", ")),
                             WeekTimeText(port.Daily[std::size_t(d)]));
        else if (port.Daily[std::size_t(d)] != 0)
            days << QStringLiteral("%1: total without intervals").arg(d + 1);
    }
    return days.join(QStringLiteral("; "));
}

struct TIntervalCase {
    const char* Name;
    std::vector<TTimer> Timers;
    const char* Port1;
};

TEST(WeekModel, IntervalsSplitAtMidnightMergeAndTotal) {
    const TIntervalCase cases[] = {
        {"past midnight",
         {{Sab, "22:00:00", "04:00"}},
         "6: 22:00:00-24:00:00 1 = 02:00:00; 7: 00:00:00-02:00:00 1 = 02:00:00"},
        {"Sunday continues on Monday",
         {{Dom, "23:30:00", "01:00"}},
         "1: 00:00:00-00:30:00 1 = 00:30:00; 7: 23:30:00-24:00:00 1 = 00:30:00"},
        {"ends exactly at midnight",
         {{Lun, "20:00:00", "04:00"}},
         "1: 20:00:00-24:00:00 1 = 04:00:00"},
        {"every day, start seconds kept, duration seconds dropped as sent",
         {{Tutti, "08:30:15", "10:30:59"}},
         "1: 08:30:15-19:00:15 1 = 10:30:00; 2: 08:30:15-19:00:15 1 = 10:30:00; "
         "3: 08:30:15-19:00:15 1 = 10:30:00; 4: 08:30:15-19:00:15 1 = 10:30:00; "
         "5: 08:30:15-19:00:15 1 = 10:30:00; 6: 08:30:15-19:00:15 1 = 10:30:00; "
         "7: 08:30:15-19:00:15 1 = 10:30:00"},
        {"overlapping merge, counted once",
         {{Lun, "09:00:00", "02:00"}, {Lun, "08:00:00", "02:00"}, {Lun, "12:00:00", "01:00"}},
         "1: 08:00:00-11:00:00 1,2!, 12:00:00-13:00:00 3 = 04:00:00"},
        {"touching merge without overlap",
         {{Lun, "10:00:00", "01:00"}, {Lun, "08:00:00", "02:00"}},
         "1: 08:00:00-11:00:00 1,2 = 03:00:00"},
        {"a chain merges though its ends do not overlap",
         {{Lun, "08:00:00", "02:00"}, {Lun, "11:00:00", "02:00"}, {Lun, "09:30:00", "02:00"}},
         "1: 08:00:00-13:00:00 1,2,3! = 05:00:00"},
        {"past midnight meets the next day's own interval",
         {{Lun, "23:00:00", "02:00"}, {Mar, "01:00:00", "01:00"}},
         "1: 23:00:00-24:00:00 1 = 01:00:00; 2: 00:00:00-02:00:00 1,2 = 02:00:00"},
        {"off, zero, other port, bad day and no port switch nothing here",
         {{Lun, "08:00:00", "02:00", false},
          {Lun, "08:00:00", "00:00"},
          {Lun, "08:00:00", "00:00:59"},
          {Lun, "08:00:00", "02:00", true, 2},
          {"lunedi", "08:00:00", "02:00"},
          {Lun, "08:00:00", "02:00", true, 9}},
         ""},
        {"longer than a day runs on, meeting itself without overlap",
         {{Sab, "12:00:00", "50:00"}, {Tutti, "00:00:00", "30:00", true, 1}},
         "1: 00:00:00-24:00:00 1,2! = 24:00:00; 2: 00:00:00-24:00:00 2 = 24:00:00; "
         "3: 00:00:00-24:00:00 2 = 24:00:00; 4: 00:00:00-24:00:00 2 = 24:00:00; "
         "5: 00:00:00-24:00:00 2 = 24:00:00; 6: 00:00:00-24:00:00 1,2! = 24:00:00; "
         "7: 00:00:00-24:00:00 1,2! = 24:00:00"},
    };
    for (const TIntervalCase& c : cases) {
        TWeekConfig config(c.Timers);
        const TWeekModel week = config.Build();
        EXPECT_EQ(Describe(week.Ports[0]), QString::fromLatin1(c.Port1)) << c.Name;
        for (int p = 0; p < PortCount; ++p)
            EXPECT_EQ(week.Ports[std::size_t(p)].Number, p + 1);
        EXPECT_EQ(week.Ports[0].Name, AnsiString("Luci")) << "trailing blanks stay";
    }
}

struct TExpectedProblem {
    TWeekProblemKind Kind;
    std::vector<int> Rows;
    std::vector<int> Ports;
    quint16 Message;
    QStringList Arguments; // labels, rows, ports and names, as the message names them
};

TEST(WeekModel, ProblemsInOrderOfKindThenRowNamingTimersAndPorts) {
    TWeekConfig config({
        {Lun, "08:00:00", "02:30", true, 3, "Riscaldo"}, // 1: regulated port 3, overlaps 4
        {Mar, "08:00:00", "00:00", true, 2},             // 2: zero duration
        {"Lunedi", "08:00:00", "01:00", true, 9},        // 3: no port, bad day
        {Lun, "10:00:00", "01:00", true, 3, ""},         // 4: overlaps 1 and 5
        {Lun, "10:30:00", "01:00", true, 3},             // 5
        {Lun, "11:30:00", "01:00", true, 3},             // 6: touches 5 only
        {Lun, "08:00:00", "00:00", false, 0},            // 7: off, nothing
        {Lun, "07:00:00", "01:00", true, 4},             // 8: regulated port 4
        {Lun, "06:00:00", "01:00", true, 5},             // 9: port 5, no port row
    });
    config.Config.Ports.SetRecNo(5);
    config.Config.Ports.Delete();
    TTemperatureSettings temperature;
    temperature.SensorEnabled = true;
    temperature.PrimaPt = 4;
    temperature.SecondaPt = 3;
    const TWeekModel week = config.Build(temperature);

    const QString r = QStringLiteral("Riscaldo"), p3 = QStringLiteral("Porta 3");
    const TExpectedProblem expected[] = {
        {TWeekProblemKind::ZeroDuration,
         {2},
         {2},
         msgWeekZeroDuration,
         {"Timer 02", "2", "2", "Porta 2"}},
        {TWeekProblemKind::NoPort, {3}, {9}, msgWeekNoPort, {"Timer 03", "3", "9"}},
        {TWeekProblemKind::NoPort, {9}, {5}, msgWeekNoPort, {"Timer 09", "9", "5"}},
        {TWeekProblemKind::BadDay, {3}, {}, msgWeekBadDay, {"Timer 03", "3", "Lunedi"}},
        {TWeekProblemKind::Overlap, {1, 4}, {3}, msgWeekOverlap, {r, "1", "4", "3", p3}},
        {TWeekProblemKind::Overlap, {4, 5}, {3}, msgWeekOverlap, {"4", "Timer 05", "5", "3", p3}},
        {TWeekProblemKind::RegulatedPort,
         {1, 4, 5, 6},
         {3},
         msgWeekRegulatedPort,
         {"3", p3, r, "1", "4", "Timer 05", "5", "Timer 06", "6"}},
        {TWeekProblemKind::RegulatedPort,
         {8},
         {4},
         msgWeekRegulatedPort,
         {"4", "Porta 4", "Timer 08", "8"}},
    };
    ASSERT_EQ(week.Problems.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const TWeekProblem& got = week.Problems[i];
        const TExpectedProblem& want = expected[i];
        std::vector<int> rows;
        for (const TWeekTimer& t : got.Timers)
            rows.push_back(t.Row);
        EXPECT_EQ(got.Kind, want.Kind) << i;
        EXPECT_EQ(rows, want.Rows) << i;
        EXPECT_EQ(got.Ports, want.Ports) << i;
        const TMessage message = WeekProblemMessage(got, week);
        EXPECT_EQ(message.Id, want.Message) << i;
        EXPECT_EQ(test::TextArguments(message), want.Arguments) << i;
    }
    // An empty label is named by its row alone.
    EXPECT_TRUE(test::Holds(WeekProblemMessage(week.Problems[4], week), msgWeekTimerNoLabel));

    EXPECT_TRUE(week.Ports[2].Regulated);
    EXPECT_TRUE(week.Ports[3].Regulated);
    EXPECT_FALSE(week.Ports[1].Regulated);
    EXPECT_EQ(week.Ports[4].Name, AnsiString()) << "port 5 has no row";
    EXPECT_EQ(Describe(week.Ports[4]), "1: 06:00:00-07:00:00 9 = 01:00:00")
        << "the controller switches a port without a name row";
    EXPECT_EQ(Describe(week.Ports[2]), "1: 08:00:00-12:30:00 1,4,5,6! = 04:30:00");
    EXPECT_TRUE(week.Ports[3].IsProblem(week.Ports[3].Days[0].front()));

    // With the sensor off nothing is regulated, and the overlaps stay.
    temperature.SensorEnabled = false;
    const TWeekModel unregulated = config.Build(temperature);
    EXPECT_FALSE(unregulated.Ports[2].Regulated);
    EXPECT_FALSE(unregulated.Ports[3].IsProblem(unregulated.Ports[3].Days[0].front()));
    EXPECT_EQ(unregulated.Problems.size(), std::size(expected) - 2);
    EXPECT_EQ(unregulated.Problems.back().Kind, TWeekProblemKind::Overlap);
}

} // namespace
