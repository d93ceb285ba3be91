#include "ConfigImport.h"

#include "model/ConfigTables.h"
#include "model/TableRecords.h"
#include "runtime/Exception.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cmath>
#include <set>

namespace lumotrix {

namespace {

// Checks one JSON value at a time, naming where it sits ("timers[3].day") in every refusal.
class TJsonReader {
public:
    explicit TJsonReader(QString source) : FSource(std::move(source)) {}

    [[noreturn]] void Refuse(const QString& where, const QString& what) const {
        throw EReadError(QStringLiteral("%1: %2 %3").arg(FSource, where, what));
    }

    // The object's keys must be exactly `keys`.
    QJsonObject Object(const QJsonValue& value, const QString& where,
                       std::initializer_list<const char*> keys) const {
        if (!value.isObject())
            Refuse(where, QStringLiteral("must be an object"));
        const QJsonObject object = value.toObject();
        QStringList expected;
        for (const char* key : keys) {
            expected << QLatin1String(key);
            if (!object.contains(QLatin1String(key)))
                Refuse(where, QStringLiteral("has no \"%1\"").arg(QLatin1String(key)));
        }
        for (const QString& key : object.keys())
            if (!expected.contains(key))
                Refuse(where, QStringLiteral("has the unknown key \"%1\" (expected: %2)")
                                  .arg(key, expected.join(QStringLiteral(", "))));
        return object;
    }

    QJsonArray Array(const QJsonValue& value, const QString& where, int count,
                     const char* items) const {
        if (!value.isArray())
            Refuse(where, QStringLiteral("must be a list"));
        const QJsonArray array = value.toArray();
        if (array.size() != count)
            Refuse(where, QStringLiteral("holds %1 entries; the controller has exactly %2 %3")
                              .arg(array.size())
                              .arg(count)
                              .arg(QLatin1String(items)));
        return array;
    }

    bool Boolean(const QJsonValue& value, const QString& where) const {
        if (!value.isBool())
            Refuse(where, QStringLiteral("must be true or false"));
        return value.toBool();
    }

    int Integer(const QJsonValue& value, const QString& where, int low, int high) const {
        const double number = Number(value, where);
        if (number != std::floor(number) || number < low || number > high)
            Refuse(where, QStringLiteral("is %1; expected a whole number from %2 to %3")
                              .arg(number)
                              .arg(low)
                              .arg(high));
        return int(number);
    }

    // Degrees: the controller keeps whole tenths.
    double Degrees(const QJsonValue& value, const QString& where, double high) const {
        const double number = Number(value, where);
        const double tenths = number * 10;
        if (number < 0 || number > high || std::abs(tenths - std::round(tenths)) > 1e-6)
            Refuse(where, QStringLiteral("is %1; expected degrees from 0 to %2 in tenths")
                              .arg(number)
                              .arg(high));
        return std::round(tenths) / 10;
    }

    // Windows-1252 text of at most `size` characters, without control characters (they would
    // break the transfer's framing or the fixed fields of the tables).
    AnsiString Text(const QJsonValue& value, const QString& where, int size) const {
        if (!value.isString())
            Refuse(where, QStringLiteral("must be a text"));
        const QString text = value.toString();
        if (!IsAnsiRepresentable(text))
            Refuse(where,
                   QStringLiteral("\"%1\" holds a character that Windows-1252 lacks").arg(text));
        for (QChar c : text)
            if (c.unicode() < 0x20 || c.unicode() == 0x7F ||
                (c.unicode() >= 0x80 && c.unicode() < 0xA0))
                Refuse(where, QStringLiteral("holds the control character U+%1")
                                  .arg(c.unicode(), 4, 16, QChar('0')));
        if (text.size() > size)
            Refuse(where, QStringLiteral("\"%1\" is %2 characters long, more than %3")
                              .arg(text)
                              .arg(text.size())
                              .arg(size));
        return ToAnsi(text);
    }

    // "HH:MM:SS" or "HH:MM" with hours 0-23 and minutes and seconds 0-59, as milliseconds.
    qint32 Time(const QJsonValue& value, const QString& where, bool withSeconds) const {
        static const QRegularExpression full(QStringLiteral("^(\\d\\d):(\\d\\d):(\\d\\d)$"));
        static const QRegularExpression short_(QStringLiteral("^(\\d\\d):(\\d\\d)$"));
        const QString format = withSeconds ? QStringLiteral("HH:MM:SS") : QStringLiteral("HH:MM");
        if (!value.isString())
            Refuse(where, QStringLiteral("must be a text \"%1\"").arg(format));
        const QRegularExpressionMatch m = (withSeconds ? full : short_).match(value.toString());
        const auto part = [&](int i) { return m.captured(i).toInt(); };
        if (!m.hasMatch() || part(1) > 23 || part(2) > 59 || (withSeconds && part(3) > 59))
            Refuse(where, QStringLiteral("is \"%1\"; expected \"%2\" from 00:00%3 to 23:59%4")
                              .arg(value.toString(), format,
                                   withSeconds ? QStringLiteral(":00") : QString(),
                                   withSeconds ? QStringLiteral(":59") : QString()));
        return EncodeTime(part(1), part(2), withSeconds ? part(3) : 0);
    }

private:
    double Number(const QJsonValue& value, const QString& where) const {
        if (!value.isDouble())
            Refuse(where, QStringLiteral("must be a number"));
        return value.toDouble();
    }

    QString FSource;
};

QString At(const char* list, qsizetype index, const char* key) {
    return QStringLiteral("%1[%2].%3").arg(QLatin1String(list)).arg(index).arg(QLatin1String(key));
}

// A row of `table` with the named fields set and the others (RecId among them) empty.
class TRowBuilder {
public:
    explicit TRowBuilder(const TMemData& table)
        : FTable(table), FRow(std::size_t(table.FieldCount())) {}
    TRowBuilder& Set(QLatin1String field, TFieldValue value) {
        FRow[std::size_t(FTable.FieldIndex(field))] = std::move(value);
        return *this;
    }
    const std::vector<TFieldValue>& Row() const { return FRow; }

private:
    const TMemData& FTable;
    std::vector<TFieldValue> FRow;
};

} // namespace

void ConfigFromJson(const QByteArray& json, const QString& source, TConfiguration& config) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw EReadError(QStringLiteral("%1: not valid JSON at byte %2: %3")
                             .arg(source)
                             .arg(error.offset)
                             .arg(error.errorString()));
    const TJsonReader in(source);
    if (!document.isObject())
        in.Refuse(QStringLiteral("the document"), QStringLiteral("must be one object"));
    const QJsonObject root = in.Object(document.object(), QStringLiteral("the document"),
                                       {"timers", "ports", "temperature"});

    TTableRows timerRows;
    const QJsonArray timers =
        in.Array(root[QLatin1String("timers")], QStringLiteral("\"timers\""), TimerCount, "timers");
    for (qsizetype k = 0; k < timers.size(); ++k) {
        const QJsonObject t = in.Object(timers[k], QStringLiteral("timers[%1]").arg(k),
                                        {"timer", "port", "day", "start", "duration", "on"});
        const QString dayWhere = At("timers", k, "day");
        const AnsiString day = in.Text(t[QLatin1String("day")], dayWhere, DayTextSize);
        if (config.DayNames.IndexOf(day) == 0) {
            QStringList names;
            for (const AnsiString& name : StandardDayNames())
                names << FromAnsi(name);
            in.Refuse(dayWhere, QStringLiteral("is \"%1\", none of the day names: %2")
                                    .arg(FromAnsi(day), names.join(QStringLiteral(", "))));
        }
        timerRows.push_back(
            TRowBuilder(config.Timers)
                .Set(Field::RecId, qint32(k + 1))
                .Set(Field::Timer,
                     in.Text(t[QLatin1String("timer")], At("timers", k, "timer"), TimerLabelSize))
                .Set(Field::Uscita, qint32(in.Integer(t[QLatin1String("port")],
                                                      At("timers", k, "port"), 1, PortCount)))
                .Set(Field::Giorno, day)
                .Set(Field::Inizio,
                     in.Time(t[QLatin1String("start")], At("timers", k, "start"), true))
                .Set(Field::Durata,
                     in.Time(t[QLatin1String("duration")], At("timers", k, "duration"), false))
                .Set(Field::Stato, in.Boolean(t[QLatin1String("on")], At("timers", k, "on")))
                .Row());
    }

    TTableRows portRows;
    std::set<int> numbers;
    const QJsonArray ports =
        in.Array(root[QLatin1String("ports")], QStringLiteral("\"ports\""), PortCount, "ports");
    for (qsizetype p = 0; p < ports.size(); ++p) {
        const QJsonObject o =
            in.Object(ports[p], QStringLiteral("ports[%1]").arg(p), {"number", "name"});
        const int number =
            in.Integer(o[QLatin1String("number")], At("ports", p, "number"), 1, PortCount);
        if (!numbers.insert(number).second)
            in.Refuse(At("ports", p, "number"),
                      QStringLiteral("repeats port %1; each port 1 to %2 is named once")
                          .arg(number)
                          .arg(PortCount));
        portRows.push_back(
            TRowBuilder(config.Ports)
                .Set(Field::RecId, qint32(number))
                .Set(Field::Nporta, qint32(number))
                .Set(Field::Descrizione,
                     in.Text(o[QLatin1String("name")], At("ports", p, "name"), PortNameSize))
                .Row());
    }

    const QJsonObject t =
        in.Object(root[QLatin1String("temperature")], QStringLiteral("\"temperature\""),
                  {"sensor", "min", "max", "ideal", "hysteresis", "first_port", "second_port"});
    const auto where = [](const char* key) {
        return QStringLiteral("temperature.%1").arg(QLatin1String(key));
    };
    TTemperatureSettings settings;
    settings.SensorEnabled = in.Boolean(t[QLatin1String("sensor")], where("sensor"));
    settings.MinTemp = in.Degrees(t[QLatin1String("min")], where("min"), MaxDegrees);
    settings.MaxTemp = in.Degrees(t[QLatin1String("max")], where("max"), MaxDegrees);
    settings.TempIdeale = in.Degrees(t[QLatin1String("ideal")], where("ideal"), MaxDegrees);
    settings.Isteresi =
        in.Integer(t[QLatin1String("hysteresis")], where("hysteresis"), 0, MaxHysteresis);
    settings.PrimaPt =
        in.Integer(t[QLatin1String("first_port")], where("first_port"), 0, PortCount);
    settings.SecondaPt =
        in.Integer(t[QLatin1String("second_port")], where("second_port"), 0, PortCount);

    // Every value has passed; the tables take them all.
    ReplaceRows(config.Timers, timerRows);
    ReplaceRows(config.Ports, portRows);
    config.SetTemperatureSettings(settings);
}

} // namespace lumotrix
