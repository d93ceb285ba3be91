#pragma once

#include "runtime/LocaleData.h"
#include "runtime/LocaleItems.h"

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

// The language the program is written in: its forms and string table (app/lumotrix.rc) are
// Italian and it has no resource file. The language dialog lists it by this code; its lower-case
// form names it to ICU and to the toolkit's catalogues.
inline const QString BuiltInLanguage = QStringLiteral("IT");

constexpr quint32 PrimaryLanguageOf(TLocaleId locale) {
    return locale & 0x3FF;
}
constexpr quint32 SublanguageOf(TLocaleId locale) {
    return (locale >> 10) & 0x3F;
}

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

// A locale's format items, read together: separators, date and time pictures, month and day
// names, currency and calendar items; not the language and country names. The lookups take the
// same fallbacks as GetLocaleStr, GetLocaleChar and GetLocaleInt.
class TLocaleFormatItems {
public:
    TLocaleFormatItems() = default;
    explicit TLocaleFormatItems(TLocaleItems items);

    std::optional<QString> Item(int item) const;
    QString Str(int item, const QString& fallback) const;
    QChar Char(int item, QChar fallback) const;
    int Int(int item, int fallback) const;

private:
    TLocaleItems FItems;
};

// The format items of the locale an id resolves to, read once per locale; empty for an unknown
// locale. The record stays valid and unchanged for the program's life.
const TLocaleFormatItems& LocaleFormatItems(TLocaleId locale);

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
