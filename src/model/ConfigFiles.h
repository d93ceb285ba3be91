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

// Writes the timer, port and temperature tables in this order; a failure stops at the file that
// failed (the files written before it stay) and throws EWriteError.
void SaveConfigurationFiles(TMemData& timers, TMemData& ports, TMemData& temperature,
                            const QString& timerFile);

// Loads each table whose file exists, in the same order, with the table's views suspended; a
// missing file leaves its table as it is. A bad file throws EReadError; the tables loaded before
// it keep what they loaded.
void LoadConfigurationFiles(TMemData& timers, TMemData& ports, TMemData& temperature,
                            const QString& timerFile);

} // namespace lumotrix
