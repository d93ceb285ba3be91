#pragma once

// The three files of a configuration: the timer file F as the user named it, and beside it the
// port file "P" + name and the temperature file "T" + name, where name is F's file name without
// its last extension.

#include "model/MemData.h"

#include <QString>

namespace lumotrix {

struct TConfigurationFiles {
    QString TimerFile;
    QString PortFile;
    QString TemperatureFile;
};

// acquario.tmr -> Pacquario, Tacquario; acquario.old.tmr -> Pacquario.old, Tacquario.old.
TConfigurationFiles ConfigurationFilesOf(const QString& timerFile);

// Writes the timer, port and temperature tables all or nothing. Each table is first written to a
// new file beside its target; only when all three exist are they renamed into place, timer file
// first, the old files being kept (hard links or copies) until the set is complete. A failure at
// any step removes the new files and puts back the old ones, then throws EWriteError naming the
// file that failed: "Nothing written: ..." when no target was touched yet, otherwise ending in
// "the files are as they were" (or naming an old file that could not be put back, whose copy
// is then left beside it).
void SaveConfigurationFiles(TMemData& timers, TMemData& ports, TMemData& temperature,
                            const QString& timerFile);

// Loads each table whose file exists, in the same order, with the table's views suspended; a
// missing file leaves its table as it is. A bad file throws EReadError; the tables loaded before
// it keep what they loaded.
void LoadConfigurationFiles(TMemData& timers, TMemData& ports, TMemData& temperature,
                            const QString& timerFile);

} // namespace lumotrix
