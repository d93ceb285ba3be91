#include "link/TimerTables.h"

#include "runtime/Exception.h"

namespace lumotrix {

void RetrieveMemData(TMemData& timerTable, const TDayNames& dayNames, TTimerImage& image) {
    timerTable.First();
    for (TimerRecord& record : image) {
        record.Day = dayNames.CodeOf(timerTable.FieldByName(QStringLiteral("Giorno")).AsString());
        record.IsOn = timerTable.FieldByName(QStringLiteral("Stato")).AsBoolean() ? 1 : 0;
        record.OutputPort = timerTable.FieldByName(QStringLiteral("Uscita")).AsInteger();
        const TTimeParts start =
            DecodeTime(timerTable.FieldByName(QStringLiteral("Inizio")).AsTime());
        record.StartHour = start.Hour;
        record.StartMinute = start.Minute;
        record.StartSecond = start.Second;
        const TTimeParts duration =
            DecodeTime(timerTable.FieldByName(QStringLiteral("Durata")).AsTime());
        record.DurationHour = duration.Hour;
        record.DurationMinute = duration.Minute;
        timerTable.Next();
    }
    timerTable.First();
}

namespace {

// Converts every value of every row as the table will, so that a refusal comes before the
// table is touched.
void CheckRows(const TMemData& table, const TTableRows& rows) {
    const std::vector<TFieldDef>& defs = table.FieldDefs();
    for (const auto& row : rows) {
        if (row.size() != defs.size())
            throw Exception(QStringLiteral("Table %1 has %2 fields, a row of %3 values was made")
                                .arg(table.Name())
                                .arg(defs.size())
                                .arg(row.size()));
        for (std::size_t f = 0; f < row.size(); ++f)
            ConvertValue(defs[f], row[f]);
    }
}

qint32 TimeOrZero(int hour, int minute, int second) {
    if (hour + minute + second < 1)
        return 0;
    return EncodeTime(hour, minute, second);
}

} // namespace

TTableRows BuildTimerRows(const TMemData& timerTable, const TTimerImage& image,
                          const TDayNames& dayNames) {
    TTableRows rows;
    rows.reserve(TimerCount);
    for (int n = 1; n <= TimerCount; ++n) {
        const TimerRecord& r = image[n - 1];
        TFieldValue day;
        if (TDayNames::IsValidIndex(r.Day) && dayNames.IsFilled())
            day = dayNames[r.Day];
        rows.push_back({qint32(n), TimerLabel(n), qint32(r.OutputPort), day,
                        TimeOrZero(r.StartHour, r.StartMinute, r.StartSecond),
                        TimeOrZero(r.DurationHour, r.DurationMinute, 0), r.IsOn == 1});
    }
    CheckRows(timerTable, rows);
    return rows;
}

TTableRows BuildPortRows(const TMemData& portTable, const TPortNames& names) {
    TTableRows rows;
    for (int n = 1; n <= PortCount; ++n)
        rows.push_back({qint32(n), qint32(n), names[n - 1]});
    CheckRows(portTable, rows);
    return rows;
}

void ReplaceRows(TMemData& table, const TTableRows& rows) {
    WithControlsDisabled(table, [&] {
        table.Close();
        table.Open();
        for (const auto& row : rows)
            table.AppendRecord(row);
        table.First();
    });
}

TTemperatureSettings ReadTemperatureRecord(const TMemData& table) {
    TTemperatureSettings t;
    t.TempIdeale = 0;
    if (!table.Active() || table.IsEmpty())
        return t;
    const auto at = [&](const char* field) -> std::pair<const TFieldDef&, const TFieldValue&> {
        const int index = table.FieldIndex(QLatin1String(field));
        return {table.FieldDefs()[std::size_t(index)], table.CellValue(0, index)};
    };
    const auto integer = [&](const char* field) {
        const auto [def, value] = at(field);
        return ValueAsInteger(def, value);
    };
    const auto real = [&](const char* field) {
        const auto [def, value] = at(field);
        return ValueAsFloat(def, value);
    };
    t.SensorEnabled = integer("SensEnabled") == 1;
    t.MinTemp = real("TempMin");
    t.MaxTemp = real("TempMax");
    t.TempIdeale = real("IdealeTemp");
    t.Isteresi = integer("Isteresi");
    t.PrimaPt = integer("PrimaPt");
    t.SecondaPt = integer("SecondaPt");
    return t;
}

void AppendTemperatureRecord(TMemData& table, const TTemperatureSettings& settings) {
    std::vector<TFieldValue> row(std::size_t(table.FieldCount()));
    const auto set = [&](const char* field, TFieldValue value) {
        row[std::size_t(table.FieldIndex(QLatin1String(field)))] = std::move(value);
    };
    set("SensEnabled", qint32(settings.SensorEnabled ? 1 : 0));
    set("TempMin", settings.MinTemp);
    set("TempMax", settings.MaxTemp);
    set("IdealeTemp", settings.TempIdeale);
    set("Isteresi", qint32(settings.Isteresi));
    set("PrimaPt", qint32(settings.PrimaPt));
    set("SecondaPt", qint32(settings.SecondaPt));
    WithControlsDisabled(table, [&] {
        table.AppendRecord(row);
        table.First();
    });
}

QList<AnsiString> ReadPortNames(TMemData& portTable) {
    QList<AnsiString> names;
    portTable.First();
    while (!portTable.Eof()) {
        names.append(portTable.FieldByName(QStringLiteral("Descrizione")).AsString());
        portTable.Next();
    }
    portTable.First();
    return names;
}

} // namespace lumotrix
