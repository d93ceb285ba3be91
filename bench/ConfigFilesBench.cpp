// Prints how long saving and loading a configuration's three files take (timer, port and
// temperature file), for a full configuration filled as a receive from the controller fills it.

#include "BenchTiming.h"
#include "link/Dump.h"
#include "link/SampleConfig.h"
#include "link/TimerTables.h"
#include "model/ConfigFiles.h"
#include "model/ConfigTables.h"
#include "model/DayNames.h"

#include <QTemporaryDir>
#include <cstdio>

using namespace lumotrix;

namespace {

struct TTables {
    TMemData Timers{QStringLiteral("MemData1")};
    TMemData Ports{QStringLiteral("MemData2")};
    TMemData Temperature{QStringLiteral("MemData3")};

    TTables() {
        DefineTimerTable(Timers);
        DefinePortTable(Ports);
        DefineTemperatureTable(Temperature);
    }
};

void FillFromDump(TTables& tables) {
    const TParsedDump dump = ParseDump(BuildDump(test::SampleConfig()));
    TDayNames dayNames;
    dayNames.Fill();
    ReplaceRows(tables.Timers,
                BuildTimerRows(tables.Timers, MergeDumpTimers(TTimerImage{}, dump), dayNames));
    ReplaceRows(tables.Ports, BuildPortRows(tables.Ports, dump.PortNames));
    AppendTemperatureRecord(tables.Temperature, dump.Temperature);
}

} // namespace

int main() {
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const QString timerFile = dir.filePath(QStringLiteral("acquario.tmr"));

    TTables saved;
    FillFromDump(saved);
    const bench::TFigure save = bench::MedianPerCall(
        [&] { SaveConfigurationFiles(saved.Timers, saved.Ports, saved.Temperature, timerFile); }, 9,
        20);

    TTables loaded;
    const bench::TFigure load = bench::MedianPerCall(
        [&] { LoadConfigurationFiles(loaded.Timers, loaded.Ports, loaded.Temperature, timerFile); },
        9, 50);
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
