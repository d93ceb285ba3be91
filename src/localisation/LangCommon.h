#pragma once

// Language codes: the extension of a resource file, two or three letters. Three letters name a
// language with a country (the locale's abbreviated language name, "DEU"); two letters the
// language alone ("DE").

#include "runtime/Locales.h"

#include <QString>

namespace lumotrix {

// The language code of a locale: its abbreviated language name, without the last letter for a
// language-neutral locale; empty for locale 0 or a locale without a name.
QString LanguageCodeOfLocale(TLocaleId locale);

} // namespace lumotrix
