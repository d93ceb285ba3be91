#pragma once

// The names, sizes and value ranges of the configuration's fields: the tables, the files, the
// controller link, the window's editors and the command-line checks all read them from here.

#include <QLatin1String>

namespace lumotrix {

constexpr int TimerCount = 42;
constexpr int PortCount = 8;
constexpr int TimerLabelSize = 20;
constexpr int DayTextSize = 20;
constexpr int PortNameSize = 32;

// Temperatures are 0 to MaxDegrees in whole tenths; the hysteresis is a percentage of the ideal
// temperature; a temperature port choice is 0 (none) or a port number.
constexpr double MaxDegrees = 90;
constexpr int MaxHysteresis = 100;

namespace Field {

inline constexpr QLatin1String RecId{"RecId"};

// The timer table MemData1.
inline constexpr QLatin1String Timer{"Timer"};
inline constexpr QLatin1String Uscita{"Uscita"};
inline constexpr QLatin1String Giorno{"Giorno"};
inline constexpr QLatin1String Inizio{"Inizio"};
inline constexpr QLatin1String Durata{"Durata"};
inline constexpr QLatin1String Stato{"Stato"};

// The port table MemData2.
inline constexpr QLatin1String Nporta{"Nporta"};
inline constexpr QLatin1String Descrizione{"Descrizione"};

// The temperature table MemData3.
inline constexpr QLatin1String SensEnabled{"SensEnabled"};
inline constexpr QLatin1String TempMin{"TempMin"};
inline constexpr QLatin1String TempMax{"TempMax"};
inline constexpr QLatin1String IdealeTemp{"IdealeTemp"};
inline constexpr QLatin1String Isteresi{"Isteresi"};
inline constexpr QLatin1String PrimaPt{"PrimaPt"};
inline constexpr QLatin1String SecondaPt{"SecondaPt"};

} // namespace Field

} // namespace lumotrix
