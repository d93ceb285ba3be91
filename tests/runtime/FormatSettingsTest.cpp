#include "runtime/FormatSettings.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

constexpr TLocaleId Italian = 0x0410, German = 0x0407, French = 0x040C, Japanese = 0x0411,
                    Arabic = 0x0401, Korean = 0x0412, Russian = 0x0419;

// Each test starts from the program's defaults and leaves the process-wide state as found.
struct FormatSettingsTest : testing::Test {
    void SetUp() override {
        FormatSettings() = TFormatSettings();
        SetUserDefaultLocale(Italian);
    }
    void TearDown() override {
        FormatSettings() = FSaved;
        SysLocale() = FSavedRecord;
        LeadBytes() = FSavedLeadBytes;
        SetUserDefaultLocale(FSavedUser);
    }
    const TFormatSettings& S() const { return FormatSettings(); }

    TFormatSettings FSaved = FormatSettings();
    TSysLocale FSavedRecord = SysLocale();
    TLeadBytes FSavedLeadBytes = LeadBytes();
    TLocaleId FSavedUser = UserDefaultLocale();
};

} // namespace

TEST(FloatToStr, GeneralFormatDropsNeedlessDecimals) {
    TFormatSettings it;
    it.DecimalSeparator = QLatin1Char(',');
    EXPECT_EQ(FloatToStr(25.0, it), "25");
    EXPECT_EQ(FloatToStr(25.5, it), "25,5");
    EXPECT_EQ(FloatToStr(-0.25, it), "-0,25");
    EXPECT_EQ(FloatToStr(0.1 + 0.2, it), "0,3");
    EXPECT_EQ(FloatToStr(0.0, it), "0");
    EXPECT_EQ(FloatToStr(1e20, it), "1E20");
    EXPECT_EQ(FloatToStr(1.5e-7, it), "1,5E-7");
}

TEST_F(FormatSettingsTest, ItalianSeparatorsPicturesAndNames) {
    BuildFormatSettings(Italian);
    EXPECT_EQ(S().DecimalSeparator, u',');
    EXPECT_EQ(S().ThousandSeparator, u'.');
    EXPECT_EQ(S().DateSeparator, u'/');
    EXPECT_EQ(S().TimeSeparator, u':');
    EXPECT_EQ(S().ListSeparator, u';');
    EXPECT_EQ(S().ShortDateFormat, "dd/MM/yyyy");
    EXPECT_EQ(S().LongDateFormat, "dddd d MMMM yyyy");
    // 24-hour clock with leading zero: no AMPM anywhere.
    EXPECT_EQ(S().ShortTimeFormat, "hh:mm");
    EXPECT_EQ(S().LongTimeFormat, "hh:mm:ss");
    // Entry 0 is Sunday, the locale's seventh day; entry 1 its first.
    EXPECT_EQ(S().ShortDayNames[0], "dom");
    EXPECT_EQ(S().LongDayNames[0], "domenica");
    EXPECT_EQ(S().LongDayNames[1], QString::fromUtf8("lunedì"));
    EXPECT_EQ(S().LongMonthNames[0], "gennaio");
    EXPECT_EQ(S().ShortMonthNames[11], "dic");
    EXPECT_EQ(S().CurrencyString, QString::fromUtf8("€"));
    EXPECT_EQ(S().CurrencyFormat, 3); // "1 €"
    EXPECT_EQ(S().NegCurrFormat, 8);  // "-1 €"
    EXPECT_EQ(S().CurrencyDecimals, 2);
    EXPECT_EQ(FloatToStr(24.5), "24,5");
}

TEST_F(FormatSettingsTest, GermanFrenchAndEnglishFollowTheirLocales) {
    BuildFormatSettings(German);
    EXPECT_EQ(S().DecimalSeparator, u',');
    EXPECT_EQ(S().ThousandSeparator, u'.');
    EXPECT_EQ(S().DateSeparator, u'.');
    EXPECT_EQ(S().ShortDateFormat, "dd.MM.yyyy");
    EXPECT_EQ(S().LongDateFormat, "dddd, d. MMMM yyyy");
    EXPECT_EQ(S().LongDayNames[0], "Sonntag");
    EXPECT_EQ(S().LongMonthNames[2], QString::fromUtf8("März"));

    BuildFormatSettings(French);
    EXPECT_EQ(S().DecimalSeparator, u',');
    EXPECT_TRUE(S().ThousandSeparator.isSpace() || S().ThousandSeparator == QChar(0x202F));
    EXPECT_EQ(S().ShortDateFormat, "dd/MM/yyyy");
    EXPECT_EQ(S().LongDayNames[0], "dimanche");
    EXPECT_EQ(S().LongMonthNames[7], QString::fromUtf8("août"));

    BuildFormatSettings(LocaleEnglishUS);
    EXPECT_EQ(S().DecimalSeparator, u'.');
    EXPECT_EQ(S().ThousandSeparator, u',');
    EXPECT_EQ(S().ListSeparator, u',');
    EXPECT_EQ(S().ShortDateFormat, "M/d/yyyy");
    EXPECT_EQ(S().LongDateFormat, "dddd, MMMM d, yyyy");
    // 12-hour clock, no leading zero, the marker after the time.
    EXPECT_EQ(S().ShortTimeFormat, "h:mm AMPM");
    EXPECT_EQ(S().LongTimeFormat, "h:mm:ss AMPM");
    EXPECT_EQ(S().TimeAMString, "AM");
    EXPECT_EQ(S().CurrencyFormat, 0); // "$1"
    EXPECT_EQ(S().NegCurrFormat, 1);  // "-$1"
    EXPECT_EQ(FloatToStr(24.5), "24.5");
}

TEST_F(FormatSettingsTest, LongDatesGiveTheMonthItsDateFormAndNameNoEra) {
    struct Case {
        TLocaleId Locale;
        const char* December; // as the long date picture shows it
    };
    for (const Case& c :
         {Case{0x0419, "декабря"}, Case{0x0415, "grudnia"}, Case{0x0408, "Δεκεμβρίου"},
          Case{0x0410, "dicembre"}, Case{0x041E, "ธันวาคม"}, Case{LocaleEnglishUS, "December"}}) {
        SCOPED_TRACE(c.December);
        BuildFormatSettings(c.Locale);
        EXPECT_EQ(S().LongMonthNames[11], QString::fromUtf8(c.December));
        // No era field: nothing fills one outside an era calendar.
        QString picture = S().LongDateFormat;
        picture.remove(QRegularExpression(QStringLiteral("'[^']*'")));
        EXPECT_FALSE(picture.contains(u'g', Qt::CaseInsensitive)) << picture.toStdString();
    }
    // The month on its own keeps its stand-alone name.
    EXPECT_EQ(GetLocaleStr(0x0419, LOCALE_SMONTHNAME1 + 11, QString()),
              QString::fromUtf8("декабрь"));
}

TEST_F(FormatSettingsTest, MarkerBeforeTheTimeLeadsThePictures) {
    BuildFormatSettings(Korean);
    EXPECT_EQ(S().ShortTimeFormat, "AMPM h:mm");
    EXPECT_EQ(S().LongTimeFormat, "AMPM h:mm:ss");
}

TEST_F(FormatSettingsTest, JapaneseIsGregorianWithTheErasOfItsOptionalCalendar) {
    FormatSettings().EraNames[0] = QStringLiteral("kept");
    BuildFormatSettings(Japanese);
    EXPECT_TRUE(SysLocale().FarEast);
    EXPECT_FALSE(SysLocale().MiddleEast);
    EXPECT_EQ(S().ShortDateFormat, "yyyy/MM/dd");
    EXPECT_EQ(S().LongMonthNames[0], QString::fromUtf8("1月"));
    EXPECT_EQ(S().LongDayNames[0], QString::fromUtf8("日曜日"));
    // An entry filled before is kept; the eras go to the empty ones, oldest first.
    EXPECT_EQ(S().EraNames[0], "kept");
    EXPECT_EQ(S().EraNames[1], QString::fromUtf8("明治"));
    EXPECT_EQ(S().EraNames[4], QString::fromUtf8("平成"));
    EXPECT_EQ(S().EraNames[5], QString::fromUtf8("令和"));
    EXPECT_EQ(S().EraNames[6], QString());
    EXPECT_EQ(S().EraYearOffsets[0], 1868);
    EXPECT_EQ(S().EraYearOffsets[1], 1912);
    EXPECT_EQ(S().EraYearOffsets[2], 1926);
    EXPECT_EQ(S().EraYearOffsets[3], 1989);
    EXPECT_EQ(S().EraYearOffsets[4], 2019);
    EXPECT_EQ(S().EraYearOffsets[5], -1);

    // A second switch keeps the names collected before: no empty entry takes new ones.
    FormatSettings().EraNames[6] = QStringLiteral("seventh");
    BuildFormatSettings(Japanese);
    EXPECT_EQ(S().EraNames[1], QString::fromUtf8("明治"));
    EXPECT_EQ(S().EraNames[6], "seventh");
}

TEST_F(FormatSettingsTest, LocaleWithoutEraCalendarLeavesErasAlone) {
    FormatSettings().EraYearOffsets[0] = 7;
    BuildFormatSettings(Italian);
    EXPECT_EQ(S().EraNames[0], QString());
    EXPECT_EQ(S().EraYearOffsets[0], 7);
}

TEST_F(FormatSettingsTest, LocaleRecordAndLeadBytes) {
    SetLocaleRecord(0);
    EXPECT_EQ(SysLocale().DefaultLCID, 0x409);
    EXPECT_EQ(SysLocale().PriLangID, 9);
    EXPECT_EQ(SysLocale().SubLangID, 1);

    SetLocaleRecord(Italian);
    EXPECT_EQ(SysLocale().DefaultLCID, Italian);
    EXPECT_EQ(SysLocale().PriLangID, 0x10);
    EXPECT_EQ(SysLocale().SubLangID, 1);
    EXPECT_TRUE(IsPlainWesternLanguage());
    EXPECT_FALSE(SysLocale().FarEast || SysLocale().MiddleEast);
    EXPECT_TRUE(LeadBytes().none());

    // Shift-JIS: 0x81..0x9F and 0xE0..0xFC begin two-byte characters.
    SetLocaleRecord(Japanese);
    EXPECT_TRUE(SysLocale().FarEast);
    EXPECT_EQ(LeadBytes().count(), std::size_t(31 + 29));
    EXPECT_FALSE(LeadBytes()[0x80]);
    EXPECT_TRUE(LeadBytes()[0x81] && LeadBytes()[0x9F] && LeadBytes()[0xE0] && LeadBytes()[0xFC]);
    EXPECT_FALSE(LeadBytes()[0xA0] || LeadBytes()[0xDF] || LeadBytes()[0xFD]);

    SetLocaleRecord(Arabic);
    EXPECT_FALSE(SysLocale().FarEast);
    EXPECT_TRUE(SysLocale().MiddleEast);
    EXPECT_TRUE(LeadBytes().none());

    // Russian is outside the plain western set, inspected, and neither.
    SetLocaleRecord(Russian);
    EXPECT_FALSE(IsPlainWesternLanguage());
    EXPECT_FALSE(SysLocale().FarEast || SysLocale().MiddleEast);
}

TEST_F(FormatSettingsTest, LocaleZeroIsTheUserDefaultWithTheEnglishRecord) {
    SetUserDefaultLocale(German);
    BuildFormatSettings(0);
    EXPECT_EQ(SysLocale().DefaultLCID, 0x409);
    EXPECT_EQ(S().LongDayNames[0], "Sonntag");
}

TEST_F(FormatSettingsTest, UnknownLocaleFallsBackToDefaultsAndKeepsNames) {
    BuildFormatSettings(Italian);
    BuildFormatSettings(0x0C0F); // no such locale
    EXPECT_EQ(S().DecimalSeparator, u'.');
    EXPECT_EQ(S().ThousandSeparator, u',');
    EXPECT_EQ(S().ShortDateFormat, "m/d/yy");
    EXPECT_EQ(S().LongDateFormat, "mmmm d, yyyy");
    EXPECT_EQ(S().ShortTimeFormat, "h:mm AMPM");
    EXPECT_EQ(S().TimeAMString, "am");
    EXPECT_EQ(S().CurrencyString, QString());
    EXPECT_EQ(S().LongDayNames[0], "domenica");
}

TEST(AdaptDateFormat, EraCalendarsUseEraYears) {
    EXPECT_EQ(AdaptDatePicture(QStringLiteral("gg yyyy/MM/dd"), CAL_JAPAN, 17), "ggg eeee/MM/dd");
    EXPECT_EQ(AdaptDatePicture(QStringLiteral("GGYY.M.d y"), CAL_TAIWAN, 4), "gggee.M.d e");
    EXPECT_EQ(AdaptDatePicture(QString::fromUtf8("yyyy年M月d日"), CAL_KOREA, 18),
              QString::fromUtf8("eeee年M月d日"));
    // Far-east languages without an era calendar lose the era; others keep the picture.
    EXPECT_EQ(AdaptDatePicture(QStringLiteral("gg yyyy/MM/dd"), CAL_GREGORIAN, 17), " yyyy/MM/dd");
    EXPECT_EQ(AdaptDatePicture(QStringLiteral("Gyyyy"), CAL_GREGORIAN, 4), "yyyy");
    EXPECT_EQ(AdaptDatePicture(QStringLiteral("gg yyyy"), CAL_GREGORIAN, 16), "gg yyyy");
}

TEST(CollectEras, FillOnlyFreeEntriesAndStopWhenFull) {
    TFormatSettings s;
    s.EraNames[0] = QStringLiteral("old");
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(CollectEraName(s, QString::number(i)));
    EXPECT_FALSE(CollectEraName(s, QStringLiteral("eighth")));
    EXPECT_EQ(s.EraNames[0], "old");
    EXPECT_EQ(s.EraNames[6], "5");

    s.EraYearOffsets.fill(5);
    s.EraYearOffsets[3] = -1;
    EXPECT_TRUE(CollectEraOffset(s, QStringLiteral("x")));
    EXPECT_EQ(s.EraYearOffsets[3], 0); // not a number
    EXPECT_FALSE(CollectEraOffset(s, QStringLiteral("1989")));
}

TEST_F(FormatSettingsTest, CodePagesOfLocales) {
    EXPECT_EQ(LocaleAnsiCodePage(Japanese), 932);
    EXPECT_EQ(LocaleAnsiCodePage(Russian), 1251);
    EXPECT_EQ(LocaleAnsiCodePage(0x0C0F), 0);
    EXPECT_EQ(LocaleCodePageOrSystem(0x0C0F), 1252);
    EXPECT_EQ(SystemAnsiCodePage(), 1252);
    EXPECT_TRUE(UsesSystemCodePage(German));
    EXPECT_TRUE(UsesSystemCodePage(0x0007)); // a neutral id reads its language's default
    EXPECT_FALSE(UsesSystemCodePage(Russian));
    SetUserDefaultLocale(Russian);
    EXPECT_EQ(SystemAnsiCodePage(), 1251);
    EXPECT_TRUE(UsesSystemCodePage(0x0422)); // Ukrainian shares it
    EXPECT_FALSE(UsesSystemCodePage(Italian));
}

TEST_F(FormatSettingsTest, LanguageDisplayNames) {
    EXPECT_EQ(LanguageDisplayName(German, true, TNameWidth::Wide), "Deutsch (Deutschland)");
    EXPECT_EQ(LanguageDisplayName(German, false, TNameWidth::Wide), "German (Germany)");
    EXPECT_EQ(LanguageDisplayName(0x0010, true, TNameWidth::Wide), "italiano");
    EXPECT_EQ(LanguageDisplayName(0x0010, false, TNameWidth::Wide), "Italian");
    EXPECT_EQ(LanguageDisplayName(Japanese, true, TNameWidth::Wide),
              QString::fromUtf8("日本語 (日本)"));
    // Narrow names are what the locale's code page holds.
    EXPECT_EQ(LanguageDisplayName(Japanese, true, TNameWidth::Narrow),
              QString::fromUtf8("日本語 (日本)"));
    EXPECT_EQ(LanguageDisplayName(Russian, true, TNameWidth::Narrow),
              QString::fromUtf8("русский (Россия)"));
    EXPECT_EQ(LanguageDisplayName(0x0C0F, true, TNameWidth::Wide), QString());
}
