#pragma once

#include "runtime/Locales.h"

#include <QChar>
#include <QString>
#include <array>
#include <bitset>

namespace lumotrix {

// The process-wide date, time, number and currency conventions in force; they follow the
// interface language. Everything that shows or parses such a value for the user reads them;
// what goes on the wire does not.
struct TFormatSettings {
    std::array<QString, 12> ShortMonthNames; // [0] is January
    std::array<QString, 12> LongMonthNames;
    std::array<QString, 7> ShortDayNames; // [0] is Sunday
    std::array<QString, 7> LongDayNames;
    QString CurrencyString;
    quint8 CurrencyFormat = 0;
    quint8 NegCurrFormat = 0;
    QChar ThousandSeparator = QLatin1Char(',');
    QChar DecimalSeparator = QLatin1Char('.');
    quint8 CurrencyDecimals = 0;
    QChar DateSeparator = QLatin1Char('/');
    QString ShortDateFormat = QStringLiteral("m/d/yy");
    QString LongDateFormat = QStringLiteral("mmmm d, yyyy");
    QChar TimeSeparator = QLatin1Char(':');
    QString TimeAMString = QStringLiteral("am");
    QString TimePMString = QStringLiteral("pm");
    QString ShortTimeFormat = QStringLiteral("h:mm AMPM");
    QString LongTimeFormat = QStringLiteral("h:mm:ss AMPM");
    QChar ListSeparator = QLatin1Char(',');
    std::array<QString, 7> EraNames;
    std::array<int, 7> EraYearOffsets{};
};

TFormatSettings& FormatSettings();

// The runtime's locale record.
struct TSysLocale {
    qint32 DefaultLCID = LocaleEnglishUS;
    qint32 PriLangID = 9;
    qint32 SubLangID = 1;
    bool FarEast = false;    // the locale's code page has two-byte characters
    bool MiddleEast = false; // the locale writes right to left
};

TSysLocale& SysLocale();

// The bytes that begin a two-byte character in the code page of the locale in force.
using TLeadBytes = std::bitset<256>;
TLeadBytes& LeadBytes();

// Refills the format settings and the locale record from a locale (0: the user's default).
// Items the locale does not give fall back to the defaults; month and day names keep their
// values, and so do the era names, which only an era calendar fills.
void BuildFormatSettings(TLocaleId locale);
// Refills SysLocale and LeadBytes.
void SetLocaleRecord(TLocaleId locale);
// Adds the lead-byte ranges of the record's locale's code page to LeadBytes.
void FillLeadBytes();
// True for the primary languages whose code page needs no inspection.
bool IsPlainWesternLanguage();

// A date picture for a locale: for an era calendar the year becomes the era year ("yyyy" ->
// "eeee", "yy" -> "ee", "y" -> "e") and "gg" the era name ("ggg"); for Chinese, Japanese and
// Korean without one the era ("g") is dropped. `calendar` is the locale's calendar type,
// `primaryLanguage` its primary language id.
QString AdaptDatePicture(const QString& picture, int calendar, qint32 primaryLanguage);

// Enumeration steps: each stores one era name / year offset in the first free entry and
// returns false (stop) when there is none.
bool CollectEraName(TFormatSettings& settings, const QString& text);
bool CollectEraOffset(TFormatSettings& settings, const QString& text);

// The locale's ANSI code page; 0 when unreadable.
int LocaleAnsiCodePage(TLocaleId locale);
// The system ANSI code page: that of the user's default locale, Windows-1252 when it has none.
int SystemAnsiCodePage();
bool UsesSystemCodePage(TLocaleId locale);
// The locale's ANSI code page; the system's when unreadable.
int LocaleCodePageOrSystem(TLocaleId locale);

enum class TNameWidth { Narrow, Wide };
// The language's name, native or English, followed by " (country)" when the locale has a
// sublanguage and a country name. The narrow form is the text as the locale's ANSI code page
// holds it ('?' for what it cannot).
QString LanguageDisplayName(TLocaleId locale, bool native, TNameWidth width);

// General floating-point format: up to 15 significant digits, no trailing zeros, whole numbers
// without decimals, exponent notation only for very large or very small magnitudes.
QString FloatToStr(double value);
QString FloatToStr(double value, const TFormatSettings& settings);

} // namespace lumotrix
