#pragma once

// The three files of a configuration: the timer file F as the user named it, and beside it the
// port file "P" + name and the temperature file "T" + name, where name is F's file name without
// its last extension.

#include "model/MemData.h"
#include "model/ModelMessageIds.h"

#include <QString>

namespace lumotrix {

struct TConfigurationFiles {
    QString TimerFile;
    QString PortFile;
    QString TemperatureFile;
};

// acquario.tmr -> Pacquario, Tacquario; acquario.old.tmr -> Pacquario.old, Tacquario.old.
TConfigurationFiles ConfigurationFilesOf(const QString& timerFile);

// Writes the timer, port and temperature tables all or nothing, even across a crash. Each table
// is first written whole to a new file beside its target and flushed to disk; the old files are
// kept (hard links or copies) and a marker, the timer file's name + ".saving", records the new
// and old names before the three renames, timer file first; the marker goes once the set is in
// place. A file of the set that is a symbolic link stays one: the target is the file it leads
// to, followed once, and the new and old copies go beside that file. A failure at any step
// removes the new files and puts back the old ones, then throws EWriteError naming the file that
// failed: "Nothing written: ..." when no target was touched yet, otherwise ending in "the files
// are as they were" (or naming an old file that could not be put back, whose copy and the marker
// are then left beside it). A save first recovers the set (below) and removes what saves killed
// before their marker left beside it: names of exactly the forms the save gives them. A marker
// that recovery refuses is replaced only when each of the three files holds a whole table of
// its kind; otherwise the save throws as recovery does and writes nothing.
void SaveConfigurationFiles(TMemData& timers, TMemData& ports, TMemData& temperature,
                            const QString& timerFile);

// Finishes what a save interrupted by a crash left: with a marker beside the set, the set becomes
// the new one if all three new files were renamed into place, and the old one otherwise; then
// the marker goes. Nothing to do without a marker. A marker is used only when it is what a save
// of this set writes: a regular file of a few hundred bytes naming, for each file of the set (or
// the file behind its link), a new file and an old copy of the forms the save gives them;
// anything else throws EReadError (msgSaveRecordRefused, which tells the user to delete it) and
// touches nothing. Throws EReadError for a marker that cannot be read and EWriteError when an old
// file cannot be put back.
void RecoverConfigurationFiles(const QString& timerFile);

// Recovers the set (RecoverConfigurationFiles), then loads each table whose file exists, in the
// same order, with the table's views suspended; a
// missing file leaves its table as it is. A bad file throws EReadError; the tables loaded before
// it keep what they loaded.
void LoadConfigurationFiles(TMemData& timers, TMemData& ports, TMemData& temperature,
                            const QString& timerFile);

} // namespace lumotrix
