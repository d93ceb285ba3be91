#pragma once

#include "runtime/Message.h"

#include <QByteArray>
#include <QString>

namespace lumotrix {

// Writes `bytes` to `path` through a temporary file beside it, flushed to disk, renamed over
// `path`, with the folder flushed after the rename: after a crash at any point `path` holds its
// old content or the new, whole. False on failure, with the reason in `reason`.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, TMessage& reason);
// The same with the system's own text for the reason, for the tools and the stores whose
// failures are not put into the user's language.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& error);

// The regular expression of what a write adds to the name it replaces for its temporary file,
// so that a leftover of a killed write is told from a name that only looks like one.
QString TemporarySuffixPattern();

// Flushes the entries of the folder holding `path` (renames, new and removed names) to disk.
bool SyncFolderOf(const QString& path);

// Every step of a save that changes the disk (write, flush, rename, removal) calls SaveStep()
// first. A hook set here sees each one; the crash tests stop the process there.
using TSaveStepHook = void (*)();
void SetSaveStepHook(TSaveStepHook hook);
void SaveStep();

} // namespace lumotrix
