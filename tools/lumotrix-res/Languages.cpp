#include "Languages.h"

#include "runtime/FormatSettings.h"

#include <QStringList>

namespace lumotrix {

QString LanguageLine(const TLocaleRow& row) {
    const QString code = QString::fromLatin1(row.Abbreviation);
    return QStringList{QStringLiteral("0x%1").arg(row.Id, 4, 16, QLatin1Char('0')),
                       code,
                       code.chopped(1),
                       LanguageDisplayName(row.Id, true, TNameWidth::Wide),
                       LanguageDisplayName(row.Id, false, TNameWidth::Wide),
                       QString::number(row.AnsiCodePage)}
        .join(u'\t');
}

} // namespace lumotrix
