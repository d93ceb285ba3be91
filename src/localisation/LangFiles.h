#pragma once

// Which languages have resource files, and where they are.
//
// A module's resource file for a language sits beside the module, named as the module with its
// extension replaced by the language code (lumotrix.DEU), else in the user's documents folder
// under Translations/ with the same file name. A file whose name differs only in letter case
// serves when the exact name is absent; codes themselves compare exactly. The built-in
// language has no file: its resources are compiled into the modules.

#include "runtime/Locales.h"

#include <QList>
#include <QString>
#include <memory>

namespace lumotrix {

class TResourceFile;

struct TLanguageEntry {
    QString Code;
    TLocaleId Locale = 0;
};
using TLanguageList = QList<TLanguageEntry>;

// The program's own file (the module list's head).
QString ProgramFilePath();
// True when `path` names an existing regular file.
bool FileExists(const QString& path);
// The language file at `path`: that name, else the first name in sorted order that differs
// from it only in letter case; empty when there is none.
QString LanguageFilePath(const QString& path);
// documents/Translations/<file name of path>
QString TranslationsFolderPath(const QString& path);
// The resource file at `name` (or a name differing only in case), checked against the bounds a
// translation must keep; nullptr, reported on standard error, when it is absent or unusable.
std::unique_ptr<TResourceFile> OpenResourceFile(const QString& name);

// The languages with a resource file beside the program (empty path: the program's own), in
// locale enumeration order, a locale's three-letter code before its two-letter one, each
// two-letter code once; when there is none there, those in documents/Translations. With
// `systemCodePageOnly`, only languages whose ANSI code page is the system's. Appends to `list`
// and returns its size.
int ListAvailableLanguages(TLanguageList& list, const QString& programPath,
                           bool systemCodePageOnly);
int CountAvailableLanguages(const QString& programPath, bool systemCodePageOnly);
// Throws when there is no language to switch to.
void RequireResourceFiles();

// `code` when path's file for it exists; else the code without its last letter when
// `tryShorter` or the code is longer than two letters and that file exists; else empty.
QString FindResourceLanguage(const QString& path, const QString& code, bool tryShorter);

} // namespace lumotrix
