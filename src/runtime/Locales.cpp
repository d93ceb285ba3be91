#include "runtime/Locales.h"

#include "runtime/CodePage.h"
#include "runtime/CodePages.h"
#include "runtime/LocaleData.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <unicode/uloc.h>

namespace lumotrix {
namespace {

// Kept in ascending locale-id order, which is the order the locales are enumerated in.
constexpr TLocaleRow LocaleTable[] = {
    {0x0401, "ARA", 1256, 0}, // ar-SA
    {0x0402, "BGR", 1251, 0}, // bg-BG
    {0x0403, "CAT", 1252, 0}, // ca-ES
    {0x0404, "CHT", 950, 4},  // zh-TW
    {0x0405, "CSY", 1250, 0}, // cs-CZ
    {0x0406, "DAN", 1252, 0}, // da-DK
    {0x0407, "DEU", 1252, 0}, // de-DE
    {0x0408, "ELL", 1253, 0}, // el-GR
    {0x0409, "ENU", 1252, 0}, // en-US
    {0x040A, "ESP", 1252, 0}, // es-ES, traditional sort
    {0x040B, "FIN", 1252, 0}, // fi-FI
    {0x040C, "FRA", 1252, 0}, // fr-FR
    {0x040D, "HEB", 1255, 0}, // he-IL
    {0x040E, "HUN", 1250, 0}, // hu-HU
    {0x040F, "ISL", 1252, 0}, // is-IS
    {0x0410, "ITA", 1252, 0}, // it-IT
    {0x0411, "JPN", 932, 3},  // ja-JP
    {0x0412, "KOR", 949, 0},  // ko-KR
    {0x0413, "NLD", 1252, 0}, // nl-NL
    {0x0414, "NOR", 1252, 0}, // nb-NO
    {0x0415, "PLK", 1250, 0}, // pl-PL
    {0x0416, "PTB", 1252, 0}, // pt-BR
    {0x0418, "ROM", 1250, 0}, // ro-RO
    {0x0419, "RUS", 1251, 0}, // ru-RU
    {0x041A, "HRV", 1250, 0}, // hr-HR
    {0x041B, "SKY", 1250, 0}, // sk-SK
    {0x041C, "SQI", 1250, 0}, // sq-AL
    {0x041D, "SVE", 1252, 0}, // sv-SE
    {0x041E, "THA", 874, 0},  // th-TH
    {0x041F, "TRK", 1254, 0}, // tr-TR
    {0x0420, "URD", 1256, 0}, // ur-PK
    {0x0421, "IND", 1252, 0}, // id-ID
    {0x0422, "UKR", 1251, 0}, // uk-UA
    {0x0423, "BEL", 1251, 0}, // be-BY
    {0x0424, "SLV", 1250, 0}, // sl-SI
    {0x0425, "ETI", 1257, 0}, // et-EE
    {0x0426, "LVI", 1257, 0}, // lv-LV
    {0x0427, "LTH", 1257, 0}, // lt-LT
    {0x0428, "TAJ", 1251, 0}, // tg-Cyrl-TJ
    {0x0429, "FAR", 1256, 0}, // fa-IR
    {0x042A, "VIT", 1258, 0}, // vi-VN
    {0x042C, "AZE", 1254, 0}, // az-Latn-AZ
    {0x042D, "EUQ", 1252, 0}, // eu-ES
    {0x042F, "MKI", 1251, 0}, // mk-MK
    {0x0436, "AFK", 1252, 0}, // af-ZA
    {0x0438, "FOS", 1252, 0}, // fo-FO
    {0x043E, "MSL", 1252, 0}, // ms-MY
    {0x043F, "KKZ", 1251, 0}, // kk-KZ
    {0x0440, "KYR", 1251, 0}, // ky-KG
    {0x0441, "SWK", 1252, 0}, // sw-KE
    {0x0442, "TUK", 1250, 0}, // tk-TM
    {0x0443, "UZB", 1254, 0}, // uz-Latn-UZ
    {0x0444, "TTT", 1251, 0}, // tt-RU
    {0x0450, "MNN", 1251, 0}, // mn-MN
    {0x0452, "CYM", 1252, 0}, // cy-GB
    {0x0456, "GLC", 1252, 0}, // gl-ES
    {0x0462, "FYN", 1252, 0}, // fy-NL
    {0x0464, "FPO", 1252, 0}, // fil-PH
    {0x046D, "BAS", 1251, 0}, // ba-RU
    {0x046E, "LBX", 1252, 0}, // lb-LU
    {0x0480, "UIG", 1256, 0}, // ug-CN
    {0x0485, "SAH", 1251, 0}, // sah-RU
    {0x048C, "PRS", 1256, 0}, // prs-AF
    {0x0801, "ARI", 1256, 0}, // ar-IQ
    {0x0804, "CHS", 936, 0},  // zh-CN
    {0x0807, "DES", 1252, 0}, // de-CH
    {0x0809, "ENG", 1252, 0}, // en-GB
    {0x080A, "ESM", 1252, 0}, // es-MX
    {0x080C, "FRB", 1252, 0}, // fr-BE
    {0x0810, "ITS", 1252, 0}, // it-CH
    {0x0813, "NLB", 1252, 0}, // nl-BE
    {0x0814, "NON", 1252, 0}, // nn-NO
    {0x0816, "PTG", 1252, 0}, // pt-PT
    {0x081D, "SVF", 1252, 0}, // sv-FI
    {0x082C, "AZC", 1251, 0}, // az-Cyrl-AZ
    {0x083E, "MSB", 1252, 0}, // ms-BN
    {0x0843, "UZC", 1251, 0}, // uz-Cyrl-UZ
    {0x0C01, "ARE", 1256, 0}, // ar-EG
    {0x0C04, "ZHH", 950, 0},  // zh-HK
    {0x0C07, "DEA", 1252, 0}, // de-AT
    {0x0C09, "ENA", 1252, 0}, // en-AU
    {0x0C0A, "ESN", 1252, 0}, // es-ES
    {0x0C0C, "FRC", 1252, 0}, // fr-CA
    {0x1001, "ARL", 1256, 0}, // ar-LY
    {0x1004, "ZHI", 936, 0},  // zh-SG
    {0x1007, "DEL", 1252, 0}, // de-LU
    {0x1009, "ENC", 1252, 0}, // en-CA
    {0x100A, "ESG", 1252, 0}, // es-GT
    {0x100C, "FRS", 1252, 0}, // fr-CH
    {0x101A, "HRB", 1250, 0}, // hr-BA
    {0x1401, "ARG", 1256, 0}, // ar-DZ
    {0x1404, "ZHM", 950, 0},  // zh-MO
    {0x1407, "DEC", 1252, 0}, // de-LI
    {0x1409, "ENZ", 1252, 0}, // en-NZ
    {0x140A, "ESC", 1252, 0}, // es-CR
    {0x140C, "FRL", 1252, 0}, // fr-LU
    {0x141A, "BSB", 1250, 0}, // bs-Latn-BA
    {0x1801, "ARM", 1256, 0}, // ar-MA
    {0x1809, "ENI", 1252, 0}, // en-IE
    {0x180A, "ESA", 1252, 0}, // es-PA
    {0x180C, "FRM", 1252, 0}, // fr-MC
    {0x1C01, "ART", 1256, 0}, // ar-TN
    {0x1C09, "ENS", 1252, 0}, // en-ZA
    {0x1C0A, "ESD", 1252, 0}, // es-DO
    {0x2001, "ARO", 1256, 0}, // ar-OM
    {0x2009, "ENJ", 1252, 0}, // en-JM
    {0x200A, "ESV", 1252, 0}, // es-VE
    {0x2401, "ARY", 1256, 0}, // ar-YE
    {0x240A, "ESO", 1252, 0}, // es-CO
    {0x241A, "SRM", 1250, 0}, // sr-Latn-RS
    {0x2801, "ARS", 1256, 0}, // ar-SY
    {0x2809, "ENL", 1252, 0}, // en-BZ
    {0x280A, "ESR", 1252, 0}, // es-PE
    {0x281A, "SRO", 1251, 0}, // sr-Cyrl-RS
    {0x2C01, "ARJ", 1256, 0}, // ar-JO
    {0x2C09, "ENT", 1252, 0}, // en-TT
    {0x2C0A, "ESS", 1252, 0}, // es-AR
    {0x3001, "ARB", 1256, 0}, // ar-LB
    {0x3009, "ENW", 1252, 0}, // en-ZW
    {0x300A, "ESF", 1252, 0}, // es-EC
    {0x3401, "ARK", 1256, 0}, // ar-KW
    {0x3409, "ENP", 1252, 0}, // en-PH
    {0x340A, "ESL", 1252, 0}, // es-CL
    {0x3801, "ARU", 1256, 0}, // ar-AE
    {0x380A, "ESY", 1252, 0}, // es-UY
    {0x3C01, "ARH", 1256, 0}, // ar-BH
    {0x3C0A, "ESZ", 1252, 0}, // es-PY
    {0x4001, "ARQ", 1256, 0}, // ar-QA
    {0x400A, "ESB", 1252, 0}, // es-BO
    {0x440A, "ESE", 1252, 0}, // es-SV
    {0x480A, "ESH", 1252, 0}, // es-HN
    {0x4C0A, "ESI", 1252, 0}, // es-NI
    {0x500A, "ESU", 1252, 0}, // es-PR
};

const TLocaleRow* FindRow(TLocaleId locale) {
    const auto end = std::end(LocaleTable);
    const auto it =
        std::lower_bound(std::begin(LocaleTable), end, locale,
                         [](const TLocaleRow& row, TLocaleId id) { return row.Id < id; });
    return it != end && it->Id == locale ? it : nullptr;
}

QString IcuNameOf(TLocaleId locale) {
    char name[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uloc_getLocaleForLCID(locale, name, sizeof name, &status);
    if (U_FAILURE(status) || length <= 0 || length >= int32_t(sizeof name))
        return {};
    return QString::fromLatin1(name, length);
}

// What only the locale table gives; the rest comes from ICU.
bool IsTableItem(int item) {
    return item == LOCALE_SABBREVLANGNAME || item == LOCALE_IDEFAULTANSICODEPAGE ||
           item == LOCALE_ICALENDARTYPE || item == LOCALE_IOPTIONALCALENDAR;
}

std::optional<QString> FindItem(const TLocaleItems& items, int item) {
    const auto found = items.find(item);
    if (found == items.end())
        return std::nullopt;
    return found->second;
}

QChar FirstCharOr(const std::optional<QString>& text, QChar fallback) {
    return text && !text->isEmpty() ? text->at(0) : fallback;
}

int IntOr(const std::optional<QString>& text, int fallback) {
    bool ok = false;
    const int value = text ? text->toInt(&ok, 10) : 0;
    return ok ? value : fallback;
}

// Items are read from ICU once per locale, a part at a time when first asked for: start-up
// needs the formats but not the names, and the code page lookups need neither. A language
// switch then costs only the copies. A part, once read, is never changed, so references to it
// stay valid outside the lock.
class TLocaleCache {
public:
    std::optional<QString> Item(TLocaleId locale, int item) {
        if (!IsLocaleNameItem(item) && !IsTableItem(item)) {
            const TLocaleFormatItems* formats = Formats(locale);
            return formats ? formats->Item(item) : std::nullopt;
        }
        const std::lock_guard lock(FMutex);
        TEntry* entry = Entry(locale);
        if (!entry)
            return std::nullopt;
        if (IsTableItem(item))
            return FindItem(entry->Table, item);
        if (!entry->Names)
            entry->Names = ReadIcuLocaleNames(IcuNameOf(locale).toLatin1());
        return FindItem(*entry->Names, item);
    }

    // nullptr for an unsupported locale.
    const TLocaleFormatItems* Formats(TLocaleId locale) {
        const std::lock_guard lock(FMutex);
        TEntry* entry = Entry(locale);
        if (!entry)
            return nullptr;
        if (!entry->Formats) {
            // The table's items come first, as ICU has no say in them.
            TLocaleItems items = entry->Table;
            items.merge(ReadIcuFormatItems(IcuNameOf(locale).toLatin1()));
            entry->Formats.emplace(std::move(items));
        }
        return &*entry->Formats;
    }

private:
    struct TEntry {
        TLocaleItems Table;
        std::optional<TLocaleItems> Names;
        std::optional<TLocaleFormatItems> Formats;
    };

    // Call with the lock held.
    TEntry* Entry(TLocaleId locale) {
        const TLocaleRow* row = FindRow(locale);
        if (!row)
            return nullptr;
        auto it = FEntries.find(locale);
        if (it == FEntries.end()) {
            TLocaleItems items;
            items[LOCALE_SABBREVLANGNAME] = QString::fromLatin1(row->Abbreviation);
            items[LOCALE_IDEFAULTANSICODEPAGE] = QString::number(row->AnsiCodePage);
            items[LOCALE_ICALENDARTYPE] = QString::number(CAL_GREGORIAN);
            items[LOCALE_IOPTIONALCALENDAR] =
                QString::number(row->OptionalCalendar ? row->OptionalCalendar : CAL_GREGORIAN);
            it = FEntries.emplace(locale, TEntry{std::move(items), {}, {}}).first;
        }
        return &it->second;
    }

    std::mutex FMutex;
    std::map<TLocaleId, TEntry> FEntries;
};

TLocaleCache& Cache() {
    static TLocaleCache cache;
    return cache;
}

std::optional<TLocaleId>& UserDefault() {
    static std::optional<TLocaleId> locale;
    return locale;
}

TLocaleId& ThreadLocale() {
    static TLocaleId locale = 0;
    return locale;
}

} // namespace

std::span<const TLocaleRow> SupportedLocaleRows() {
    return LocaleTable;
}

void EnumSystemLocales(const std::function<bool(TLocaleId)>& callback) {
    for (const TLocaleRow& row : LocaleTable)
        if (!callback(row.Id))
            return;
}

bool IsSupportedLocale(TLocaleId locale) {
    return FindRow(locale) != nullptr;
}

TLocaleId ResolveLocale(TLocaleId locale) {
    if (locale == 0)
        return UserDefaultLocale();
    if (FindRow(locale))
        return locale;
    if (SublanguageOf(locale) != 0 || locale > 0xFFFF)
        return 0;
    if (FindRow(locale | 0x0400))
        return locale | 0x0400;
    for (const TLocaleRow& row : LocaleTable)
        if (PrimaryLanguageOf(row.Id) == locale)
            return row.Id;
    return 0;
}

QString IcuLocaleName(TLocaleId locale) {
    return FindRow(locale) ? IcuNameOf(locale) : QString();
}

TLocaleId LocaleOfPosixName(const QString& name) {
    QString base = name;
    for (QChar stop : {QLatin1Char('.'), QLatin1Char('@')}) {
        const qsizetype at = base.indexOf(stop);
        if (at >= 0)
            base.truncate(at);
    }
    base.replace(QLatin1Char('-'), QLatin1Char('_'));
    if (base.isEmpty() || base == QLatin1String("C") || base == QLatin1String("POSIX"))
        return 0;
    const TLocaleId exact = uloc_getLCID(base.toLatin1().constData());
    if (exact != 0 && FindRow(exact))
        return exact;
    // A country the table lacks still has the language's default locale.
    const QString language = base.section(QLatin1Char('_'), 0, 0);
    const TLocaleId neutral = uloc_getLCID(language.toLatin1().constData());
    return neutral != 0 ? ResolveLocale(PrimaryLanguageOf(neutral)) : 0;
}

TLocaleFormatItems::TLocaleFormatItems(TLocaleItems items) : FItems(std::move(items)) {}

std::optional<QString> TLocaleFormatItems::Item(int item) const {
    return FindItem(FItems, item);
}

QString TLocaleFormatItems::Str(int item, const QString& fallback) const {
    return Item(item).value_or(fallback);
}

QChar TLocaleFormatItems::Char(int item, QChar fallback) const {
    return FirstCharOr(Item(item), fallback);
}

int TLocaleFormatItems::Int(int item, int fallback) const {
    return IntOr(Item(item), fallback);
}

const TLocaleFormatItems& LocaleFormatItems(TLocaleId locale) {
    static const TLocaleFormatItems none;
    const TLocaleFormatItems* formats = Cache().Formats(ResolveLocale(locale));
    return formats ? *formats : none;
}

std::optional<QString> LocaleInfo(TLocaleId locale, int item) {
    return Cache().Item(ResolveLocale(locale), item);
}

QString GetLocaleStr(TLocaleId locale, int item, const QString& fallback) {
    return LocaleInfo(locale, item).value_or(fallback);
}

QChar GetLocaleChar(TLocaleId locale, int item, QChar fallback) {
    return FirstCharOr(LocaleInfo(locale, item), fallback);
}

int GetLocaleInt(TLocaleId locale, int item, int fallback) {
    return IntOr(LocaleInfo(locale, item), fallback);
}

QString LocaleInfoWide(TLocaleId locale, int item, const QString& fallback) {
    // Text is wide throughout here: the narrow and the wide lookup are the same.
    return GetLocaleStr(locale, item, fallback);
}

std::optional<quint32> LocaleFontSignatureCodePages(TLocaleId locale) {
    const std::optional<QString> codePage = LocaleInfo(locale, LOCALE_IDEFAULTANSICODEPAGE);
    if (!codePage)
        return std::nullopt;
    const int bit = FontSignatureBitOfCodePage(codePage->toInt());
    return bit < 0 ? 0u : 1u << bit;
}

TLocaleId FindLanguageCodeLocale(const QString& code) {
    if (code.isEmpty())
        return 0;
    for (const TLocaleRow& row : LocaleTable) {
        const QString abbreviation = QString::fromLatin1(row.Abbreviation);
        if (abbreviation.compare(code, Qt::CaseInsensitive) == 0)
            return row.Id;
        if (abbreviation.chopped(1).compare(code, Qt::CaseInsensitive) == 0)
            return PrimaryLanguageOf(row.Id);
    }
    return 0;
}

int CodePageOfLanguageCode(const QString& code) {
    const TLocaleId locale = FindLanguageCodeLocale(code);
    const int codePage = locale != 0 ? GetLocaleInt(locale, LOCALE_IDEFAULTANSICODEPAGE, 0) : 0;
    return codePage != 0 ? codePage : CodePageWindows1252;
}

TLocaleId LocaleFromEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (value.isEmpty())
            continue;
        const TLocaleId locale = LocaleOfPosixName(value);
        return locale != 0 ? locale : LocaleEnglishUS;
    }
    return LocaleEnglishUS;
}

TLocaleId UserDefaultLocale() {
    std::optional<TLocaleId>& locale = UserDefault();
    if (!locale)
        locale = LocaleFromEnvironment();
    return *locale;
}

void SetUserDefaultLocale(TLocaleId locale) {
    const TLocaleId resolved = locale != 0 ? ResolveLocale(locale) : 0;
    UserDefault() = resolved != 0 ? resolved : LocaleEnglishUS;
}

TLocaleId GetThreadLocale() {
    const TLocaleId locale = ThreadLocale();
    return locale != 0 ? locale : UserDefaultLocale();
}

void SetThreadLocale(TLocaleId locale) {
    ThreadLocale() = locale;
}

} // namespace lumotrix
