#include "runtime/FormatSettings.h"

#include <cmath>
#include <memory>
#include <unicode/dcfmtsym.h>
#include <unicode/locid.h>

namespace lumotrix {

TFormatSettings& FormatSettings() {
    static TFormatSettings settings;
    return settings;
}

void BuildFormatSettingsForLocale(const QString& icuLocaleName) {
    TFormatSettings settings;
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale locale(icuLocaleName.toLatin1().constData());
    icu::DecimalFormatSymbols symbols(locale, status);
    if (U_SUCCESS(status) && !locale.isBogus()) {
        const icu::UnicodeString dec =
            symbols.getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol);
        const icu::UnicodeString group =
            symbols.getSymbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol);
        if (dec.length() == 1)
            settings.DecimalSeparator = QChar(dec.charAt(0));
        if (group.length() == 1)
            settings.ThousandSeparator = QChar(group.charAt(0));
    }
    FormatSettings() = settings;
}

QString FloatToStr(double value) {
    return FloatToStr(value, FormatSettings());
}

QString FloatToStr(double value, const TFormatSettings& settings) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const double magnitude = std::fabs(value);
    QString text;
    if (magnitude != 0 && (magnitude >= 1e15 || magnitude < 1e-5)) {
        text = QString::number(value, 'E', 14);
        // Trim the mantissa's trailing zeros and the exponent's padding: 1.5E+20 -> 1.5E20.
        const qsizetype e = text.indexOf(QLatin1Char('E'));
        QString mantissa = text.left(e);
        QString exponent = text.mid(e + 1);
        while (mantissa.endsWith(QLatin1Char('0')))
            mantissa.chop(1);
        if (mantissa.endsWith(QLatin1Char('.')))
            mantissa.chop(1);
        const bool negative = exponent.startsWith(QLatin1Char('-'));
        exponent.remove(0, 1);
        while (exponent.size() > 1 && exponent.startsWith(QLatin1Char('0')))
            exponent.remove(0, 1);
        text =
            mantissa + QLatin1Char('E') + (negative ? QStringLiteral("-") : QString()) + exponent;
    } else {
        text = QString::number(value, 'g', 15);
        if (text.contains(QLatin1Char('e')))
            text = QString::number(value, 'f', 15);
        if (text.contains(QLatin1Char('.'))) {
            while (text.endsWith(QLatin1Char('0')))
                text.chop(1);
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
        }
    }
    text.replace(QLatin1Char('.'), settings.DecimalSeparator);
    return text;
}

} // namespace lumotrix
