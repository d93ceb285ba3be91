#include "ConfigDiff.h"

#include "ConfigView.h"
#include "link/Framing.h"
#include "model/ConfigTables.h"
#include "model/TableRecords.h"

namespace lumotrix {

namespace {

// Adds "what: first -> second" when the two texts differ; each value is put into words as the
// controller would receive it, so equal texts are equal values.
void Compare(QStringList& lines, const QString& what, const QString& first, const QString& second) {
    if (first != second)
        lines << QStringLiteral("%1: %2 -> %3").arg(what, first, second);
}

QString Quoted(const AnsiString& text) {
    return QLatin1Char('"') + FromAnsi(text) + QLatin1Char('"');
}

QString DayText(const TDayNames& days, int code) {
    return code >= 0 && code < DayNameCount ? FromAnsi(days.TextOfCode(code))
                                            : QStringLiteral("(none of the days)");
}

QString StartOf(const TimerRecord& r) {
    return StartText(EncodeTime(r.StartHour, r.StartMinute, r.StartSecond));
}

QString DurationOf(const TimerRecord& r) {
    return DurationText((r.DurationHour * 60 + r.DurationMinute) * 60 * 1000);
}

void DiffTimers(TConfiguration& first, TConfiguration& second, TConfigDiff& diff) {
    QStringList& lines = diff.Controller;
    const int firstRows = first.Timers.RecordCount();
    const int secondRows = second.Timers.RecordCount();
    Compare(lines, QStringLiteral("timer rows"), QString::number(firstRows),
            QString::number(secondRows));
    TTimerImage a{};
    TTimerImage b{};
    RetrieveMemData(first.Timers, first.DayNames, a);
    RetrieveMemData(second.Timers, second.DayNames, b);
    for (int k = 0; k < TimerCount; ++k) {
        const TimerRecord& x = a[std::size_t(k)];
        const TimerRecord& y = b[std::size_t(k)];
        const QString timer = QStringLiteral("timer %1 ").arg(k + 1);
        Compare(lines, timer + QStringLiteral("port"), QString::number(x.OutputPort),
                QString::number(y.OutputPort));
        Compare(lines, timer + QStringLiteral("day"), DayText(first.DayNames, x.Day),
                DayText(second.DayNames, y.Day));
        Compare(lines, timer + QStringLiteral("start"), StartOf(x), StartOf(y));
        Compare(lines, timer + QStringLiteral("duration"), DurationOf(x), DurationOf(y));
        const auto state = [](const TimerRecord& r) {
            return r.IsOn ? QStringLiteral("On") : QStringLiteral("Off");
        };
        Compare(lines, timer + QStringLiteral("state"), state(x), state(y));
    }

    // Labels by row, as far as both tables have rows.
    const int label = first.Timers.FieldIndex(Field::Timer);
    for (int row = 0; row < std::min(firstRows, secondRows); ++row) {
        const auto read = [&](const TMemData& table) {
            return Quoted(
                ValueAsString(table.FieldDefs()[std::size_t(label)], table.CellValue(row, label)));
        };
        Compare(diff.Labels, QStringLiteral("timer %1 label").arg(row + 1), read(first.Timers),
                read(second.Timers));
    }
}

void DiffPorts(TConfiguration& first, TConfiguration& second, TConfigDiff& diff) {
    const QList<AnsiString> a = first.PortNames();
    const QList<AnsiString> b = second.PortNames();
    Compare(diff.Controller, QStringLiteral("port rows"), QString::number(a.size()),
            QString::number(b.size()));
    for (qsizetype p = 0; p < std::min(a.size(), b.size()); ++p)
        Compare(diff.Controller, QStringLiteral("port %1 name").arg(p + 1),
                Quoted(PortNameWithoutFill(a[p])), Quoted(PortNameWithoutFill(b[p])));
}

QString Degrees(double degrees) {
    // Degrees reach the controller in whole tenths.
    return QString::number(double(Tenths(degrees)) / 10.0, 'f', 1) + QStringLiteral(" °C");
}

QString PortNumber(int n) {
    return n == 0 ? QStringLiteral("none") : QString::number(n);
}

void DiffTemperature(TConfiguration& first, TConfiguration& second, TConfigDiff& diff) {
    QStringList& lines = diff.Controller;
    const auto presence = [](const TConfiguration& c) {
        return c.HasTemperature() ? QStringLiteral("present") : QStringLiteral("missing");
    };
    Compare(lines, QStringLiteral("temperature record"), presence(first), presence(second));
    if (!first.HasTemperature() || !second.HasTemperature())
        return;
    const TTemperatureSettings a = first.TemperatureSettings();
    const TTemperatureSettings b = second.TemperatureSettings();
    const auto sensor = [](const TTemperatureSettings& t) {
        return t.SensorEnabled ? QStringLiteral("enabled") : QStringLiteral("disabled");
    };
    Compare(lines, QStringLiteral("temperature sensor"), sensor(a), sensor(b));
    Compare(lines, QStringLiteral("temperature minimum"), Degrees(a.MinTemp), Degrees(b.MinTemp));
    Compare(lines, QStringLiteral("temperature maximum"), Degrees(a.MaxTemp), Degrees(b.MaxTemp));
    Compare(lines, QStringLiteral("temperature ideal"), Degrees(a.TempIdeale),
            Degrees(b.TempIdeale));
    Compare(lines, QStringLiteral("temperature hysteresis"), QStringLiteral("%1 %").arg(a.Isteresi),
            QStringLiteral("%1 %").arg(b.Isteresi));
    Compare(lines, QStringLiteral("temperature port below"), PortNumber(a.PrimaPt),
            PortNumber(b.PrimaPt));
    Compare(lines, QStringLiteral("temperature port above"), PortNumber(a.SecondaPt),
            PortNumber(b.SecondaPt));
}

} // namespace

TConfigDiff DiffConfigurations(TConfiguration& first, TConfiguration& second) {
    TConfigDiff diff;
    DiffTimers(first, second, diff);
    DiffPorts(first, second, diff);
    DiffTemperature(first, second, diff);
    return diff;
}

QString DiffToText(const TConfigDiff& diff) {
    QString out;
    for (const QString& line : diff.Controller)
        out += line + QLatin1Char('\n');
    if (!diff.Labels.isEmpty()) {
        out += QStringLiteral("%1Timer labels (the controller never sees them):\n")
                   .arg(diff.Controller.isEmpty() ? QString() : QStringLiteral("\n"));
        for (const QString& line : diff.Labels)
            out += QStringLiteral("  ") + line + QLatin1Char('\n');
    }
    return out;
}

} // namespace lumotrix
