#include "Languages.h"

#include "runtime/FormatSettings.h"
#include "runtime/Locales.h"

#include <QStringList>

namespace lumotrix {

QList<TLocaleRow> SupportedLocaleRows() {
    QList<TLocaleRow> rows;
    EnumSystemLocales([&rows](TLocaleId locale) {
        TLocaleRow row;
        row.LocaleId = locale;
        row.ThreeLetterCode = GetLocaleStr(locale, LOCALE_SABBREVLANGNAME, QString());
        row.NativeName = LanguageDisplayName(locale, true, TNameWidth::Wide);
        row.EnglishName = LanguageDisplayName(locale, false, TNameWidth::Wide);
        row.AnsiCodePage = LocaleAnsiCodePage(locale);
        rows.append(row);
        return true;
    });
    return rows;
}

QString LanguageLine(const TLocaleRow& row) {
    return QStringList{QStringLiteral("0x%1").arg(row.LocaleId, 4, 16, QLatin1Char('0')),
                       row.ThreeLetterCode,
                       row.ThreeLetterCode.left(row.ThreeLetterCode.size() - 1),
                       row.NativeName,
                       row.EnglishName,
                       QString::number(row.AnsiCodePage)}
        .join(u'\t');
}

} // namespace lumotrix
