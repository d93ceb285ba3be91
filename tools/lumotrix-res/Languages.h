#pragma once

#include "runtime/Locales.h"

#include <QString>

namespace lumotrix {

// A locale or resource language id as the tool writes it: "0x0407", "0x20c0a".
QString LanguageIdText(quint32 id);

// One line of `lumotrix-res languages` for a row of the runtime's locale table: locale id (hex),
// three-letter code, two-letter code (the three-letter one without its last letter), native
// name, English name, ANSI code page, separated by tabs.
QString LanguageLine(const TLocaleRow& row);

} // namespace lumotrix
