#pragma once

// The week as the controller will run it: for each port and day, when the port is on and which
// timers switch it on, and what in the schedule the keeper should look at. The window's week
// page and the command-line tool's `week` both read it; neither needs a display.

#include "model/ConfigRecords.h"
#include "model/DayNames.h"
#include "model/MemData.h"
#include "runtime/Message.h"

#include <array>
#include <vector>

namespace lumotrix {

class TConfiguration;

constexpr int WeekDayCount = 7; // day 1 = "Lunedì" .. 7 = "Domenica", as DayNames orders them
constexpr int SecondsPerDay = 24 * 60 * 60;

// A timer row as the week names it: the keeper knows it by its label, which may repeat or be
// empty, so the row number (1-based, as the grid shows it) always goes with it.
struct TWeekTimer {
    int Row = 0;
    AnsiString Label; // the Timer field as stored

    bool operator==(const TWeekTimer&) const = default;
};

// One stretch of a day during which a port is on: the timers' own intervals on that port and
// day merged where they overlap or touch. Seconds since that day's midnight; To is at most
// SecondsPerDay ("24:00:00"). A timer that runs past midnight gives one interval on each day.
struct TWeekInterval {
    int From = 0;
    int To = 0;
    std::vector<TWeekTimer> Timers; // every timer that switches the port on within it, row order
    // Two of its timers share more than an instant (an overlap problem).
    bool Overlapping = false;
};

struct TWeekPort {
    int Number = 0;  // 1 .. PortCount
    AnsiString Name; // Descrizione without trailing blanks; empty when no port row has Number
    bool Regulated = false; // driven by the temperature regulation (sensor on, PrimaPt/SecondaPt)
    std::array<int, WeekDayCount> Daily{};                     // seconds on per day, Monday first
    std::array<std::vector<TWeekInterval>, WeekDayCount> Days; // each sorted by From, disjoint

    // An interval that the chart should mark: it holds an overlap, or the port is regulated and
    // a timer switches it too.
    bool IsProblem(const TWeekInterval& interval) const {
        return interval.Overlapping || Regulated;
    }
};

// In the order the problems are listed: by kind in this order, then by first row.
enum class TWeekProblemKind {
    ZeroDuration,  // a timer "On" with a zero duration (hours and minutes, as sent)
    NoPort,        // a timer "On" whose Uscita is no port row's Nporta among 1 .. PortCount
    BadDay,        // a timer "On" whose Giorno is none of the eight day names
    Overlap,       // two timers switching one port at overlapping times; once per pair
    RegulatedPort, // a regulated port that contributing timers also switch; once per port
};

// "zero-duration", "no-port", "bad-day", "overlap", "regulated-port".
const char* WeekProblemKindName(TWeekProblemKind kind);

struct TWeekProblem {
    TWeekProblemKind Kind = TWeekProblemKind::ZeroDuration;
    std::vector<TWeekTimer> Timers; // row order
    // ZeroDuration, NoPort: the timer's Uscita; BadDay: none; Overlap, RegulatedPort: the port.
    std::vector<int> Ports;
    // BadDay: the Giorno as stored; empty otherwise.
    AnsiString Day;
};

struct TWeekModel {
    std::array<TWeekPort, PortCount> Ports; // Ports[n - 1] is port n
    std::vector<TWeekProblem> Problems;     // in TWeekProblemKind order, then by first row
};

// The week of `timers` (the timer table) with the port names of `ports` and the regulation of
// `temperature`. A timer contributes when its Stato is true and its duration, in whole minutes as
// the controller receives it, is above zero; its Inizio keeps its seconds. Empty fields read as
// "", 0 and false.
TWeekModel BuildWeekModel(const TMemData& timers, const TMemData& ports, const TDayNames& dayNames,
                          const TTemperatureSettings& temperature);
// The same over a configuration's timer and port tables.
TWeekModel BuildWeekModel(const TConfiguration& config, const TTemperatureSettings& temperature);

// The problem in words, naming its timers (label and row) and ports; the string table's ids
// msgWeek*, so it reads in the language in force.
TMessage WeekProblemMessage(const TWeekProblem& problem, const TWeekModel& week);

// A timer named by its label and row ("Timer 01 (riga 1)"), or by its row when it has no label.
TMessage WeekTimerMessage(const TWeekTimer& timer);

// "HH:MM:SS" of a time of day in seconds, up to "24:00:00".
QString WeekTimeText(int seconds);

} // namespace lumotrix
