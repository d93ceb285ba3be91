#pragma once

// Field definitions of the three configuration tables. Each function closes the table,
// replaces its fields and leaves it open and empty.

#include "model/ConfigFields.h"
#include "model/MemData.h"

namespace lumotrix {

// MemData1: RecId, Timer string(20), Uscita smallint, Giorno string(20), Inizio time of day,
// Durata duration, Stato boolean. Insertion order.
void DefineTimerTable(TMemData& table);
// MemData2: RecId, Nporta smallint, Descrizione string(32); sorted on Nporta.
void DefinePortTable(TMemData& table);
// MemData3: RecId, SensEnabled smallint, TempMin, TempMax, IdealeTemp double, Isteresi,
// PrimaPt, SecondaPt integer.
void DefineTemperatureTable(TMemData& table);

// A port name without the blanks the controller pads it with to its 32 bytes: "Luci  " and
// "Luci" name the same port.
AnsiString PortNameWithoutFill(AnsiString name);

// The label of timer row n built from the controller: "Timer 01" .. "Timer 42".
AnsiString TimerLabel(int n);

} // namespace lumotrix
