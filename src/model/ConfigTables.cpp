#include "model/ConfigTables.h"

namespace lumotrix {
namespace {

void Redefine(TMemData& table) {
    table.Close();
    table.ClearFieldDefs();
}

} // namespace

void DefineTimerTable(TMemData& table) {
    Redefine(table);
    table.AddFieldDef(QStringLiteral("Timer"), TFieldType::ftString, TimerLabelSize);
    table.AddFieldDef(QStringLiteral("Uscita"), TFieldType::ftSmallint);
    table.AddFieldDef(QStringLiteral("Giorno"), TFieldType::ftString, DayTextSize);
    table.AddFieldDef(QStringLiteral("Inizio"), TFieldType::ftTime);
    table.AddFieldDef(QStringLiteral("Durata"), TFieldType::ftDuration);
    table.AddFieldDef(QStringLiteral("Stato"), TFieldType::ftBoolean);
    table.Open();
}

void DefinePortTable(TMemData& table) {
    Redefine(table);
    table.AddFieldDef(QStringLiteral("Nporta"), TFieldType::ftSmallint);
    table.AddFieldDef(QStringLiteral("Descrizione"), TFieldType::ftString, PortNameSize);
    table.SetSortFieldName(QStringLiteral("Nporta"));
    table.Open();
}

void DefineTemperatureTable(TMemData& table) {
    Redefine(table);
    table.AddFieldDef(QStringLiteral("SensEnabled"), TFieldType::ftSmallint);
    table.AddFieldDef(QStringLiteral("TempMin"), TFieldType::ftFloat);
    table.AddFieldDef(QStringLiteral("TempMax"), TFieldType::ftFloat);
    table.AddFieldDef(QStringLiteral("IdealeTemp"), TFieldType::ftFloat);
    table.AddFieldDef(QStringLiteral("Isteresi"), TFieldType::ftInteger);
    table.AddFieldDef(QStringLiteral("PrimaPt"), TFieldType::ftInteger);
    table.AddFieldDef(QStringLiteral("SecondaPt"), TFieldType::ftInteger);
    table.Open();
}

AnsiString TimerLabel(int n) {
    return (n < 10 ? AnsiString("Timer 0") : AnsiString("Timer ")) + AnsiString::number(n);
}

} // namespace lumotrix
