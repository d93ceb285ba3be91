#pragma once

#include <QList>
#include <QString>

namespace lumotrix {

// What the runtime's locale table tells about one supported locale.
struct TLocaleRow {
    quint32 LocaleId = 0;
    QString ThreeLetterCode; // the abbreviated language name: DEU, ENU, ITA
    QString NativeName;
    QString EnglishName;
    int AnsiCodePage = 0;
};

// The supported locales in enumeration order, from the runtime's locale table. Until that table
// is part of the build this throws EAbstractError saying so.
QList<TLocaleRow> SupportedLocaleRows();

// One line of `lumotrix-res languages`: locale id (hex), three-letter code, two-letter code
// (the three-letter one without its last letter), native name, English name, ANSI code page,
// separated by tabs.
QString LanguageLine(const TLocaleRow& row);

} // namespace lumotrix
