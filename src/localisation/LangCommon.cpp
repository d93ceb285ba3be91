#include "localisation/LangCommon.h"

namespace lumotrix {

QString LanguageCodeOfLocale(TLocaleId locale) {
    if (locale == 0)
        return {};
    QString code = GetLocaleStr(locale, LOCALE_SABBREVLANGNAME, QString());
    if (SublanguageOf(locale) == 0)
        code.chop(1);
    return code;
}

} // namespace lumotrix
