#include "Languages.h"

#include "runtime/Exception.h"

#include <QStringList>

namespace lumotrix {

QList<TLocaleRow> SupportedLocaleRows() {
    // Waits for the runtime's locale table (three-letter codes and code pages are the platform's
    // knowledge, which ICU lacks); no list of our own stands in for it.
    throw EAbstractError(
        QStringLiteral("languages: the locale table is not part of this build yet"));
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
