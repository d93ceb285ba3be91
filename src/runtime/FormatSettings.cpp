#include "runtime/FormatSettings.h"

#include "runtime/Calendars.h"
#include "runtime/CodePage.h"
#include "runtime/CodePages.h"

#include <algorithm>
#include <cmath>

namespace lumotrix {

TFormatSettings& FormatSettings() {
    static TFormatSettings settings;
    return settings;
}

TSysLocale& SysLocale() {
    static TSysLocale record;
    return record;
}

TLeadBytes& LeadBytes() {
    static TLeadBytes bytes;
    return bytes;
}

bool IsPlainWesternLanguage() {
    constexpr std::array<qint32, 12> PlainWestern = {0, 6, 7, 9, 10, 11, 12, 16, 19, 20, 22, 29};
    return std::find(PlainWestern.begin(), PlainWestern.end(), SysLocale().PriLangID) !=
           PlainWestern.end();
}

void FillLeadBytes() {
    const std::optional<TCodePageInfo> info =
        CodePageInfo(LocaleCodePageOrSystem(TLocaleId(SysLocale().DefaultLCID)));
    if (!info)
        return;
    for (const auto& [low, high] : info->LeadByteRanges)
        for (int b = low; b <= high; ++b)
            LeadBytes().set(std::size_t(b));
}

void SetLocaleRecord(TLocaleId locale) {
    TSysLocale& record = SysLocale();
    record = TSysLocale();
    if (locale != 0)
        record.DefaultLCID = qint32(locale);
    if ((locale & 0xFFFF) != 0) {
        record.PriLangID = qint32(PrimaryLanguageOf(locale));
        record.SubLangID = qint32(SublanguageOf(locale));
    }
    LeadBytes().reset();
    // The platform is always of the family that inspects the code page.
    if (IsPlainWesternLanguage())
        return;
    FillLeadBytes();
    record.FarEast = LeadBytes().any();
    record.MiddleEast =
        !record.FarEast &&
        CodePageHasRightToLeft(LocaleCodePageOrSystem(TLocaleId(record.DefaultLCID)));
}

QString AdaptDatePicture(const QString& picture, int calendar, qint32 primaryLanguage) {
    if (calendar == CAL_JAPAN || calendar == CAL_TAIWAN || calendar == CAL_KOREA) {
        // Pictures are Unicode text here, so a two-byte character is one unit and passes as is.
        QString result;
        for (qsizetype i = 0; i < picture.size();) {
            const auto startsWith = [&](QLatin1String what) {
                return QStringView(picture).mid(i).startsWith(what, Qt::CaseInsensitive);
            };
            if (startsWith(QLatin1String("gg"))) {
                result += QLatin1String("ggg");
                i += 2;
            } else if (startsWith(QLatin1String("yyyy"))) {
                result += QLatin1String("eeee");
                i += 4;
            } else if (startsWith(QLatin1String("yy"))) {
                result += QLatin1String("ee");
                i += 2;
            } else if (startsWith(QLatin1String("y"))) {
                result += u'e';
                i += 1;
            } else {
                result += picture[i++];
            }
        }
        return result;
    }
    constexpr qint32 Chinese = 4, Japanese = 17, Korean = 18;
    if (primaryLanguage == Chinese || primaryLanguage == Japanese || primaryLanguage == Korean) {
        QString result = picture;
        result.remove(QLatin1Char('g'), Qt::CaseInsensitive);
        return result;
    }
    return picture;
}

bool CollectEraName(TFormatSettings& settings, const QString& text) {
    for (QString& name : settings.EraNames)
        if (name.isEmpty()) {
            name = text;
            return true;
        }
    return false;
}

bool CollectEraOffset(TFormatSettings& settings, const QString& text) {
    for (int& offset : settings.EraYearOffsets)
        if (offset == -1) {
            bool ok = false;
            const int value = text.toInt(&ok);
            offset = ok ? value : 0;
            return true;
        }
    return false;
}

namespace {

void CollectEras(TFormatSettings& settings, TLocaleId locale, const TLocaleFormatItems& items) {
    const int calendar = items.Int(LOCALE_IOPTIONALCALENDAR, CAL_GREGORIAN);
    if (calendar != CAL_JAPAN && calendar != CAL_TAIWAN && calendar != CAL_KOREA)
        return;
    const QList<TEra> eras = CalendarEras(calendar, locale);
    for (const TEra& era : eras)
        if (!CollectEraName(settings, era.Name))
            break;
    settings.EraYearOffsets.fill(-1);
    for (const TEra& era : eras)
        if (!CollectEraOffset(settings, QString::number(era.YearOffset)))
            break;
}

quint8 LocaleByte(const TLocaleFormatItems& items, int item) {
    return quint8(items.Int(item, 0));
}

// A picture with a day of the month and a full month name ("d MMMM yyyy"): where the month
// name takes its date form, the Russian "8 декабря" rather than "8 декабрь".
bool IsDayMonthPicture(const QString& picture) {
    bool day = false;
    bool month = false;
    for (qsizetype i = 0; i < picture.size();) {
        const QChar c = picture[i];
        if (c == u'\'' || c == u'"') {
            const qsizetype end = picture.indexOf(c, i + 1);
            i = end < 0 ? picture.size() : end + 1;
            continue;
        }
        qsizetype run = i;
        while (run < picture.size() && picture[run].toLower() == c.toLower())
            ++run;
        if (c.toLower() == u'd' && run - i <= 2)
            day = true;
        if (c.toLower() == u'm' && run - i >= 4)
            month = true;
        i = run;
    }
    return day && month;
}

} // namespace

void BuildFormatSettings(TLocaleId locale) {
    SetLocaleRecord(locale);
    TFormatSettings s = FormatSettings();
    const TLocaleFormatItems& items = LocaleFormatItems(locale);
    if (SysLocale().FarEast)
        CollectEras(s, locale, items);
    const QString longDate = items.Str(LOCALE_SLONGDATE, QStringLiteral("mmmm d, yyyy"));
    // The long names serve the long date picture.
    const int longForm = IsDayMonthPicture(longDate) ? LOCALE_RETURN_GENITIVE_NAMES : 0;
    for (int i = 0; i < 12; ++i) {
        s.ShortMonthNames[i] = items.Str(LOCALE_SABBREVMONTHNAME1 + i, s.ShortMonthNames[i]);
        s.LongMonthNames[i] = items.Str(longForm | (LOCALE_SMONTHNAME1 + i),
                                        items.Str(LOCALE_SMONTHNAME1 + i, s.LongMonthNames[i]));
    }
    for (int i = 0; i < 7; ++i) {
        const int day = (i + 6) % 7; // entry 0 (Sunday) is the locale's seventh day
        s.ShortDayNames[i] = items.Str(LOCALE_SABBREVDAYNAME1 + day, s.ShortDayNames[i]);
        s.LongDayNames[i] = items.Str(LOCALE_SDAYNAME1 + day, s.LongDayNames[i]);
    }
    s.CurrencyString = items.Str(LOCALE_SCURRENCY, QString());
    s.CurrencyFormat = LocaleByte(items, LOCALE_ICURRENCY);
    s.NegCurrFormat = LocaleByte(items, LOCALE_INEGCURR);
    s.ThousandSeparator = items.Char(LOCALE_STHOUSAND, QLatin1Char(','));
    s.DecimalSeparator = items.Char(LOCALE_SDECIMAL, QLatin1Char('.'));
    s.CurrencyDecimals = LocaleByte(items, LOCALE_ICURRDIGITS);
    s.DateSeparator = items.Char(LOCALE_SDATE, QLatin1Char('/'));
    const int calendar = items.Int(LOCALE_ICALENDARTYPE, CAL_GREGORIAN);
    s.ShortDateFormat = AdaptDatePicture(items.Str(LOCALE_SSHORTDATE, QStringLiteral("m/d/yy")),
                                         calendar, SysLocale().PriLangID);
    s.LongDateFormat = AdaptDatePicture(longDate, calendar, SysLocale().PriLangID);
    s.TimeSeparator = items.Char(LOCALE_STIME, QLatin1Char(':'));
    s.TimeAMString = items.Str(LOCALE_S1159, QStringLiteral("am"));
    s.TimePMString = items.Str(LOCALE_S2359, QStringLiteral("pm"));
    QString prefix;
    QString postfix;
    const QString hour =
        items.Int(LOCALE_ITLZERO, 0) == 0 ? QStringLiteral("h") : QStringLiteral("hh");
    if (items.Int(LOCALE_ITIME, 0) == 0) {
        if (items.Int(LOCALE_ITIMEMARKPOSN, 0) == 0)
            postfix = QStringLiteral(" AMPM");
        else
            prefix = QStringLiteral("AMPM ");
    }
    s.ShortTimeFormat = prefix + hour + QLatin1String(":mm") + postfix;
    s.LongTimeFormat = prefix + hour + QLatin1String(":mm:ss") + postfix;
    s.ListSeparator = items.Char(LOCALE_SLIST, QLatin1Char(','));
    FormatSettings() = std::move(s);
}

int LocaleAnsiCodePage(TLocaleId locale) {
    return GetLocaleInt(locale, LOCALE_IDEFAULTANSICODEPAGE, 0);
}

int SystemAnsiCodePage() {
    const int codePage = LocaleAnsiCodePage(UserDefaultLocale());
    return codePage != 0 ? codePage : CodePageWindows1252;
}

bool UsesSystemCodePage(TLocaleId locale) {
    return LocaleAnsiCodePage(locale) == SystemAnsiCodePage();
}

int LocaleCodePageOrSystem(TLocaleId locale) {
    return GetLocaleInt(locale, LOCALE_IDEFAULTANSICODEPAGE, SystemAnsiCodePage());
}

QString LanguageDisplayName(TLocaleId locale, bool native, TNameWidth width) {
    QString name =
        LocaleInfoWide(locale, native ? LOCALE_SNATIVELANGNAME : LOCALE_SENGLANGUAGE, QString());
    if (SublanguageOf(locale) != 0) {
        const QString country =
            LocaleInfoWide(locale, native ? LOCALE_SNATIVECTRYNAME : LOCALE_SENGCOUNTRY, QString());
        if (!country.isEmpty())
            name += QLatin1String(" (") + country + u')';
    }
    if (width == TNameWidth::Narrow) {
        const int codePage = LocaleCodePageOrSystem(locale);
        return DecodeCodePage(EncodeCodePage(name, codePage), codePage);
    }
    return name;
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
