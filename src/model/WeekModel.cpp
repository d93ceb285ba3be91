#include "model/WeekModel.h"

#include "model/ConfigTables.h"
#include "model/Configuration.h"
#include "runtime/MessageIds.h"

#include <algorithm>
#include <utility>

namespace lumotrix {
namespace {

constexpr int MSecsPerMinute = 60 * 1000;

// One timer row as the week reads it.
struct TTimerRow {
    TWeekTimer Timer;
    int Port = 0;
    AnsiString Day;
    int Start = 0;    // seconds; milliseconds dropped as the send drops them
    int Duration = 0; // seconds, whole minutes: the controller receives hours and minutes
    bool On = false;
};

class TTimerReader {
public:
    explicit TTimerReader(const TMemData& table)
        : FTable(table), FLabel(Index(Field::Timer)), FPort(Index(Field::Uscita)),
          FDay(Index(Field::Giorno)), FStart(Index(Field::Inizio)), FDuration(Index(Field::Durata)),
          FOn(Index(Field::Stato)) {}

    TTimerRow Read(int row) const {
        TTimerRow r;
        r.Timer = {row + 1, ValueAsString(Def(FLabel), Cell(row, FLabel))};
        r.Port = ValueAsInteger(Def(FPort), Cell(row, FPort));
        r.Day = ValueAsString(Def(FDay), Cell(row, FDay));
        r.Start = ValueAsTime(Def(FStart), Cell(row, FStart)) / 1000;
        r.Duration = ValueAsTime(Def(FDuration), Cell(row, FDuration)) / MSecsPerMinute * 60;
        r.On = ValueAsBoolean(Def(FOn), Cell(row, FOn));
        return r;
    }

private:
    int Index(QLatin1String field) const { return FTable.FieldIndex(field); }
    const TFieldDef& Def(int field) const { return FTable.FieldDefs()[std::size_t(field)]; }
    const TFieldValue& Cell(int row, int field) const { return FTable.CellValue(row, field); }

    const TMemData& FTable;
    int FLabel, FPort, FDay, FStart, FDuration, FOn;
};

// A timer's own stretch on one day, before merging.
struct TPiece {
    int From = 0;
    int To = 0;
    std::size_t Timer = 0; // index into the contributing timers
};

using TDayPieces = std::array<std::vector<TPiece>, WeekDayCount>;

// Lays the interval from `start` for `duration` seconds on `day` (0 = Monday), carrying what
// passes midnight into the next day, Sunday into Monday.
void LayInterval(TDayPieces& days, int day, int start, int duration, std::size_t timer) {
    while (duration > 0) {
        const int end = std::min(start + duration, SecondsPerDay);
        days[std::size_t(day)].push_back({start, end, timer});
        duration -= end - start;
        start = 0;
        day = (day + 1) % WeekDayCount;
    }
}

// Name of each port 1..PortCount that has a port row (the first row with its number).
struct TPortRows {
    std::array<bool, PortCount> Present{};
    std::array<AnsiString, PortCount> Names;
};

TPortRows ReadPorts(const TMemData& ports) {
    TPortRows result;
    const int number = ports.FieldIndex(Field::Nporta);
    const int name = ports.FieldIndex(Field::Descrizione);
    if (number < 0 || name < 0)
        return result;
    const TFieldDef& numberDef = ports.FieldDefs()[std::size_t(number)];
    const TFieldDef& nameDef = ports.FieldDefs()[std::size_t(name)];
    for (int row = 0; row < ports.RecordCount(); ++row) {
        const int n = ValueAsInteger(numberDef, ports.CellValue(row, number));
        if (n < 1 || n > PortCount || result.Present[std::size_t(n - 1)])
            continue;
        result.Present[std::size_t(n - 1)] = true;
        result.Names[std::size_t(n - 1)] =
            PortNameWithoutFill(ValueAsString(nameDef, ports.CellValue(row, name)));
    }
    return result;
}

using TPairs = std::vector<std::pair<std::size_t, std::size_t>>;

// Sorted, each once.
template <typename T> void SortUnique(std::vector<T>& items) {
    std::sort(items.begin(), items.end());
    items.erase(std::unique(items.begin(), items.end()), items.end());
}

// Merges one port's pieces of one day into its intervals, collecting the pairs of timers that
// overlap (as indices into `timers`, which are in row order) and the timers that switch.
void MergeDay(std::vector<TPiece>& pieces, const std::vector<TWeekTimer>& timers,
              std::vector<TWeekInterval>& intervals, TPairs& overlaps,
              std::vector<std::size_t>& switching) {
    std::sort(pieces.begin(), pieces.end(), [](const TPiece& a, const TPiece& b) {
        return a.From != b.From ? a.From < b.From : a.Timer < b.Timer;
    });
    std::vector<std::size_t> members;
    std::size_t first = 0;
    while (first < pieces.size()) {
        // The group of pieces that overlap or touch the growing interval.
        std::size_t last = first + 1;
        int to = pieces[first].To;
        while (last < pieces.size() && pieces[last].From <= to)
            to = std::max(to, pieces[last++].To);
        TWeekInterval interval;
        interval.From = pieces[first].From;
        interval.To = to;
        members.clear();
        for (std::size_t i = first; i < last; ++i) {
            const TPiece& a = pieces[i];
            members.push_back(a.Timer);
            // The pieces after it start no earlier: once one starts at its end, all do.
            for (std::size_t j = i + 1; j < last && pieces[j].From < a.To; ++j) {
                // A timer meeting itself (a run longer than a day) is no conflict.
                if (pieces[j].Timer == a.Timer)
                    continue;
                interval.Overlapping = true;
                overlaps.push_back(std::minmax(a.Timer, pieces[j].Timer));
            }
        }
        SortUnique(members);
        for (std::size_t m : members)
            interval.Timers.push_back(timers[m]);
        switching.insert(switching.end(), members.begin(), members.end());
        intervals.push_back(std::move(interval));
        first = last;
    }
}

} // namespace

const char* WeekProblemKindName(TWeekProblemKind kind) {
    switch (kind) {
    case TWeekProblemKind::ZeroDuration:
        return "zero-duration";
    case TWeekProblemKind::NoPort:
        return "no-port";
    case TWeekProblemKind::BadDay:
        return "bad-day";
    case TWeekProblemKind::Overlap:
        return "overlap";
    case TWeekProblemKind::RegulatedPort:
        return "regulated-port";
    }
    return "";
}

TWeekModel BuildWeekModel(const TMemData& timers, const TMemData& ports, const TDayNames& dayNames,
                          const TTemperatureSettings& temperature) {
    TWeekModel week;
    const TPortRows portRows = ReadPorts(ports);
    for (int p = 0; p < PortCount; ++p) {
        TWeekPort& port = week.Ports[std::size_t(p)];
        port.Number = p + 1;
        port.Name = portRows.Names[std::size_t(p)];
        port.Regulated = temperature.SensorEnabled &&
                         (temperature.PrimaPt == p + 1 || temperature.SecondaPt == p + 1);
    }

    std::vector<TWeekTimer> contributing;
    std::array<TDayPieces, PortCount> pieces;
    const TTimerReader reader(timers);
    for (int row = 0; row < timers.RecordCount(); ++row) {
        const TTimerRow t = reader.Read(row);
        if (!t.On)
            continue;
        const bool portKnown =
            t.Port >= 1 && t.Port <= PortCount && portRows.Present[std::size_t(t.Port - 1)];
        const int day = dayNames.IndexOf(t.Day);
        if (t.Duration <= 0)
            week.Problems.push_back({TWeekProblemKind::ZeroDuration, {t.Timer}, {t.Port}, {}});
        if (!portKnown)
            week.Problems.push_back({TWeekProblemKind::NoPort, {t.Timer}, {t.Port}, {}});
        if (day == 0)
            week.Problems.push_back({TWeekProblemKind::BadDay, {t.Timer}, {}, t.Day});
        // The controller switches its output whether or not the port has a name row.
        if (t.Duration <= 0 || day == 0 || t.Port < 1 || t.Port > PortCount)
            continue;
        contributing.push_back(t.Timer);
        TDayPieces& portPieces = pieces[std::size_t(t.Port - 1)];
        if (day == DayNameCount) {
            for (int d = 0; d < WeekDayCount; ++d)
                LayInterval(portPieces, d, t.Start, t.Duration, contributing.size() - 1);
        } else {
            LayInterval(portPieces, day - 1, t.Start, t.Duration, contributing.size() - 1);
        }
    }

    for (int p = 0; p < PortCount; ++p) {
        TWeekPort& port = week.Ports[std::size_t(p)];
        TPairs overlaps;
        std::vector<std::size_t> switching;
        for (int d = 0; d < WeekDayCount; ++d) {
            std::vector<TWeekInterval>& intervals = port.Days[std::size_t(d)];
            MergeDay(pieces[std::size_t(p)][std::size_t(d)], contributing, intervals, overlaps,
                     switching);
            for (const TWeekInterval& interval : intervals)
                port.Daily[std::size_t(d)] += interval.To - interval.From;
        }
        SortUnique(overlaps);
        for (const auto& [a, b] : overlaps)
            week.Problems.push_back(
                {TWeekProblemKind::Overlap, {contributing[a], contributing[b]}, {port.Number}, {}});
        if (port.Regulated && !switching.empty()) {
            SortUnique(switching);
            TWeekProblem problem{TWeekProblemKind::RegulatedPort, {}, {port.Number}, {}};
            for (std::size_t m : switching)
                problem.Timers.push_back(contributing[m]);
            week.Problems.push_back(std::move(problem));
        }
    }
    // Per timer the kinds came in order, and a port's overlaps by their rows; across timers and
    // ports they are put in order here (a timer has one port, so the order of ties is kept).
    std::stable_sort(week.Problems.begin(), week.Problems.end(),
                     [](const TWeekProblem& a, const TWeekProblem& b) {
                         if (a.Kind != b.Kind)
                             return a.Kind < b.Kind;
                         return a.Timers.front().Row < b.Timers.front().Row;
                     });
    return week;
}

TWeekModel BuildWeekModel(const TConfiguration& config, const TTemperatureSettings& temperature) {
    return BuildWeekModel(config.Timers, config.Ports, config.DayNames, temperature);
}

TMessage WeekTimerMessage(const TWeekTimer& timer) {
    if (timer.Label.isEmpty())
        return TMessage(msgWeekTimerNoLabel, {timer.Row});
    return TMessage(msgWeekTimer, {FromAnsi(timer.Label), timer.Row});
}

namespace {

TMessage TimersArg(const std::vector<TWeekTimer>& timers, std::size_t from = 0) {
    if (from + 1 >= timers.size())
        return WeekTimerMessage(timers[from]);
    return TMessage(msgWeekList, {WeekTimerMessage(timers[from]), TimersArg(timers, from + 1)});
}

TMessageArg PortArg(const TWeekModel& week, int number) {
    if (number < 1 || number > PortCount || week.Ports[std::size_t(number - 1)].Name.isEmpty())
        return TMessage(msgWeekPortNoName, {number});
    return TMessage(msgWeekPort, {number, FromAnsi(week.Ports[std::size_t(number - 1)].Name)});
}

} // namespace

TMessage WeekProblemMessage(const TWeekProblem& problem, const TWeekModel& week) {
    const int port = problem.Ports.empty() ? 0 : problem.Ports.front();
    switch (problem.Kind) {
    case TWeekProblemKind::ZeroDuration:
        return TMessage(msgWeekZeroDuration, {TimersArg(problem.Timers), PortArg(week, port)});
    case TWeekProblemKind::NoPort:
        return TMessage(msgWeekNoPort, {TimersArg(problem.Timers), port});
    case TWeekProblemKind::BadDay:
        return TMessage(msgWeekBadDay, {TimersArg(problem.Timers), FromAnsi(problem.Day)});
    case TWeekProblemKind::Overlap:
        return TMessage(msgWeekOverlap,
                        {WeekTimerMessage(problem.Timers.at(0)),
                         WeekTimerMessage(problem.Timers.at(1)), PortArg(week, port)});
    case TWeekProblemKind::RegulatedPort:
        return TMessage(msgWeekRegulatedPort, {PortArg(week, port), TimersArg(problem.Timers)});
    }
    return {};
}

QString WeekTimeText(int seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace lumotrix
