#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>
#include <span>

namespace lumotrix {

// A 32-bit locale id: bits 0-9 the primary language, bits 10-15 the sublanguage (0 for a
// language-neutral id). Locale 0 stands for the user's default locale: here the start-up locale.
using TLocaleId = quint32;

constexpr TLocaleId LocaleEnglishUS = 0x0409;

constexpr quint32 PrimaryLanguageOf(TLocaleId locale) {
    return locale & 0x3FF;
}
constexpr quint32 SublanguageOf(TLocaleId locale) {
    return (locale >> 10) & 0x3F;
}

// The locale items this program reads, under their platform numbers.
enum TLocaleItem : int {
    LOCALE_SABBREVLANGNAME = 0x03,
    LOCALE_SNATIVELANGNAME = 0x04,
    LOCALE_SNATIVECTRYNAME = 0x08,
    LOCALE_SLIST = 0x0C,
    LOCALE_SDECIMAL = 0x0E,
    LOCALE_STHOUSAND = 0x0F,
    LOCALE_SCURRENCY = 0x14,
    LOCALE_ICURRDIGITS = 0x19,
    LOCALE_ICURRENCY = 0x1B,
    LOCALE_INEGCURR = 0x1C,
    LOCALE_SDATE = 0x1D,
    LOCALE_STIME = 0x1E,
    LOCALE_SSHORTDATE = 0x1F,
    LOCALE_SLONGDATE = 0x20,
    LOCALE_ITIME = 0x23,
    LOCALE_ITLZERO = 0x25,
    LOCALE_S1159 = 0x28,
    LOCALE_S2359 = 0x29,
    LOCALE_SDAYNAME1 = 0x2A,       // Monday; +6 is Sunday
    LOCALE_SABBREVDAYNAME1 = 0x31, // Monday; +6 is Sunday
    LOCALE_SMONTHNAME1 = 0x38,     // January; +11 is December
    LOCALE_SABBREVMONTHNAME1 = 0x44,
    // With a month name item: the form a date gives it ("8 декабря"), not the stand-alone one.
    LOCALE_RETURN_GENITIVE_NAMES = 0x10000000,
    LOCALE_SENGLANGUAGE = 0x1001,
    LOCALE_SENGCOUNTRY = 0x1002,
    LOCALE_IDEFAULTANSICODEPAGE = 0x1004,
    LOCALE_ITIMEMARKPOSN = 0x1005,
    LOCALE_ICALENDARTYPE = 0x1009,
    LOCALE_IOPTIONALCALENDAR = 0x100B,
};

// Calendar types as the locale items give them.
constexpr int CAL_GREGORIAN = 1;
constexpr int CAL_JAPAN = 3;
constexpr int CAL_TAIWAN = 4;
constexpr int CAL_KOREA = 5;

// What only the platform defines for a supported locale and ICU does not know: the three-letter
// abbreviated language name (the extension of a translation file), the default ANSI code page
// and the optional era calendar. Everything else comes from ICU.
struct TLocaleRow {
    TLocaleId Id;
    const char* Abbreviation;
    int AnsiCodePage;
    int OptionalCalendar; // 0: none besides the Gregorian
};

// The supported locales, in ascending locale-id order: the enumeration order.
std::span<const TLocaleRow> SupportedLocaleRows();
// The same order; `callback` returns false to stop.
void EnumSystemLocales(const std::function<bool(TLocaleId)>& callback);
bool IsSupportedLocale(TLocaleId locale);

// The supported locale an id reads its data from: itself, for 0 the user's default locale, for
// a language-neutral id the language's default locale (sublanguage 1, else the first of that
// language). 0 when there is none.
TLocaleId ResolveLocale(TLocaleId locale);

// The ICU name of a supported locale ("it_IT"); empty for an unsupported one.
QString IcuLocaleName(TLocaleId locale);

// The supported locale of a POSIX locale name ("de_DE.UTF-8", "de_DE@euro", "de": encoding and
// modifier dropped, a bare language gives its default locale); 0 for "C", "POSIX" or a language
// without a supported locale.
TLocaleId LocaleOfPosixName(const QString& name);

// The locale item's text; nullopt when the locale or the item is unknown.
std::optional<QString> LocaleInfo(TLocaleId locale, int item);
// The runtime's lookups with default: the text, or `fallback` when there is none; the first
// character, or `fallback` when there is none.
QString GetLocaleStr(TLocaleId locale, int item, const QString& fallback);
QChar GetLocaleChar(TLocaleId locale, int item, QChar fallback);
// The item read as a decimal integer; `fallback` when unreadable or not a number.
int GetLocaleInt(TLocaleId locale, int item, int fallback);

// The locale's wide string for an item, or `fallback` when the locale gives none.
QString LocaleInfoWide(TLocaleId locale, int item, const QString& fallback);

// The default-code-page word of the locale's font signature (one bit per code page, the
// character-set table's bit numbers); nullopt for an unsupported locale.
std::optional<quint32> LocaleFontSignatureCodePages(TLocaleId locale);

// The first locale, in enumeration order, whose abbreviated language name equals `code` (its
// locale id), or equals `code` with one more letter (the primary language id alone); letter
// case ignored. 0 when none.
TLocaleId FindLanguageCodeLocale(const QString& code);

// The ANSI code page of the locale a language code (a resource file's extension) names;
// Windows-1252 when it names none.
int CodePageOfLanguageCode(const QString& code);

// The start-up locale (LC_ALL, else LC_MESSAGES, else LANG, the first one set); English (United
// States) when that names no supported locale. Read once, at first use.
TLocaleId UserDefaultLocale();
// Overrides the start-up locale (for tests; the program takes it from the environment).
void SetUserDefaultLocale(TLocaleId locale);
// The start-up locale by the environment's rule, read now.
TLocaleId LocaleFromEnvironment();

// The locale of the GUI thread; starts as the user's default locale. Setting 0 restores it.
TLocaleId GetThreadLocale();
void SetThreadLocale(TLocaleId locale);

} // namespace lumotrix
