// Prints how long painting the week page takes at 1240×700: the chart of a received
// configuration, and of the crowded one (every timer on every day on one regulated port, so
// that every bar is a problem and the problems fill the page). "first" lays the chart out as
// well, as the first paint after a change does; "repaint" paints an unchanged chart.

#include "BenchTiming.h"
#include "link/Dump.h"
#include "link/SampleConfig.h"
#include "model/Configuration.h"
#include "model/TableRecords.h"
#include "weekchart/WeekChartFill.h"
#include "widgets/qt/WeekChart.h"

#include <QApplication>
#include <QImage>
#include <QLocale>
#include <cstdio>

using namespace lumotrix;

namespace {

constexpr double TargetMillis = 8.0;

TWeekModel Week(const TControllerConfig& sample) {
    TConfiguration configuration;
    const TParsedDump dump = ParseDump(BuildDump(sample));
    ReplaceRows(configuration.Timers,
                BuildTimerRows(configuration.Timers, MergeDumpTimers(TTimerImage{}, dump),
                               configuration.DayNames));
    ReplaceRows(configuration.Ports, BuildPortRows(configuration.Ports, dump.PortNames));
    TTemperatureSettings temperature;
    temperature.SensorEnabled = true;
    temperature.PrimaPt = sample.Temperature.PrimaPt;
    return BuildWeekModel(configuration, temperature);
}

TControllerConfig Crowded() {
    TControllerConfig c = test::SampleConfig();
    for (int k = 0; k < TimerCount; ++k) {
        TimerRecord& r = c.Timers[std::size_t(k)];
        r.Day = 7;
        r.IsOn = 1;
        r.OutputPort = 3 + k % 2;
        r.StartHour = (k * 5) % 24;
        r.DurationHour = 2 + k % 5;
    }
    c.Temperature.PrimaPt = 3;
    return c;
}

bool Report(const char* name, const TWeekModel& week) {
    TWeekDayNames days;
    for (int day = 0; day < WeekDayCount; ++day)
        days[day] = QLocale(QLocale::Italian).dayName(day + 1);
    const TWeekChartData data = FillWeekChart(week, days, QStringLiteral("Settimana"));
    WeekChart chart;
    chart.resize(1240, 700);
    chart.show();
    QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
    const bench::TFigure first = bench::MedianPerCall(
        [&] {
            chart.SetData(data);
            chart.render(&image);
        },
        7, 20);
    const bench::TFigure repaint = bench::MedianPerCall([&] { chart.render(&image); }, 7, 20);
    std::printf("%-9s %3d bars %2d problems: first %.2f ms (cpu %.2f), repaint %.2f ms (cpu "
                "%.2f), target <= %.0f ms\n",
                name, chart.BarCount(), int(data.Problems.size()), first.WallMicros / 1000,
                first.CpuMicros / 1000, repaint.WallMicros / 1000, repaint.CpuMicros / 1000,
                TargetMillis);
    return first.CpuMicros / 1000 <= TargetMillis;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool received = Report("received", Week(test::SampleConfig()));
    const bool crowded = Report("crowded", Week(Crowded()));
    return received && crowded ? 0 : 1;
}
