#pragma once

// Putting a language's resource files in force while the program runs (where the files are:
// LangFiles.h).

#include "localisation/LangFiles.h"
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
