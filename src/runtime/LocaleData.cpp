#include "runtime/LocaleData.h"

#include "runtime/LocaleItems.h"

#include <QList>
#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <unicode/datefmt.h>
#include <unicode/decimfmt.h>
#include <unicode/locid.h>
#include <unicode/numfmt.h>
#include <unicode/resbund.h>
#include <unicode/smpdtfmt.h>
#include <unicode/ucurr.h>
#include <unicode/udata.h>

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

// Marks that only set the writing direction; Arabic patterns put one before every separator.
bool IsDirectionMark(QChar c) {
    return c.unicode() == 0x200E || c.unicode() == 0x200F || c.unicode() == 0x061C;
}

// The first separator after the first field of a pattern: '/' of "dd/MM/yy", ':' of "HH:mm".
std::optional<QChar> FirstSeparator(const QString& pattern) {
    bool inField = false;
    for (QChar c : pattern) {
        if (IsPatternLetter(c)) {
            inField = true;
        } else if (inField && c != u' ' && c != u'\'' && c != QChar(0x00A0) &&
                   !IsDirectionMark(c)) {
            return c;
        }
    }
    return std::nullopt;
}

QString ToQString(const UChar* text, int32_t length) {
    return QString(reinterpret_cast<const QChar*>(text), length);
}

// One locale's data read straight from ICU's resource bundles, with ICU's own fallback through
// the parent locales and aliases. The formatter objects give the same texts but build
// calendars, time zones, numbering systems and every symbol of the locale on the way, which
// pulls megabytes of ICU's code and data into memory at start-up for a few dozen strings.
class TLocaleBundle {
public:
    explicit TLocaleBundle(const icu::Locale& locale)
        : FBundle(nullptr, icu::Locale(locale.getBaseName()), FStatus) {}

    bool IsValid() const { return U_SUCCESS(FStatus); }
    // The most specific locale the bundle has data of.
    icu::Locale ValidLocale() const {
        UErrorCode status = U_ZERO_ERROR;
        return FBundle.getLocale(ULOC_VALID_LOCALE, status);
    }

    std::optional<icu::ResourceBundle> Get(const char* path) {
        UErrorCode status = U_ZERO_ERROR;
        icu::ResourceBundle found = FBundle.getWithFallback(path, status);
        if (U_FAILURE(status))
            return std::nullopt;
        return found;
    }

    // A string, or the first string of an array (a pattern with its numbering override).
    std::optional<QString> String(const char* path) {
        std::optional<icu::ResourceBundle> found = Get(path);
        return found ? StringOf(*found) : std::nullopt;
    }

    // The strings of an array; empty when it is missing.
    QList<QString> Strings(const char* path) {
        QList<QString> strings;
        std::optional<icu::ResourceBundle> found = Get(path);
        if (!found || found->getType() != URES_ARRAY)
            return strings;
        for (int32_t i = 0; i < found->getSize(); ++i) {
            UErrorCode status = U_ZERO_ERROR;
            const std::optional<QString> text = StringOf(found->get(i, status));
            if (U_FAILURE(status) || !text)
                return {};
            strings.append(*text);
        }
        return strings;
    }

    static std::optional<QString> StringOf(const icu::ResourceBundle& resource) {
        UErrorCode status = U_ZERO_ERROR;
        icu::UnicodeString text;
        if (resource.getType() == URES_STRING)
            text = resource.getString(status);
        else if (resource.getType() == URES_ARRAY && resource.getSize() > 0)
            text = resource.getStringEx(0, status);
        else
            return std::nullopt;
        if (U_FAILURE(status))
            return std::nullopt;
        return ToQString(text);
    }

private:
    UErrorCode FStatus = U_ZERO_ERROR;
    icu::ResourceBundle FBundle;
};

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
        if (IsDirectionMark(c))
            continue;
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

// The locale's currency: its ISO code from the region, as the number formats take it.
std::optional<std::array<UChar, 4>> LocaleCurrency(const icu::Locale& locale) {
    std::array<UChar, 4> code{};
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucurr_forLocale(locale.getName(), code.data(), 4, &status);
    if (U_FAILURE(status) || length != 3)
        return std::nullopt;
    return code;
}

struct TCurrencyFormat {
    QString Pattern;
    int Digits = 0;
};

// The currency pattern and the currency's digits. A currency may bring a pattern of its own,
// which then replaces the locale's.
std::optional<TCurrencyFormat> ReadCurrencyFormat(const icu::Locale& locale,
                                                  TLocaleBundle& bundle) {
    const std::optional<std::array<UChar, 4>> currency = LocaleCurrency(locale);
    std::optional<QString> pattern = bundle.String("NumberElements/latn/patterns/currencyFormat");
    if (!currency || !pattern)
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    TCurrencyFormat format;
    format.Digits = ucurr_getDefaultFractionDigits(currency->data(), &status);
    if (U_FAILURE(status))
        return std::nullopt;
    icu::ResourceBundle currencies(U_ICUDATA_NAME U_TREE_SEPARATOR_STRING "curr",
                                   icu::Locale(locale.getBaseName()), status);
    if (U_SUCCESS(status)) {
        const QByteArray key =
            "Currencies/" + QString(reinterpret_cast<const QChar*>(currency->data()), 3).toLatin1();
        const icu::ResourceBundle entry = currencies.getWithFallback(key.constData(), status);
        // Symbol and name, and for some currencies their own pattern and separators.
        if (U_SUCCESS(status) && entry.getType() == URES_ARRAY && entry.getSize() > 2) {
            const std::optional<QString> own = TLocaleBundle::StringOf(entry.get(2, status));
            if (U_FAILURE(status) || !own)
                return std::nullopt;
            pattern = own;
        }
    }
    format.Pattern = *pattern;
    return format;
}

// The same through ICU's currency formatter, for what the direct read does not cover.
std::optional<TCurrencyFormat> FormatterCurrencyFormat(const icu::Locale& locale) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::NumberFormat> format(
        icu::NumberFormat::createCurrencyInstance(locale, status));
    const auto* decimal = dynamic_cast<const icu::DecimalFormat*>(format.get());
    if (U_FAILURE(status) || !decimal)
        return std::nullopt;
    icu::UnicodeString pattern;
    decimal->toPattern(pattern);
    return TCurrencyFormat{ToQString(pattern), decimal->getMaximumFractionDigits()};
}

void ReadCurrency(const icu::Locale& locale, TLocaleBundle& bundle, TLocaleItems& items) {
    std::optional<TCurrencyFormat> format = ReadCurrencyFormat(locale, bundle);
    if (!format)
        format = FormatterCurrencyFormat(locale);
    if (!format)
        return;
    items[LOCALE_ICURRDIGITS] = QString::number(format->Digits);
    const QString& pattern = format->Pattern;
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

void ReadNumbers(const icu::Locale& locale, TLocaleBundle& bundle, TLocaleItems& items) {
    const std::optional<QString> decimal = bundle.String("NumberElements/latn/symbols/decimal");
    const std::optional<QString> group = bundle.String("NumberElements/latn/symbols/group");
    if (!decimal || !group)
        return;
    items[LOCALE_SDECIMAL] = *decimal;
    items[LOCALE_STHOUSAND] = *group;
    // Without a currency of its region a locale shows the generic currency sign.
    QString symbol(QChar(0x00A4));
    if (const std::optional<std::array<UChar, 4>> currency = LocaleCurrency(locale)) {
        UErrorCode status = U_ZERO_ERROR;
        UBool isChoiceFormat = false;
        int32_t length = 0;
        const UChar* name = ucurr_getName(currency->data(), locale.getName(), UCURR_SYMBOL_NAME,
                                          &isChoiceFormat, &length, &status);
        if (U_SUCCESS(status) && name)
            symbol = ToQString(name, length);
    }
    items[LOCALE_SCURRENCY] = symbol;
    // ICU has no list separator; where the comma is the decimal separator lists take ';'.
    items[LOCALE_SLIST] =
        *decimal == QLatin1String(",") ? QStringLiteral(";") : QStringLiteral(",");
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

// The twelve month names at `path` into the items from `first` on.
void ReadMonthNames(TLocaleBundle& bundle, const char* path, int first, TLocaleItems& items) {
    const QList<QString> months = bundle.Strings(path);
    for (qsizetype i = 0; i < months.size() && i < 12; ++i)
        items[first + int(i)] = months[i];
}

// The seven day names at `path` into the items from `first` on: ICU lists days from Sunday,
// the locale items from Monday.
void ReadDayNames(TLocaleBundle& bundle, const char* path, int first, TLocaleItems& items) {
    const QList<QString> days = bundle.Strings(path);
    for (int day = 0; day < 7 && days.size() == 7; ++day)
        items[first + day] = days[(day + 1) % 7];
}

void ReadCalendarNames(TLocaleBundle& bundle, TLocaleItems& items) {
    // Stand-alone forms: the nominative "январь", not the genitive of a date.
    ReadMonthNames(bundle, "calendar/gregorian/monthNames/stand-alone/wide", LOCALE_SMONTHNAME1,
                   items);
    ReadMonthNames(bundle, "calendar/gregorian/monthNames/stand-alone/abbreviated",
                   LOCALE_SABBREVMONTHNAME1, items);
    ReadMonthNames(bundle, "calendar/gregorian/monthNames/format/wide",
                   LOCALE_SMONTHNAME1 | LOCALE_RETURN_GENITIVE_NAMES, items);
    ReadDayNames(bundle, "calendar/gregorian/dayNames/stand-alone/wide", LOCALE_SDAYNAME1, items);
    ReadDayNames(bundle, "calendar/gregorian/dayNames/stand-alone/abbreviated",
                 LOCALE_SABBREVDAYNAME1, items);
    // The wide markers, else the abbreviated ones.
    QList<QString> marks = bundle.Strings("calendar/gregorian/AmPmMarkers");
    if (marks.isEmpty())
        marks = bundle.Strings("calendar/gregorian/AmPmMarkersAbbr");
    if (marks.size() >= 2) {
        items[LOCALE_S1159] = marks[0];
        items[LOCALE_S2359] = marks[1];
    }
}

// The Gregorian calendar's date and time patterns: full, long, medium and short time, then the
// same four of the date, then the combinations.
constexpr int32_t FullDatePattern = 4, ShortDatePattern = 7, ShortTimePattern = 3,
                  DateTimePatternCount = 9;

// Where the locale ICU has data of differs from the one asked for in language or region, ICU
// derives the time pattern from the region's hour cycle rather than taking the stored one.
bool TimePatternIsDerived(const icu::Locale& locale, const icu::Locale& valid) {
    const icu::Locale base(locale.getBaseName());
    if (base.getBaseName()[0] == 0 || std::strcmp(base.getBaseName(), "und") == 0 || valid == base)
        return false;
    return (base.getCountry()[0] != 0 && std::strcmp(base.getCountry(), valid.getCountry()) != 0) ||
           std::strcmp(base.getLanguage(), valid.getLanguage()) != 0;
}

void ReadPictures(const icu::Locale& locale, TLocaleBundle& bundle, TLocaleItems& items) {
    const QList<QString> patterns = bundle.Strings("calendar/gregorian/DateTimePatterns");
    QString shortPattern, longPattern, time;
    if (patterns.size() >= DateTimePatternCount &&
        !TimePatternIsDerived(locale, bundle.ValidLocale())) {
        shortPattern = patterns[ShortDatePattern];
        longPattern = patterns[FullDatePattern];
        time = patterns[ShortTimePattern];
    } else {
        const std::unique_ptr<icu::DateFormat> shortDate(
            icu::DateFormat::createDateInstance(icu::DateFormat::kShort, locale));
        const std::unique_ptr<icu::DateFormat> longDate(
            icu::DateFormat::createDateInstance(icu::DateFormat::kFull, locale));
        const std::unique_ptr<icu::DateFormat> shortTime(
            icu::DateFormat::createTimeInstance(icu::DateFormat::kShort, locale));
        shortPattern = Pattern(shortDate.get());
        longPattern = Pattern(longDate.get());
        time = Pattern(shortTime.get());
    }
    if (!shortPattern.isEmpty()) {
        items[LOCALE_SSHORTDATE] = PlatformDatePicture(shortPattern);
        if (const std::optional<QChar> separator = FirstSeparator(shortPattern))
            items[LOCALE_SDATE] = *separator;
    }
    if (!longPattern.isEmpty())
        items[LOCALE_SLONGDATE] = PlatformDatePicture(longPattern);

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
            // Dates are read and shown in the Gregorian calendar's current era, which pictures
            // do not name (an era field is filled only for an era calendar): the field goes,
            // with the space that set it apart.
            if (picture.endsWith(u' '))
                picture.chop(1);
            else if (i < icuPattern.size() && icuPattern[i] == u' ')
                ++i;
            break;
        default:
            break;
        }
    }
    return picture;
}

namespace {

// The ICU locale of a name; nullopt for an unusable name.
std::optional<icu::Locale> IcuLocale(const QByteArray& icuName) {
    if (icuName.isEmpty())
        return std::nullopt;
    icu::Locale locale(icuName.constData());
    if (locale.isBogus())
        return std::nullopt;
    return locale;
}

// The same with the Gregorian calendar and ASCII digits the runtime formats with: separators
// and names must be those that go with them.
std::optional<icu::Locale> FormatLocale(const QByteArray& icuName) {
    std::optional<icu::Locale> locale = IcuLocale(icuName);
    if (!locale)
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    locale->setKeywordValue("calendar", "gregorian", status);
    locale->setKeywordValue("numbers", "latn", status);
    return locale;
}

} // namespace

bool IsLocaleNameItem(int item) {
    return item == LOCALE_SNATIVELANGNAME || item == LOCALE_SNATIVECTRYNAME ||
           item == LOCALE_SENGLANGUAGE || item == LOCALE_SENGCOUNTRY;
}

TLocaleItems ReadIcuLocaleNames(const QByteArray& icuName) {
    TLocaleItems items;
    if (const std::optional<icu::Locale> locale = IcuLocale(icuName))
        ReadNames(*locale, items);
    return items;
}

TLocaleItems ReadIcuFormatItems(const QByteArray& icuName) {
    TLocaleItems items;
    std::optional<icu::Locale> locale = FormatLocale(icuName);
    if (!locale)
        return items;
    TLocaleBundle bundle(*locale);
    if (!bundle.IsValid())
        return items;
    ReadNumbers(*locale, bundle, items);
    ReadCurrency(*locale, bundle, items);
    ReadCalendarNames(bundle, items);
    ReadPictures(*locale, bundle, items);
    return items;
}

TLocaleItems ReadIcuLocaleItems(const QByteArray& icuName) {
    TLocaleItems items = ReadIcuFormatItems(icuName);
    items.merge(ReadIcuLocaleNames(icuName));
    return items;
}

} // namespace lumotrix
