#pragma once

// Conversions between the configuration tables and the records the controller link sends and
// receives.

#include "model/ConfigRecords.h"
#include "model/DayNames.h"
#include "model/MemData.h"

#include <vector>

namespace lumotrix {

using TTableRows = std::vector<std::vector<TFieldValue>>;

// Fills `image` from the timer table: always 42 steps from the first row, the last row
// repeating when the table is shorter; an empty field reads as "", 0 or false. Day is the
// day code of the row's Giorno (8 when it is none of the eight). Leaves the table on its
// first row.
void RetrieveMemData(TMemData& timerTable, const TDayNames& dayNames, TTimerImage& image);

// The 42 timer rows made from `image` (received convention: Day is the day-name position),
// each value already checked against the table's fields, so that storing them can't stop
// half way. A day position outside 1..8 gives an empty Giorno. Throws EConvertError or
// ERangeError for a time that is no time of day or a value the table refuses.
TTableRows BuildTimerRows(const TMemData& timerTable, const TTimerImage& image,
                          const TDayNames& dayNames);
// The eight port rows: RecId and Nporta 1..8, Descrizione the name.
TTableRows BuildPortRows(const TMemData& portTable, const TPortNames& names);

// Empties the table and appends `rows` (made by the two functions above), then goes to the
// first row; the bound views are refreshed once.
void ReplaceRows(TMemData& table, const TTableRows& rows);

// The temperature table's first record as settings; with no record (or a closed table) every
// value is 0, the ideal temperature included.
TTemperatureSettings ReadTemperatureRecord(const TMemData& temperatureTable);
// Appends one record holding `settings` (RecId left empty) with the views suspended, then goes
// to the first record.
void AppendTemperatureRecord(TMemData& temperatureTable, const TTemperatureSettings& settings);

// Descrizione of every port row, in table order.
QList<AnsiString> ReadPortNames(TMemData& portTable);

// Rows told apart by their RecId, so that one can be put back after the rows were re-sorted or
// others were removed. A row's values are in field order, RecId first.
using TTableRow = std::vector<TFieldValue>;
// Every row in table order, as the cells read (in edit state the edited row gives its buffer).
TTableRows CommittedRows(const TMemData& table);
// The row whose RecId is `recId`, -1 when there is none.
int RowOfRecId(const TMemData& table, qint32 recId);
// Stores `values` in the row with their RecId, or appends them when there is no such row; a
// pending edit is posted first. The row becomes current.
void PutRow(TMemData& table, const TTableRow& values);
// Removes the row with that RecId; nothing when there is none.
void RemoveRow(TMemData& table, qint32 recId);

} // namespace lumotrix
