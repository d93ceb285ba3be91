#include "runtime/LocaleData.h"
#include "runtime/Locales.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <memory>
#include <unicode/datefmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/decimfmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/numfmt.h>
#include <unicode/smpdtfmt.h>

using namespace lumotrix;

namespace {

QString Q(const icu::UnicodeString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

QString PatternOf(const icu::DateFormat* format) {
    icu::UnicodeString pattern;
    dynamic_cast<const icu::SimpleDateFormat&>(*format).toPattern(pattern);
    return Q(pattern);
}

// What ICU's formatter objects give for a locale: the reference the items are read to match.
struct TFormatterView {
    explicit TFormatterView(const QString& name) : Locale(name.toLatin1().constData()) {
        UErrorCode status = U_ZERO_ERROR;
        Locale.setKeywordValue("calendar", "gregorian", status);
        Locale.setKeywordValue("numbers", "latn", status);
        ShortDate.reset(icu::DateFormat::createDateInstance(icu::DateFormat::kShort, Locale));
        LongDate.reset(icu::DateFormat::createDateInstance(icu::DateFormat::kFull, Locale));
        ShortTime.reset(icu::DateFormat::createTimeInstance(icu::DateFormat::kShort, Locale));
        Symbols = std::make_unique<icu::DateFormatSymbols>(Locale, status);
        Numbers = std::make_unique<icu::DecimalFormatSymbols>(Locale, status);
        Currency.reset(icu::NumberFormat::createCurrencyInstance(Locale, status));
        EXPECT_TRUE(U_SUCCESS(status)) << u_errorName(status);
    }

    icu::Locale Locale;
    std::unique_ptr<icu::DateFormat> ShortDate, LongDate, ShortTime;
    std::unique_ptr<icu::DateFormatSymbols> Symbols;
    std::unique_ptr<icu::DecimalFormatSymbols> Numbers;
    std::unique_ptr<icu::NumberFormat> Currency;
};

void ExpectMonths(const TLocaleItems& items, int first, const icu::UnicodeString* names,
                  int32_t count) {
    ASSERT_GE(count, 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(items.at(first + i), Q(names[i])) << "item " << first + i;
}

} // namespace

// The items are read from ICU's resource data directly; every locale must read as ICU's own
// formatters show it, fallbacks between locales and aliases included.
TEST(LocaleData, EveryLocaleReadsAsIcusFormatters) {
    for (const TLocaleRow& row : SupportedLocaleRows()) {
        const QString name = IcuLocaleName(row.Id);
        SCOPED_TRACE(name.toStdString());
        const TLocaleItems items = ReadIcuFormatItems(name.toLatin1());
        const TFormatterView icu(name);

        EXPECT_EQ(items.at(LOCALE_SSHORTDATE), PlatformDatePicture(PatternOf(icu.ShortDate.get())));
        EXPECT_EQ(items.at(LOCALE_SLONGDATE), PlatformDatePicture(PatternOf(icu.LongDate.get())));
        QString time = PatternOf(icu.ShortTime.get());
        time.remove(QRegularExpression(QStringLiteral("'[^']*'"))); // quoted text: "HH 'h' mm"
        const bool twelveHour = time.contains(u'h') || time.contains(u'K');
        EXPECT_EQ(items.at(LOCALE_ITIME), twelveHour ? "0" : "1") << time.toStdString();

        using Symbols = icu::DateFormatSymbols;
        int32_t count = 0;
        const icu::UnicodeString* names =
            icu.Symbols->getMonths(count, Symbols::STANDALONE, Symbols::WIDE);
        ExpectMonths(items, LOCALE_SMONTHNAME1, names, count);
        names = icu.Symbols->getMonths(count, Symbols::STANDALONE, Symbols::ABBREVIATED);
        ExpectMonths(items, LOCALE_SABBREVMONTHNAME1, names, count);
        // Weekdays count from 1 = Sunday; the items from Monday.
        names = icu.Symbols->getWeekdays(count, Symbols::STANDALONE, Symbols::WIDE);
        ASSERT_EQ(count, 8);
        for (int day = 0; day < 7; ++day)
            EXPECT_EQ(items.at(LOCALE_SDAYNAME1 + day), Q(names[(day + 1) % 7 + 1]));
        names = icu.Symbols->getWeekdays(count, Symbols::STANDALONE, Symbols::ABBREVIATED);
        for (int day = 0; day < 7; ++day)
            EXPECT_EQ(items.at(LOCALE_SABBREVDAYNAME1 + day), Q(names[(day + 1) % 7 + 1]));
        names = icu.Symbols->getAmPmStrings(count);
        ASSERT_GE(count, 2);
        EXPECT_EQ(items.at(LOCALE_S1159), Q(names[0]));
        EXPECT_EQ(items.at(LOCALE_S2359), Q(names[1]));

        using Numbers = icu::DecimalFormatSymbols;
        EXPECT_EQ(items.at(LOCALE_SDECIMAL),
                  Q(icu.Numbers->getSymbol(Numbers::kDecimalSeparatorSymbol)));
        EXPECT_EQ(items.at(LOCALE_STHOUSAND),
                  Q(icu.Numbers->getSymbol(Numbers::kGroupingSeparatorSymbol)));
        EXPECT_EQ(items.at(LOCALE_SCURRENCY), Q(icu.Numbers->getSymbol(Numbers::kCurrencySymbol)));
        EXPECT_EQ(items.at(LOCALE_ICURRDIGITS),
                  QString::number(icu.Currency->getMaximumFractionDigits()));
        EXPECT_EQ(items.count(LOCALE_SNATIVELANGNAME), 0u); // names are read apart
    }
}

TEST(LocaleData, DateAndTimeSeparatorsArePrintablePunctuation) {
    for (const TLocaleRow& row : SupportedLocaleRows()) {
        const QString name = IcuLocaleName(row.Id);
        SCOPED_TRACE(name.toStdString());
        const TLocaleItems items = ReadIcuFormatItems(name.toLatin1());
        for (const int item : {LOCALE_SDATE, LOCALE_STIME}) {
            const auto found = items.find(item);
            if (found == items.end())
                continue; // the default serves
            ASSERT_EQ(found->second.size(), 1) << item;
            const QChar c = found->second[0];
            EXPECT_TRUE(c.isPunct() && c.isPrint())
                << item << " U+" << std::hex << int(c.unicode());
        }
    }
    EXPECT_EQ(ReadIcuFormatItems("ar_SA").at(LOCALE_SDATE), QStringLiteral("/"));
}

TEST(LocaleData, CurrencyFormsOfSymbolPlacements) {
    // Symbol in front, behind with a space, and a locale whose currency brings its own pattern.
    const auto form = [](const char* name) {
        const TLocaleItems items = ReadIcuFormatItems(name);
        return std::make_pair(items.at(LOCALE_ICURRENCY), items.at(LOCALE_INEGCURR));
    };
    EXPECT_EQ(form("en_US"), std::make_pair(QStringLiteral("0"), QStringLiteral("1")));
    EXPECT_EQ(form("de_DE"), std::make_pair(QStringLiteral("3"), QStringLiteral("8")));
    EXPECT_EQ(form("tr_TR"), std::make_pair(QStringLiteral("0"), QStringLiteral("1")));
}

TEST(LocaleData, NamesAndFormatsAreReadApartAndTogether) {
    const TLocaleItems names = ReadIcuLocaleNames("it_IT");
    EXPECT_EQ(names.size(), 4u);
    EXPECT_EQ(names.at(LOCALE_SNATIVELANGNAME), QStringLiteral("italiano"));
    EXPECT_EQ(names.at(LOCALE_SENGCOUNTRY), QStringLiteral("Italy"));
    for (const auto& [item, text] : names)
        EXPECT_TRUE(IsLocaleNameItem(item)) << item;
    TLocaleItems all = ReadIcuFormatItems("it_IT");
    all.merge(TLocaleItems(names));
    EXPECT_EQ(ReadIcuLocaleItems("it_IT"), all);
    EXPECT_TRUE(ReadIcuLocaleItems("").empty());
    EXPECT_TRUE(ReadIcuFormatItems("").empty());
}
