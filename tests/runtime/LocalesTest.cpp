#include "runtime/Locales.h"
#include "runtime/CodePages.h"

#include <gtest/gtest.h>
#include <unicode/locid.h>
#include <unicode/uloc.h>

using namespace lumotrix;

namespace {

QList<TLocaleId> AllLocales() {
    QList<TLocaleId> ids;
    EnumSystemLocales([&](TLocaleId id) {
        ids.append(id);
        return true;
    });
    return ids;
}

QString IcuDisplayLanguage(TLocaleId id, const icu::Locale& in) {
    char name[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_getLocaleForLCID(id, name, sizeof name, &status);
    icu::UnicodeString text;
    icu::Locale(name).getDisplayLanguage(in, text);
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

// Restores the start-up and thread locales a test changes.
struct LocaleState : testing::Test {
    void TearDown() override {
        SetUserDefaultLocale(FUser);
        SetThreadLocale(FThread);
    }
    TLocaleId FUser = UserDefaultLocale();
    TLocaleId FThread = GetThreadLocale();
};

} // namespace

TEST(LocaleTable, EveryLocaleIsIcusAndNamedByIcu) {
    const QList<TLocaleId> ids = AllLocales();
    ASSERT_GE(ids.size(), 100);
    const icu::Locale english = icu::Locale::getEnglish();
    for (qsizetype i = 0; i < ids.size(); ++i) {
        const TLocaleId id = ids[i];
        SCOPED_TRACE(QString::number(id, 16).toStdString());
        if (i > 0) {
            EXPECT_LT(ids[i - 1], id); // the enumeration order is ascending
        }
        const QString icuName = IcuLocaleName(id);
        ASSERT_FALSE(icuName.isEmpty());
        EXPECT_EQ(uloc_getLCID(icuName.toLatin1().constData()), id);
        EXPECT_EQ(LocaleInfo(id, LOCALE_SENGLANGUAGE), IcuDisplayLanguage(id, english));
        EXPECT_FALSE(LocaleInfo(id, LOCALE_SNATIVELANGNAME).value_or(QString()).isEmpty());
        EXPECT_EQ(LocaleInfo(id, LOCALE_SABBREVLANGNAME).value_or(QString()).size(), 3);
        // Every code page given has a converter, so its texts can be read.
        const int codePage = LocaleInfo(id, LOCALE_IDEFAULTANSICODEPAGE)->toInt();
        EXPECT_TRUE(CodePageInfo(codePage).has_value()) << codePage;
        EXPECT_EQ(LocaleInfo(id, LOCALE_SMONTHNAME1 + 11).has_value(), true);
    }
}

TEST(LocaleTable, CoversTheAnsiCodePageFamilies) {
    QList<int> codePages;
    for (TLocaleId id : AllLocales())
        codePages.append(LocaleInfo(id, LOCALE_IDEFAULTANSICODEPAGE)->toInt());
    for (int codePage :
         {874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258})
        EXPECT_TRUE(codePages.contains(codePage)) << codePage;
}

TEST(LocaleTable, ResolvesNeutralAndUnknownIds) {
    EXPECT_EQ(ResolveLocale(0x0010), 0x0410u);
    EXPECT_EQ(ResolveLocale(0x000C), 0x040Cu);
    EXPECT_EQ(ResolveLocale(0x0C0F), 0u);
    EXPECT_EQ(ResolveLocale(0x0437), 0u); // Georgian: not a table locale
    EXPECT_FALSE(LocaleInfo(0x0C0F, LOCALE_SDECIMAL).has_value());
    EXPECT_EQ(LocaleInfoWide(0x0C0F, LOCALE_SNATIVELANGNAME, QStringLiteral("?")), "?");
    EXPECT_EQ(LocaleInfoWide(0x0410, LOCALE_SABBREVLANGNAME, QString()), "ITA");
    EXPECT_EQ(LocaleInfoWide(0x0409, LOCALE_SABBREVLANGNAME, QString()), "ENU");
    EXPECT_EQ(LocaleInfoWide(0x0407, LOCALE_SABBREVLANGNAME, QString()), "DEU");
    EXPECT_EQ(GetLocaleInt(0x0410, LOCALE_SDECIMAL, 42), 42); // "," is no number
}

TEST(LocaleTable, FormatItemsAgreeWithTheItemLookups) {
    // The calendar items come from the table, the rest from ICU; the names are not format items.
    for (TLocaleId id : {TLocaleId(0x0411), TLocaleId(0x0419), TLocaleId(0x0010)}) {
        SCOPED_TRACE(QString::number(id, 16).toStdString());
        const TLocaleFormatItems& items = LocaleFormatItems(id);
        for (int item : {int(LOCALE_SDECIMAL), int(LOCALE_SLONGDATE), int(LOCALE_ITIME),
                         LOCALE_SMONTHNAME1 + 11, LOCALE_RETURN_GENITIVE_NAMES | LOCALE_SMONTHNAME1,
                         int(LOCALE_ICALENDARTYPE), int(LOCALE_IOPTIONALCALENDAR)}) {
            ASSERT_TRUE(items.Item(item).has_value()) << item;
            EXPECT_EQ(items.Item(item), LocaleInfo(id, item)) << item;
        }
        EXPECT_FALSE(items.Item(LOCALE_SENGLANGUAGE).has_value());
        EXPECT_EQ(&items, &LocaleFormatItems(id)); // read once
    }
    EXPECT_EQ(LocaleFormatItems(0x0411).Int(LOCALE_IOPTIONALCALENDAR, 0), CAL_JAPAN);
    EXPECT_EQ(LocaleFormatItems(0x0C0F).Str(LOCALE_SDECIMAL, QStringLiteral("?")), "?");
    EXPECT_EQ(LocaleFormatItems(0x0C0F).Char(LOCALE_SDECIMAL, u'?'), u'?');
}

TEST(LocaleTable, LanguageCodesFindTheirLocales) {
    EXPECT_EQ(FindLanguageCodeLocale(QStringLiteral("ITA")), 0x0410u);
    EXPECT_EQ(FindLanguageCodeLocale(QStringLiteral("deu")), 0x0407u);
    EXPECT_EQ(FindLanguageCodeLocale(QStringLiteral("IT")), 0x0010u);
    // The first locale in enumeration order wins: ENU (0x409) before ENG (0x809).
    EXPECT_EQ(FindLanguageCodeLocale(QStringLiteral("EN")), 0x0009u);
    EXPECT_EQ(FindLanguageCodeLocale(QStringLiteral("ENG")), 0x0809u);
    EXPECT_EQ(FindLanguageCodeLocale(QStringLiteral("ESP")), 0x040Au); // traditional sort
    EXPECT_EQ(FindLanguageCodeLocale(QStringLiteral("XYZ")), 0u);
    EXPECT_EQ(FindLanguageCodeLocale(QString()), 0u);
}

TEST(LocaleTable, FontSignatureNamesTheCodePage) {
    EXPECT_EQ(LocaleFontSignatureCodePages(0x0410), 1u << 0);
    EXPECT_EQ(LocaleFontSignatureCodePages(0x0419), 1u << 2);
    EXPECT_EQ(LocaleFontSignatureCodePages(0x0411), 1u << 17);
    EXPECT_EQ(LocaleFontSignatureCodePages(0x042A), 1u << 22);
    EXPECT_FALSE(LocaleFontSignatureCodePages(0x0C0F).has_value());
}

TEST_F(LocaleState, PosixNamesAndTheStartupLocale) {
    EXPECT_EQ(LocaleOfPosixName(QStringLiteral("de_DE.UTF-8")), 0x0407u);
    EXPECT_EQ(LocaleOfPosixName(QStringLiteral("de_DE@euro")), 0x0407u);
    EXPECT_EQ(LocaleOfPosixName(QStringLiteral("it_CH.ISO-8859-1@x")), 0x0810u);
    EXPECT_EQ(LocaleOfPosixName(QStringLiteral("fr")), 0x040Cu);
    EXPECT_EQ(LocaleOfPosixName(QStringLiteral("de_XX")), 0x0407u);
    EXPECT_EQ(LocaleOfPosixName(QStringLiteral("C")), 0u);
    EXPECT_EQ(LocaleOfPosixName(QStringLiteral("C.UTF-8")), 0u);
    EXPECT_EQ(LocaleOfPosixName(QStringLiteral("POSIX")), 0u);
    EXPECT_EQ(LocaleOfPosixName(QStringLiteral("ka_GE.UTF-8")), 0u);

    const QByteArray saved[] = {qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"), qgetenv("LANG")};
    qputenv("LC_ALL", "");
    qputenv("LC_MESSAGES", "ja_JP.UTF-8");
    qputenv("LANG", "de_DE.UTF-8");
    EXPECT_EQ(LocaleFromEnvironment(), 0x0411u);
    qputenv("LC_MESSAGES", "");
    EXPECT_EQ(LocaleFromEnvironment(), 0x0407u);
    qputenv("LC_ALL", "C.UTF-8");
    EXPECT_EQ(LocaleFromEnvironment(), LocaleEnglishUS);
    qputenv("LC_ALL", "");
    qputenv("LANG", "");
    EXPECT_EQ(LocaleFromEnvironment(), LocaleEnglishUS);
    qputenv("LC_ALL", saved[0]);
    qputenv("LC_MESSAGES", saved[1]);
    qputenv("LANG", saved[2]);
}

TEST_F(LocaleState, ThreadLocaleZeroIsTheUserDefault) {
    SetUserDefaultLocale(0x0410);
    SetThreadLocale(0x0407);
    EXPECT_EQ(GetThreadLocale(), 0x0407u);
    SetThreadLocale(0);
    EXPECT_EQ(GetThreadLocale(), 0x0410u);
    // Locale 0 reads the user's default locale's data.
    EXPECT_EQ(LocaleInfo(0, LOCALE_SABBREVLANGNAME), "ITA");
}

TEST(CodePages, DecodeAndEncodeInTheirCodePage) {
    EXPECT_EQ(DecodeCodePage(QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2"), 1251),
              QString::fromUtf8("Привет"));
    EXPECT_EQ(EncodeCodePage(QString::fromUtf8("Привет"), 1251),
              QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2"));
    EXPECT_EQ(DecodeCodePage(QByteArray("\x93\xfa\x96\x7b"), 932), QString::fromUtf8("日本"));
    EXPECT_EQ(DecodeCodePage(QByteArray("Luned\xEC"), 1252), QString::fromUtf8("Lunedì"));
    EXPECT_EQ(EncodeCodePage(QString::fromUtf8("Ωx"), 1251), QByteArray("?x"));
    // A truncated two-byte character does not read past the end.
    EXPECT_EQ(DecodeCodePage(QByteArray("a\x93"), 932).left(1), "a");
}

TEST(CodePages, LeadBytesAndDirection) {
    const std::optional<TCodePageInfo> shiftJis = CodePageInfo(932);
    ASSERT_TRUE(shiftJis);
    EXPECT_EQ(shiftJis->MaxCharSize, 2);
    const QList<std::pair<quint8, quint8>> expected = {{0x81, 0x9F}, {0xE0, 0xFC}};
    EXPECT_EQ(shiftJis->LeadByteRanges, expected);
    EXPECT_TRUE(CodePageInfo(1252)->LeadByteRanges.isEmpty());
    EXPECT_FALSE(CodePageInfo(12345).has_value());
    EXPECT_TRUE(CodePageHasRightToLeft(1255));
    EXPECT_TRUE(CodePageHasRightToLeft(1256));
    EXPECT_FALSE(CodePageHasRightToLeft(1252));
    EXPECT_FALSE(CodePageHasRightToLeft(932));
}
