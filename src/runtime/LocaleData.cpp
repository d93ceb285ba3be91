#include "runtime/LocaleData.h"

#include "runtime/Locales.h"

#include <memory>
#include <optional>
#include <unicode/datefmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/decimfmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/locid.h>
#include <unicode/numfmt.h>
#include <unicode/smpdtfmt.h>

namespace lumotrix {
namespace {

QString ToQString(const icu::UnicodeString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

bool IsPatternLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

qsizetype IndexOfAny(const QString& text, QLatin1String letters) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (letters.contains(text[i]))
            return i;
    return -1;
}

// The first separator after the first field of a pattern: '/' of "dd/MM/yy", ':' of "HH:mm".
std::optional<QChar> FirstSeparator(const QString& pattern) {
    bool inField = false;
    for (QChar c : pattern) {
        if (IsPatternLetter(c)) {
            inField = true;
        } else if (inField && c != u' ' && c != u'\'' && c != QChar(0x00A0)) {
            return c;
        }
    }
    return std::nullopt;
}

QString Pattern(const icu::DateFormat* format) {
    const auto* simple = dynamic_cast<const icu::SimpleDateFormat*>(format);
    if (!simple)
        return {};
    icu::UnicodeString pattern;
    simple->toPattern(pattern);
    return ToQString(pattern);
}

// The currency formats by their platform numbers: "$" the symbol, "1" the amount.
constexpr const char* PositiveCurrencyForms[] = {"$1", "1$", "$ 1", "1 $"};
constexpr const char* NegativeCurrencyForms[] = {"($1)", "-$1",  "$-1",   "$1-",  "(1$)", "-1$",
                                                 "1-$",  "1$-",  "-1 $",  "-$ 1", "1 $-", "$ 1-",
                                                 "$ -1", "1- $", "($ 1)", "(1 $)"};

int FormIndex(const QString& form, const auto& forms) {
    for (std::size_t i = 0; i < std::size(forms); ++i)
        if (form == QLatin1String(forms[i]))
            return int(i);
    return -1;
}

// A currency (sub)pattern reduced to the notation of the form tables.
QString CurrencyForm(const QString& pattern) {
    QString form;
    for (QChar c : pattern) {
        const char16_t u = c.unicode();
        if (u == 0x200E || u == 0x200F || u == 0x061C)
            continue; // direction marks
        if (u == '#' || u == '0' || u == ',' || u == '.') {
            if (!form.endsWith(u'1'))
                form += u'1';
        } else if (u == 0x00A4) {
            if (!form.endsWith(u'$'))
                form += u'$';
        } else if (c.isSpace() || u == 0x202F) {
            form += u' ';
        } else {
            form += c;
        }
    }
    return form;
}

void ReadCurrency(const icu::Locale& locale, TLocaleItems& items) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::NumberFormat> format(
        icu::NumberFormat::createCurrencyInstance(locale, status));
    const auto* decimal = dynamic_cast<const icu::DecimalFormat*>(format.get());
    if (U_FAILURE(status) || !decimal)
        return;
    items[LOCALE_ICURRDIGITS] = QString::number(decimal->getMaximumFractionDigits());
    icu::UnicodeString icuPattern;
    decimal->toPattern(icuPattern);
    const QString pattern = ToQString(icuPattern);
    const qsizetype split = pattern.indexOf(u';');
    const int positive = FormIndex(CurrencyForm(pattern.left(split)), PositiveCurrencyForms);
    if (positive < 0)
        return;
    items[LOCALE_ICURRENCY] = QString::number(positive);
    int negative =
        split >= 0 ? FormIndex(CurrencyForm(pattern.mid(split + 1)), NegativeCurrencyForms) : -1;
    if (negative < 0) // no negative pattern of its own: a minus sign in front of the positive
        negative = FormIndex(u'-' + CurrencyForm(pattern.left(split)), NegativeCurrencyForms);
    if (negative >= 0)
        items[LOCALE_INEGCURR] = QString::number(negative);
}

void ReadNumbers(const icu::Locale& locale, TLocaleItems& items) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::DecimalFormatSymbols symbols(locale, status);
    if (U_FAILURE(status))
        return;
    const QString decimal =
        ToQString(symbols.getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol));
    items[LOCALE_SDECIMAL] = decimal;
    items[LOCALE_STHOUSAND] =
        ToQString(symbols.getSymbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol));
    items[LOCALE_SCURRENCY] =
        ToQString(symbols.getSymbol(icu::DecimalFormatSymbols::kCurrencySymbol));
    // ICU has no list separator; where the comma is the decimal separator lists take ';'.
    items[LOCALE_SLIST] = decimal == QLatin1String(",") ? QStringLiteral(";") : QStringLiteral(",");
}

void ReadNames(const icu::Locale& locale, TLocaleItems& items) {
    icu::UnicodeString text;
    items[LOCALE_SNATIVELANGNAME] = ToQString(locale.getDisplayLanguage(locale, text));
    items[LOCALE_SNATIVECTRYNAME] = ToQString(locale.getDisplayCountry(locale, text));
    items[LOCALE_SENGLANGUAGE] =
        ToQString(locale.getDisplayLanguage(icu::Locale::getEnglish(), text));
    items[LOCALE_SENGCOUNTRY] =
        ToQString(locale.getDisplayCountry(icu::Locale::getEnglish(), text));
}

void ReadCalendarNames(const icu::Locale& locale, TLocaleItems& items) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::DateFormatSymbols symbols(locale, status);
    if (U_FAILURE(status))
        return;
    using Symbols = icu::DateFormatSymbols;
    int32_t count = 0;
    // Stand-alone forms: the nominative "январь", not the genitive of a date.
    const icu::UnicodeString* months = symbols.getMonths(count, Symbols::STANDALONE, Symbols::WIDE);
    for (int32_t i = 0; i < count && i < 12; ++i)
        items[LOCALE_SMONTHNAME1 + i] = ToQString(months[i]);
    months = symbols.getMonths(count, Symbols::STANDALONE, Symbols::ABBREVIATED);
    for (int32_t i = 0; i < count && i < 12; ++i)
        items[LOCALE_SABBREVMONTHNAME1 + i] = ToQString(months[i]);
    // ICU counts days from Sunday = 1, the locale items from Monday = 0.
    const icu::UnicodeString* days = symbols.getWeekdays(count, Symbols::STANDALONE, Symbols::WIDE);
    for (int day = 0; day < 7 && count == 8; ++day)
        items[LOCALE_SDAYNAME1 + day] = ToQString(days[(day + 1) % 7 + 1]);
    days = symbols.getWeekdays(count, Symbols::STANDALONE, Symbols::ABBREVIATED);
    for (int day = 0; day < 7 && count == 8; ++day)
        items[LOCALE_SABBREVDAYNAME1 + day] = ToQString(days[(day + 1) % 7 + 1]);
    const icu::UnicodeString* marks = symbols.getAmPmStrings(count);
    if (count >= 2) {
        items[LOCALE_S1159] = ToQString(marks[0]);
        items[LOCALE_S2359] = ToQString(marks[1]);
    }
}

void ReadPictures(const icu::Locale& locale, TLocaleItems& items) {
    const std::unique_ptr<icu::DateFormat> shortDate(
        icu::DateFormat::createDateInstance(icu::DateFormat::kShort, locale));
    const std::unique_ptr<icu::DateFormat> longDate(
        icu::DateFormat::createDateInstance(icu::DateFormat::kFull, locale));
    const std::unique_ptr<icu::DateFormat> shortTime(
        icu::DateFormat::createTimeInstance(icu::DateFormat::kShort, locale));
    const QString shortPattern = Pattern(shortDate.get());
    if (!shortPattern.isEmpty()) {
        items[LOCALE_SSHORTDATE] = PlatformDatePicture(shortPattern);
        if (const std::optional<QChar> separator = FirstSeparator(shortPattern))
            items[LOCALE_SDATE] = *separator;
    }
    const QString longPattern = Pattern(longDate.get());
    if (!longPattern.isEmpty())
        items[LOCALE_SLONGDATE] = PlatformDatePicture(longPattern);

    const QString time = Pattern(shortTime.get());
    const qsizetype hour = IndexOfAny(time, QLatin1String("HhKk"));
    if (hour < 0)
        return;
    const bool twelveHour = time[hour] == u'h' || time[hour] == u'K';
    items[LOCALE_ITIME] = twelveHour ? QStringLiteral("0") : QStringLiteral("1");
    items[LOCALE_ITLZERO] = hour + 1 < time.size() && time[hour + 1] == time[hour]
                                ? QStringLiteral("1")
                                : QStringLiteral("0");
    const qsizetype mark = IndexOfAny(time, QLatin1String("abB"));
    items[LOCALE_ITIMEMARKPOSN] =
        mark >= 0 && mark < hour ? QStringLiteral("1") : QStringLiteral("0");
    if (const std::optional<QChar> separator = FirstSeparator(time.mid(hour)))
        items[LOCALE_STIME] = *separator;
}

} // namespace

QString PlatformDatePicture(const QString& icuPattern) {
    QString picture;
    for (qsizetype i = 0; i < icuPattern.size();) {
        const QChar c = icuPattern[i];
        if (c == u'\'') {
            // Quoted text, '' standing for a quote, goes over unchanged.
            qsizetype end = i + 1;
            while (end < icuPattern.size()) {
                if (icuPattern[end] == u'\'' &&
                    !(end + 1 < icuPattern.size() && icuPattern[end + 1] == u'\''))
                    break;
                end += icuPattern[end] == u'\'' ? 2 : 1;
            }
            picture += icuPattern.mid(i, end + 1 - i);
            i = end + 1;
            continue;
        }
        if (!IsPatternLetter(c)) {
            picture += c;
            ++i;
            continue;
        }
        qsizetype run = i;
        while (run < icuPattern.size() && icuPattern[run] == c)
            ++run;
        const int count = int(run - i);
        i = run;
        switch (c.unicode()) {
        case 'd':
            picture += QString(qMin(count, 2), u'd');
            break;
        case 'M':
        case 'L':
            picture += QString(qMin(count, 4), u'M');
            break;
        case 'y':
        case 'Y':
        case 'u':
        case 'U':
        case 'r':
            // Four digits: a two-digit year reads ambiguously.
            picture += QLatin1String("yyyy");
            break;
        case 'E':
        case 'c':
        case 'e':
            picture += count <= 3 ? QLatin1String("ddd") : QLatin1String("dddd");
            break;
        case 'G':
            picture += QLatin1String("gg");
            break;
        default:
            break;
        }
    }
    return picture;
}

TLocaleItems ReadIcuLocaleItems(const QByteArray& icuName) {
    TLocaleItems items;
    if (icuName.isEmpty())
        return items;
    icu::Locale locale(icuName.constData());
    if (locale.isBogus())
        return items;
    ReadNames(locale, items);
    // The runtime formats with the Gregorian calendar and ASCII digits; separators and names
    // must be those that go with them.
    UErrorCode status = U_ZERO_ERROR;
    locale.setKeywordValue("calendar", "gregorian", status);
    locale.setKeywordValue("numbers", "latn", status);
    ReadNumbers(locale, items);
    ReadCurrency(locale, items);
    ReadCalendarNames(locale, items);
    ReadPictures(locale, items);
    return items;
}

} // namespace lumotrix
