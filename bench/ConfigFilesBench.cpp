// Prints how long saving and loading a configuration's three files take (timer, port and
// temperature file), for a full configuration filled as a receive from the controller fills it.

#include "BenchTiming.h"
#include "link/Dump.h"
#include "link/SampleConfig.h"
#include "model/Configuration.h"
#include "model/TableRecords.h"

#include <QTemporaryDir>
#include <cstdio>

using namespace lumotrix;

namespace {

void FillFromDump(TConfiguration& configuration) {
    const TParsedDump dump = ParseDump(BuildDump(test::SampleConfig()));
    ReplaceRows(configuration.Timers,
                BuildTimerRows(configuration.Timers, MergeDumpTimers(TTimerImage{}, dump),
                               configuration.DayNames));
    ReplaceRows(configuration.Ports, BuildPortRows(configuration.Ports, dump.PortNames));
    AppendTemperatureRecord(configuration.Temperature, dump.Temperature);
}

} // namespace

int main() {
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const QString timerFile = dir.filePath(QStringLiteral("acquario.tmr"));

    TConfiguration saved;
    FillFromDump(saved);
    const bench::TFigure save = bench::MedianPerCall([&] { saved.Save(timerFile); }, 9, 20);

    TConfiguration loaded;
    const bench::TFigure load = bench::MedianPerCall([&] { loaded.Load(timerFile); }, 9, 50);
    if (loaded.Timers.RecordCount() != TimerCount || loaded.Ports.RecordCount() != PortCount ||
        loaded.Temperature.RecordCount() != 1) {
        std::fprintf(stderr, "the files read back differ from what was saved\n");
        return 1;
    }

    std::printf("%d timers, %d ports, 1 temperature record, in %s\n", TimerCount, PortCount,
                qPrintable(dir.path()));
    bench::PrintAgainstTarget("save of the three files", save, 5000);
    bench::PrintAgainstTarget("load of the three files", load, 5000);
    return 0;
}
