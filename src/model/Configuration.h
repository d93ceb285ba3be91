#pragma once

#include "model/ConfigRecords.h"
#include "model/DayNames.h"
#include "model/MemData.h"

#include <QString>

namespace lumotrix {

// One controller configuration: the timer, port and temperature tables with their field
// definitions, and the day names. The window, the controller link and the command-line tool
// each work on one. The temperature table holds the temperature settings only around file
// operations; the window's live settings are its temperature page.
class TConfiguration {
public:
    // The three tables open and empty, the day names filled.
    TConfiguration();
    TConfiguration(const TConfiguration&) = delete;
    TConfiguration& operator=(const TConfiguration&) = delete;

    TMemData Timers{QStringLiteral("MemData1")};
    TMemData Ports{QStringLiteral("MemData2")};
    TMemData Temperature{QStringLiteral("MemData3")};
    TDayNames DayNames;

    // Empties the timer, port and temperature tables, in this order, each with its views
    // suspended.
    void Clear();

    // Puts back one whole set after an interrupted save, then loads each table whose file exists
    // (LoadConfigurationFiles); a missing file leaves its table as it is. Throws EReadError for
    // a bad file.
    void LoadFiles(const QString& timerFile);
    // Loads the files of `timerFile`, which must exist; a missing companion leaves its table
    // empty, as opening the file in the window does. Throws EResNotFound or EReadError.
    void Load(const QString& timerFile);

    // Puts the tables of `source` in force, each with its views suspended.
    void Assign(TConfiguration& source);

    // Writes the three files all or nothing, even across a crash (SaveConfigurationFiles). Throws
    // EWriteError naming the file that failed.
    void Save(const QString& timerFile);

    // Throws Exception saying what is missing when the set can't make a whole send: 42 timers,
    // ports 1 to 8, a temperature record within the editors' ranges.
    void CheckComplete(const QString& timerFile) const;

    // Descrizione of every port row, in table order.
    QList<AnsiString> PortNames();

    bool HasTemperature() const { return !Temperature.IsEmpty(); }
    // The first temperature record, read as the window reads it into its page; zeros when
    // there is none.
    TTemperatureSettings TemperatureSettings() const;
    // Replaces the temperature record with `settings`, as the window does before a save.
    void SetTemperatureSettings(const TTemperatureSettings& settings);
};

} // namespace lumotrix
