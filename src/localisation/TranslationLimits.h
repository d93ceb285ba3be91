#pragma once

// What a translation file may ask of the program. A file is input like any other: these
// bounds keep a damaged or hostile one from holding up a start or a switch, while the real
// forms need a few hundred values and a few tens of kilobytes.

#include <QtGlobal>

namespace lumotrix {

class TResourceFile;

// The largest form resource read, in bytes.
constexpr qsizetype MaxFormStreamSize = qsizetype(8) * 1024 * 1024;
// The most component sections and values (a list counts its elements) a file's forms may hold
// together: each may become a component or a property write.
constexpr int MaxTranslationWrites = 200000;

// Throws EReadError saying which bound the file passes. A form stream is counted up to where
// it is damaged; the damage itself is the translation's to report.
void CheckTranslationBounds(const TResourceFile& file);

} // namespace lumotrix
