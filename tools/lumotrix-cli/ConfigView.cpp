#include "ConfigView.h"

#include "model/ConfigTables.h"

#include <QJsonArray>

namespace lumotrix {

namespace {

QString Two(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QChar('0'));
}

// Reads the cells of one table by field name.
class TRowReader {
public:
    TRowReader(const TMemData& table, int row) : FTable(table), FRow(row) {}

    const TFieldValue& Value(const char* field) const {
        return FTable.CellValue(FRow, Index(field));
    }
    bool IsNull(const char* field) const {
        return std::holds_alternative<std::monostate>(Value(field));
    }
    QString Text(const char* field) const {
        return FromAnsi(ValueAsString(Def(field), Value(field)));
    }
    qint32 Integer(const char* field) const { return ValueAsInteger(Def(field), Value(field)); }
    qint32 Time(const char* field) const { return ValueAsTime(Def(field), Value(field)); }
    bool Boolean(const char* field) const { return ValueAsBoolean(Def(field), Value(field)); }

private:
    int Index(const char* field) const { return FTable.FieldIndex(QLatin1String(field)); }
    const TFieldDef& Def(const char* field) const {
        return FTable.FieldDefs()[std::size_t(Index(field))];
    }

    const TMemData& FTable;
    int FRow;
};

QJsonValue OrNull(bool isNull, QJsonValue value) {
    return isNull ? QJsonValue(QJsonValue::Null) : value;
}

QString Padded(const QString& text, int width) {
    return text.leftJustified(width, QLatin1Char(' '));
}

QString Degrees(double value) {
    return QString::number(value, 'f', 1) + QStringLiteral(" °C");
}

QString PortChoice(const TConfigSet& config, int number) {
    if (number == 0)
        return QStringLiteral("none");
    for (int row = 0; row < config.Ports.RecordCount(); ++row) {
        const TRowReader port(config.Ports, row);
        if (port.Integer("Nporta") == number)
            return QStringLiteral("%1 \"%2\"").arg(number).arg(port.Text("Descrizione"));
    }
    return QString::number(number);
}

} // namespace

QString StartText(qint32 msecs) {
    const TTimeParts t = DecodeTime(msecs);
    return Two(t.Hour) + QLatin1Char(':') + Two(t.Minute) + QLatin1Char(':') + Two(t.Second);
}

QString DurationText(qint32 msecs) {
    const TTimeParts t = DecodeTime(msecs);
    return Two(t.Hour) + QLatin1Char(':') + Two(t.Minute);
}

QJsonObject ConfigToJson(const TConfigSet& config) {
    QJsonArray timers;
    for (int row = 0; row < config.Timers.RecordCount(); ++row) {
        const TRowReader r(config.Timers, row);
        timers.append(QJsonObject{
            {QStringLiteral("timer"), r.Text("Timer")},
            {QStringLiteral("port"), OrNull(r.IsNull("Uscita"), r.Integer("Uscita"))},
            {QStringLiteral("day"), r.Text("Giorno")},
            {QStringLiteral("start"), OrNull(r.IsNull("Inizio"), StartText(r.Time("Inizio")))},
            {QStringLiteral("duration"),
             OrNull(r.IsNull("Durata"), DurationText(r.Time("Durata")))},
            {QStringLiteral("on"), OrNull(r.IsNull("Stato"), r.Boolean("Stato"))},
        });
    }
    QJsonArray ports;
    for (int row = 0; row < config.Ports.RecordCount(); ++row) {
        const TRowReader r(config.Ports, row);
        ports.append(QJsonObject{
            {QStringLiteral("number"), OrNull(r.IsNull("Nporta"), r.Integer("Nporta"))},
            {QStringLiteral("name"), r.Text("Descrizione")},
        });
    }
    QJsonValue temperature(QJsonValue::Null);
    if (config.HasTemperature()) {
        const TTemperatureSettings t = config.TemperatureSettings();
        temperature = QJsonObject{
            {QStringLiteral("sensor"), t.SensorEnabled},  {QStringLiteral("min"), t.MinTemp},
            {QStringLiteral("max"), t.MaxTemp},           {QStringLiteral("ideal"), t.TempIdeale},
            {QStringLiteral("hysteresis"), t.Isteresi},   {QStringLiteral("first_port"), t.PrimaPt},
            {QStringLiteral("second_port"), t.SecondaPt},
        };
    }
    return QJsonObject{
        {QStringLiteral("timers"), timers},
        {QStringLiteral("ports"), ports},
        {QStringLiteral("temperature"), temperature},
    };
}

QString ConfigToText(const TConfigSet& config) {
    QString out;
    out += QStringLiteral("Timers (%1)\n").arg(config.Timers.RecordCount());
    out += QStringLiteral("  #  %1  Port  %2  Start     Duration  On\n")
               .arg(Padded(QStringLiteral("Timer"), TimerLabelSize),
                    Padded(QStringLiteral("Day"), 14));
    for (int row = 0; row < config.Timers.RecordCount(); ++row) {
        const TRowReader r(config.Timers, row);
        const auto cell = [&](const char* field, const QString& text) {
            return r.IsNull(field) ? QStringLiteral("-") : text;
        };
        out += QStringLiteral("%1  %2  %3  %4  %5  %6  %7\n")
                   .arg(row + 1, 3)
                   .arg(Padded(r.Text("Timer"), TimerLabelSize))
                   .arg(Padded(cell("Uscita", QString::number(r.Integer("Uscita"))), 4))
                   .arg(Padded(r.Text("Giorno"), 14))
                   .arg(Padded(cell("Inizio", StartText(r.Time("Inizio"))), 8))
                   .arg(Padded(cell("Durata", DurationText(r.Time("Durata"))), 8))
                   .arg(cell("Stato",
                             r.Boolean("Stato") ? QStringLiteral("yes") : QStringLiteral("no")));
    }
    out += QStringLiteral("\nPorts (%1)\n").arg(config.Ports.RecordCount());
    for (int row = 0; row < config.Ports.RecordCount(); ++row) {
        const TRowReader r(config.Ports, row);
        out += QStringLiteral("%1  \"%2\"\n")
                   .arg(r.IsNull("Nporta") ? QStringLiteral("  -")
                                           : QStringLiteral("%1").arg(r.Integer("Nporta"), 3))
                   .arg(r.Text("Descrizione"));
    }
    out += QStringLiteral("\nTemperature\n");
    if (!config.HasTemperature())
        return out + QStringLiteral("  (no temperature record)\n");
    const TTemperatureSettings t = config.TemperatureSettings();
    out += QStringLiteral("  Sensor:       %1\n")
               .arg(t.SensorEnabled ? QStringLiteral("enabled") : QStringLiteral("disabled"));
    out += QStringLiteral("  Minimum:      %1\n").arg(Degrees(t.MinTemp));
    out += QStringLiteral("  Maximum:      %1\n").arg(Degrees(t.MaxTemp));
    out += QStringLiteral("  Ideal:        %1\n").arg(Degrees(t.TempIdeale));
    out += QStringLiteral("  Hysteresis:   %1 %\n").arg(t.Isteresi);
    out += QStringLiteral("  Port below:   %1\n").arg(PortChoice(config, t.PrimaPt));
    out += QStringLiteral("  Port above:   %1\n").arg(PortChoice(config, t.SecondaPt));
    return out;
}

} // namespace lumotrix
