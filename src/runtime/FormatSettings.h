#pragma once

#include <QChar>
#include <QString>

namespace lumotrix {

// The process-wide number formatting in force; it follows the interface language.
struct TFormatSettings {
    QChar DecimalSeparator = QLatin1Char('.');
    QChar ThousandSeparator = QLatin1Char(',');
};

TFormatSettings& FormatSettings();

// Fills the format settings from an ICU locale name ("it_IT", "de_DE"...); an unknown name
// keeps '.' and ','.
void BuildFormatSettingsForLocale(const QString& icuLocaleName);

// General floating-point format: up to 15 significant digits, no trailing zeros, whole numbers
// without decimals, exponent notation only for very large or very small magnitudes.
QString FloatToStr(double value);
QString FloatToStr(double value, const TFormatSettings& settings);

} // namespace lumotrix
