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
    table.AddFieldDef(Field::Timer, TFieldType::ftString, TimerLabelSize);
    table.AddFieldDef(Field::Uscita, TFieldType::ftSmallint);
    table.AddFieldDef(Field::Giorno, TFieldType::ftString, DayTextSize);
    table.AddFieldDef(Field::Inizio, TFieldType::ftTime);
    table.AddFieldDef(Field::Durata, TFieldType::ftDuration);
    table.AddFieldDef(Field::Stato, TFieldType::ftBoolean);
    table.Open();
}

void DefinePortTable(TMemData& table) {
    Redefine(table);
    table.AddFieldDef(Field::Nporta, TFieldType::ftSmallint);
    table.AddFieldDef(Field::Descrizione, TFieldType::ftString, PortNameSize);
    table.SetSortFieldName(Field::Nporta);
    table.Open();
}

void DefineTemperatureTable(TMemData& table) {
    Redefine(table);
    table.AddFieldDef(Field::SensEnabled, TFieldType::ftSmallint);
    table.AddFieldDef(Field::TempMin, TFieldType::ftFloat);
    table.AddFieldDef(Field::TempMax, TFieldType::ftFloat);
    table.AddFieldDef(Field::IdealeTemp, TFieldType::ftFloat);
    table.AddFieldDef(Field::Isteresi, TFieldType::ftInteger);
    table.AddFieldDef(Field::PrimaPt, TFieldType::ftInteger);
    table.AddFieldDef(Field::SecondaPt, TFieldType::ftInteger);
    table.Open();
}

AnsiString PortNameWithoutFill(AnsiString name) {
    qsizetype size = name.size();
    while (size > 0 && name[size - 1] == ' ')
        --size;
    name.truncate(size);
    return name;
}

AnsiString TimerLabel(int n) {
    return (n < 10 ? AnsiString("Timer 0") : AnsiString("Timer ")) + AnsiString::number(n);
}

} // namespace lumotrix
