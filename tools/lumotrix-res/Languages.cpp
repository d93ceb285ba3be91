#include "Languages.h"

#include "runtime/FormatSettings.h"

#include <QStringList>

namespace lumotrix {

QString LanguageIdText(quint32 id) {
    return QStringLiteral("0x%1").arg(id, 4, 16, QLatin1Char('0'));
}

QString LanguageLine(const TLocaleRow& row) {
    const QString code = QString::fromLatin1(row.Abbreviation);
    return QStringList{LanguageIdText(row.Id),
                       code,
                       code.chopped(1),
                       LanguageDisplayName(row.Id, true, TNameWidth::Wide),
                       LanguageDisplayName(row.Id, false, TNameWidth::Wide),
                       QString::number(row.AnsiCodePage)}
        .join(u'\t');
}

} // namespace lumotrix
