#pragma once

#include "link/Framing.h"
#include "model/DayNames.h"
#include "model/MemData.h"

#include <QString>

namespace lumotrix {

// One configuration as the window holds it: the timer, port and temperature tables with their
// field definitions, and the day names. The temperature table stands in for the window's
// temperature page.
class TConfigSet {
public:
    TConfigSet();
    TConfigSet(const TConfigSet&) = delete;
    TConfigSet& operator=(const TConfigSet&) = delete;

    TMemData Timers{QStringLiteral("MemData1")};
    TMemData Ports{QStringLiteral("MemData2")};
    TMemData Temperature{QStringLiteral("MemData3")};
    TDayNames DayNames;

    // Loads the files of `timerFile`. The timer file must exist; a missing companion leaves its
    // table empty, as opening the file in the window does. Throws EResNotFound or EReadError.
    void Load(const QString& timerFile);

    // Writes the three files all or nothing (SaveConfigurationFiles). Throws EWriteError naming
    // the file that failed.
    void Save(const QString& timerFile);

    // Throws Exception saying what is missing when the set can't make a whole send: 42 timers,
    // ports 1 to 8, a temperature record within the editors' ranges.
    void CheckComplete(const QString& timerFile) const;

    bool HasTemperature() const { return !Temperature.IsEmpty(); }
    // The first temperature record, read as the window reads it into its page; zeros when
    // there is none.
    TTemperatureSettings TemperatureSettings() const;
    // Replaces the temperature record with `settings`, as the window does before a save.
    void SetTemperatureSettings(const TTemperatureSettings& settings);
};

} // namespace lumotrix
