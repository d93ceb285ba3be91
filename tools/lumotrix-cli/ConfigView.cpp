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

    const TFieldValue& Value(QLatin1String field) const {
        return FTable.CellValue(FRow, Index(field));
    }
    bool IsNull(QLatin1String field) const {
        return std::holds_alternative<std::monostate>(Value(field));
    }
    QString Text(QLatin1String field) const {
        return FromAnsi(ValueAsString(Def(field), Value(field)));
    }
    qint32 Integer(QLatin1String field) const { return ValueAsInteger(Def(field), Value(field)); }
    qint32 Time(QLatin1String field) const { return ValueAsTime(Def(field), Value(field)); }
    bool Boolean(QLatin1String field) const { return ValueAsBoolean(Def(field), Value(field)); }

private:
    int Index(QLatin1String field) const { return FTable.FieldIndex(field); }
    const TFieldDef& Def(QLatin1String field) const {
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

QString PortChoice(const TConfiguration& config, int number) {
    if (number == 0)
        return QStringLiteral("none");
    for (int row = 0; row < config.Ports.RecordCount(); ++row) {
        const TRowReader port(config.Ports, row);
        if (port.Integer(Field::Nporta) == number)
            return QStringLiteral("%1 \"%2\"").arg(number).arg(port.Text(Field::Descrizione));
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

QJsonObject ConfigToJson(const TConfiguration& config) {
    QJsonArray timers;
    for (int row = 0; row < config.Timers.RecordCount(); ++row) {
        const TRowReader r(config.Timers, row);
        timers.append(QJsonObject{
            {QStringLiteral("timer"), r.Text(Field::Timer)},
            {QStringLiteral("port"), OrNull(r.IsNull(Field::Uscita), r.Integer(Field::Uscita))},
            {QStringLiteral("day"), r.Text(Field::Giorno)},
            {QStringLiteral("start"),
             OrNull(r.IsNull(Field::Inizio), StartText(r.Time(Field::Inizio)))},
            {QStringLiteral("duration"),
             OrNull(r.IsNull(Field::Durata), DurationText(r.Time(Field::Durata)))},
            {QStringLiteral("on"), OrNull(r.IsNull(Field::Stato), r.Boolean(Field::Stato))},
        });
    }
    QJsonArray ports;
    for (int row = 0; row < config.Ports.RecordCount(); ++row) {
        const TRowReader r(config.Ports, row);
        ports.append(QJsonObject{
            {QStringLiteral("number"), OrNull(r.IsNull(Field::Nporta), r.Integer(Field::Nporta))},
            {QStringLiteral("name"), r.Text(Field::Descrizione)},
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

QString ConfigToText(const TConfiguration& config) {
    QString out;
    out += QStringLiteral("Timers (%1)\n").arg(config.Timers.RecordCount());
    out += QStringLiteral("  #  %1  Port  %2  Start     Duration  On\n")
               .arg(Padded(QStringLiteral("Timer"), TimerLabelSize),
                    Padded(QStringLiteral("Day"), 14));
    for (int row = 0; row < config.Timers.RecordCount(); ++row) {
        const TRowReader r(config.Timers, row);
        const auto cell = [&](QLatin1String field, const QString& text) {
            return r.IsNull(field) ? QStringLiteral("-") : text;
        };
        out += QStringLiteral("%1  %2  %3  %4  %5  %6  %7\n")
                   .arg(row + 1, 3)
                   .arg(Padded(r.Text(Field::Timer), TimerLabelSize))
                   .arg(Padded(cell(Field::Uscita, QString::number(r.Integer(Field::Uscita))), 4))
                   .arg(Padded(r.Text(Field::Giorno), 14))
                   .arg(Padded(cell(Field::Inizio, StartText(r.Time(Field::Inizio))), 8))
                   .arg(Padded(cell(Field::Durata, DurationText(r.Time(Field::Durata))), 8))
                   .arg(cell(Field::Stato, r.Boolean(Field::Stato) ? QStringLiteral("yes")
                                                                   : QStringLiteral("no")));
    }
    out += QStringLiteral("\nPorts (%1)\n").arg(config.Ports.RecordCount());
    for (int row = 0; row < config.Ports.RecordCount(); ++row) {
        const TRowReader r(config.Ports, row);
        out += QStringLiteral("%1  \"%2\"\n")
                   .arg(r.IsNull(Field::Nporta)
                            ? QStringLiteral("  -")
                            : QStringLiteral("%1").arg(r.Integer(Field::Nporta), 3))
                   .arg(r.Text(Field::Descrizione));
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
