#pragma once

// Which languages have resource files, and putting one of them in force while the program runs.
//
// A module's resource file for a language sits beside the module, named as the module with its
// extension replaced by the language code (lumotrix.DEU), else in the user's documents folder
// under Translations/ with the same file name. A file whose name differs only in letter case
// serves when the exact name is absent; codes themselves compare exactly. The built-in
// language has no file: its resources are compiled into the modules.

#include "runtime/Locales.h"
#include "runtime/TypInfo.h"

#include <QList>
#include <QString>
#include <memory>

namespace lumotrix {

class TResourceFile;

// The code of the resource files in force; empty while the built-in language is.
extern QString CurrentLanguage;
// The locale of the latest LocaleOfLanguageCode with a code; 0 when that matched nothing.
extern TLocaleId ResolvedLocale;

enum TSwitchOption { KeepThreadLocale, KeepFormatSettings };
using TSwitchOptions = TSet<TSwitchOption>;

struct TLanguageEntry {
    QString Code;
    TLocaleId Locale = 0;
};
using TLanguageList = QList<TLanguageEntry>;

// The locale a code names (a leading "." is ignored, letter case too): the first locale whose
// three-letter code it is, or the language-neutral id of the first whose code is one letter
// longer. 0 when none; an empty code gives 0 and leaves ResolvedLocale as it was.
TLocaleId LocaleOfLanguageCode(const QString& code);

// Opens the module's resource file with extension `ext` (".DEU"): beside the module, else in
// documents/Translations. A file that cannot be read or is no resource file counts as absent
// (reported on standard error). Sets CurrentLanguage to the extension's code when one opens.
std::unique_ptr<TResourceFile> LoadResourceFile(const QString& moduleFile, const QString& ext);

// Puts the files of a language in force for every module that has one; a three-letter code
// falls back to its two-letter file. A module without a file keeps its resource source. The
// empty code restores every module's own resources. Returns the first file put in force (for
// the built-in language the last module's own resources); nullptr when no module had a file.
const TResourceFile* LoadResourceModules(const QString& code);

// Switches the running program to a language (empty: the built-in one): its resource files,
// the thread locale, the format settings, the re-translation of every open form. False, with
// nothing changed, when no module has a file of that language. A failure while re-translating
// reaches the caller with what was done so far left in force.
bool SwitchLanguage(const QString& code, TSwitchOptions options = {});

// Puts the toolkit's own texts (standard buttons, file dialogs) into the language of a code; the
// empty code is the built-in Italian. Each switch does it; the start does it once.
void LoadToolkitLanguage(const QString& code);

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

// The settings store's key of the language override; the value is named by the program's full
// path. Only read.
inline const QString LanguageOverrideKey =
    QStringLiteral("HKEY_CURRENT_USER\\Software\\Velmoran\\Locales");
// The override's code for the program (empty path: the program's own); empty when there is none,
// the store is unreadable or the value is not a code of 2 or 3 letters.
QString ReadLanguageOverride(const QString& programPath = {});

// Records the language the program starts in: the override's, else the thread locale's, each
// only when its file is beside the program (`programPath`; empty: the program's own). Loads
// nothing.
void DetectStartupLanguage(const QString& programPath = {});
// Puts the start-up language's files in force for every module, before any form is read.
// When none can be read the built-in language is in force and CurrentLanguage is cleared.
void LoadStartupLanguage();

} // namespace lumotrix
