#include "model/TableRecords.h"

#include "model/ConfigTables.h"

#include "runtime/Exception.h"
#include "runtime/ScopeExit.h"

namespace lumotrix {

void RetrieveMemData(TMemData& timerTable, const TDayNames& dayNames, TTimerImage& image) {
    timerTable.First();
    for (TimerRecord& record : image) {
        record.Day = dayNames.CodeOf(timerTable.FieldByName(Field::Giorno).AsString());
        record.IsOn = timerTable.FieldByName(Field::Stato).AsBoolean() ? 1 : 0;
        record.OutputPort = timerTable.FieldByName(Field::Uscita).AsInteger();
        const TTimeParts start = DecodeTime(timerTable.FieldByName(Field::Inizio).AsTime());
        record.StartHour = start.Hour;
        record.StartMinute = start.Minute;
        record.StartSecond = start.Second;
        const TTimeParts duration = DecodeTime(timerTable.FieldByName(Field::Durata).AsTime());
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
            throw Exception(
                DeveloperText(QStringLiteral("Table %1 has %2 fields, a row of %3 values was made")
                                  .arg(table.Name())
                                  .arg(defs.size())
                                  .arg(row.size())));
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
    table.DisableControls();
    const TScopeExit resume([&] { table.EnableControls(); });
    table.Close();
    table.Open();
    for (const auto& row : rows)
        table.AppendRecord(row);
    table.First();
}

TTemperatureSettings ReadTemperatureRecord(const TMemData& table) {
    TTemperatureSettings t;
    t.TempIdeale = 0;
    if (!table.Active() || table.IsEmpty())
        return t;
    const auto at = [&](QLatin1String field) -> std::pair<const TFieldDef&, const TFieldValue&> {
        const int index = table.FieldIndex(field);
        return {table.FieldDefs()[std::size_t(index)], table.CellValue(0, index)};
    };
    const auto integer = [&](QLatin1String field) {
        const auto [def, value] = at(field);
        return ValueAsInteger(def, value);
    };
    const auto real = [&](QLatin1String field) {
        const auto [def, value] = at(field);
        return ValueAsFloat(def, value);
    };
    t.SensorEnabled = integer(Field::SensEnabled) == 1;
    t.MinTemp = real(Field::TempMin);
    t.MaxTemp = real(Field::TempMax);
    t.TempIdeale = real(Field::IdealeTemp);
    t.Isteresi = integer(Field::Isteresi);
    t.PrimaPt = integer(Field::PrimaPt);
    t.SecondaPt = integer(Field::SecondaPt);
    return t;
}

void AppendTemperatureRecord(TMemData& table, const TTemperatureSettings& settings) {
    std::vector<TFieldValue> row(std::size_t(table.FieldCount()));
    const auto set = [&](QLatin1String field, TFieldValue value) {
        row[std::size_t(table.FieldIndex(field))] = std::move(value);
    };
    set(Field::SensEnabled, qint32(settings.SensorEnabled ? 1 : 0));
    set(Field::TempMin, settings.MinTemp);
    set(Field::TempMax, settings.MaxTemp);
    set(Field::IdealeTemp, settings.TempIdeale);
    set(Field::Isteresi, qint32(settings.Isteresi));
    set(Field::PrimaPt, qint32(settings.PrimaPt));
    set(Field::SecondaPt, qint32(settings.SecondaPt));
    table.DisableControls();
    const TScopeExit resume([&] { table.EnableControls(); });
    table.AppendRecord(row);
    table.First();
}

QList<AnsiString> ReadPortNames(TMemData& portTable) {
    QList<AnsiString> names;
    portTable.First();
    while (!portTable.Eof()) {
        names.append(portTable.FieldByName(Field::Descrizione).AsString());
        portTable.Next();
    }
    portTable.First();
    return names;
}

TTableRows CommittedRows(const TMemData& table) {
    TTableRows rows;
    if (!table.Active())
        return rows;
    rows.reserve(std::size_t(table.RecordCount()));
    for (int row = 0; row < table.RecordCount(); ++row) {
        TTableRow values;
        values.reserve(std::size_t(table.FieldCount()));
        for (int field = 0; field < table.FieldCount(); ++field)
            values.push_back(table.CellValue(row, field));
        rows.push_back(std::move(values));
    }
    return rows;
}

int RowOfRecId(const TMemData& table, qint32 recId) {
    for (int row = 0; row < table.RecordCount(); ++row)
        if (table.CellValue(row, 0) == TFieldValue(recId))
            return row;
    return -1;
}

void PutRow(TMemData& table, const TTableRow& values) {
    table.CheckBrowseMode();
    const auto* recId = values.empty() ? nullptr : std::get_if<qint32>(&values[0]);
    const int row = recId ? RowOfRecId(table, *recId) : -1;
    if (row < 0) {
        table.AppendRecord(values);
        return;
    }
    table.SetRecNo(row + 1);
    table.Edit();
    for (int field = 1; field < table.FieldCount(); ++field)
        table.Fields(field).SetValue(values[std::size_t(field)]);
    table.Post();
}

void RemoveRow(TMemData& table, qint32 recId) {
    table.CheckBrowseMode();
    const int row = RowOfRecId(table, recId);
    if (row < 0)
        return;
    table.SetRecNo(row + 1);
    table.Delete();
}

} // namespace lumotrix
