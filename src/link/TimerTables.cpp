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
    table.DisableControls();
    try {
        table.Close();
        table.Open();
        for (const auto& row : rows)
            table.AppendRecord(row);
        table.First();
    } catch (...) {
        table.EnableControls();
        throw;
    }
    table.EnableControls();
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
