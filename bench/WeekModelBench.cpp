// Prints how long building the week model takes for a full configuration: the one a receive
// from the controller fills, and the heaviest kind, all 42 timers "On" every day on one port
// that the temperature regulation drives, overlapping one another.

#include "BenchTiming.h"
#include "link/Dump.h"
#include "link/SampleConfig.h"
#include "model/Configuration.h"
#include "model/TableRecords.h"
#include "model/WeekModel.h"

#include <cstdio>

using namespace lumotrix;

namespace {

void FillFromDump(TConfiguration& configuration, const TControllerConfig& sample) {
    const TParsedDump dump = ParseDump(BuildDump(sample));
    ReplaceRows(configuration.Timers,
                BuildTimerRows(configuration.Timers, MergeDumpTimers(TTimerImage{}, dump),
                               configuration.DayNames));
    ReplaceRows(configuration.Ports, BuildPortRows(configuration.Ports, dump.PortNames));
    AppendTemperatureRecord(configuration.Temperature, dump.Temperature);
}

TControllerConfig Crowded() {
    TControllerConfig c = test::SampleConfig();
    for (int k = 0; k < TimerCount; ++k) {
        TimerRecord& r = c.Timers[std::size_t(k)];
        r.Day = 7; // every day
        r.IsOn = 1;
        r.OutputPort = 3;
        r.StartHour = (k * 5) % 24;
        r.DurationHour = 2 + k % 5;
    }
    c.Temperature.PrimaPt = 3;
    return c;
}

} // namespace

int main() {
    TConfiguration received;
    FillFromDump(received, test::SampleConfig());
    TConfiguration crowded;
    FillFromDump(crowded, Crowded());

    std::size_t problems = 0;
    const auto build = [&](const TConfiguration& config) {
        const TWeekModel week = BuildWeekModel(config, config.TemperatureSettings());
        problems = week.Problems.size();
    };
    const bench::TFigure sample = bench::MedianPerCall([&] { build(received); }, 9, 2000);
    const std::size_t sampleProblems = problems;
    const bench::TFigure heavy = bench::MedianPerCall([&] { build(crowded); }, 9, 500);

    std::printf("%d timers, %d ports; %zu and %zu problems\n", TimerCount, PortCount,
                sampleProblems, problems);
    bench::PrintAgainstTarget("week model, received sample", sample, 50);
    bench::PrintAgainstTarget("week model, 42 overlapping timers", heavy, 50);
    return 0;
}
