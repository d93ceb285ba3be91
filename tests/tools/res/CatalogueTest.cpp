#include "Catalogue.h"
#include "CatalogueName.h"
#include "FormStrings.h"
#include "Languages.h"
#include "ToolRun.h"
#include "runtime/Exception.h"
#include "runtime/FormStream.h"
#include "runtime/Locales.h"
#include "runtime/TextForm.h"
#include "support/FormResourceFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QtEndian>

#include <algorithm>

using namespace lumotrix;

namespace {

const char* const SampleForm = "object Form1: TForm1\n"
                               "  Caption = 'Finestra'\n"
                               "  IconName = 'program'\n"
                               "  object Panel1: TPanel\n"
                               "    Font.Name = 'Arial'\n"
                               "    Font.Color = clNavy\n"
                               "    object Label1: TLabel\n"
                               "      Caption = 'Temperatura '#176\n"
                               "      Hint = '1'\n"
                               "      ScreenTip.Header = 'Suggerimento'\n"
                               "    end\n"
                               "  end\n"
                               "  object Column: TGridColumnDef\n"
                               "    FieldName = 'Giorno'\n"
                               "    Items.Strings = (\n"
                               "      'Luned'#236\n"
                               "      'Sabato')\n"
                               "  end\n"
                               "  object Status: TStatusBar\n"
                               "    Panels = <\n"
                               "      item\n"
                               "        Width = 80\n"
                               "        Text = 'Pronto'\n"
                               "      end\n"
                               "      item\n"
                               "        Control = Label1\n"
                               "      end>\n"
                               "  end\n"
                               "end\n";

TResourceFile SampleResources(const char* formText = SampleForm) {
    TResourceFile file =
        test::FormResourceFile({{"TForm1", FormTextToBinary(QByteArray(formText))}});
    file.SetString(5, QStringLiteral("Salva in \"%s\"?"));
    file.SetString(65504, QStringLiteral("Porta"));
    return file;
}

QByteArray FormOf(const TResourceFile& file) {
    return file.Find(RT_RCDATA, QStringLiteral("TFORM1"))->Data;
}

TCatalogueEntry Translated(const char* context, const QString& id, const QString& text) {
    TCatalogueEntry e;
    e.Context = QString::fromUtf8(context);
    e.Id = id;
    e.Translation = text;
    return e;
}

// A 16-bit wide string as a form stream stores it: tag 18, length in code units, UTF-16LE.
QByteArray WideStringBytes(const QString& text) {
    QByteArray bytes(1, char(TValueType::vaWString));
    char length[4];
    qToLittleEndian<qint32>(qint32(text.size()), length);
    bytes.append(length, 4);
    for (QChar c : text) {
        char unit[2];
        qToLittleEndian<quint16>(c.unicode(), unit);
        bytes.append(unit, 2);
    }
    return bytes;
}

} // namespace

TEST(Catalogue, ExtractsEveryTextWithWhereItIsAndNothingThatNamesSomething) {
    const QList<TCatalogueEntry> entries = ExtractCatalogue(SampleResources());
    QStringList found;
    for (const TCatalogueEntry& e : entries)
        found.append(e.Context + QLatin1String(" = ") + e.Id);
    EXPECT_EQ(found,
              (QStringList{
                  QStringLiteral("TForm1|Form1|Caption = Finestra"),
                  QStringLiteral("TForm1|Form1.Panel1.Label1|Caption = Temperatura \u00b0"),
                  QStringLiteral("TForm1|Form1.Panel1.Label1|ScreenTip.Header = Suggerimento"),
                  QStringLiteral("TForm1|Form1.Column|Items.Strings[0] = Luned\u00ec"),
                  QStringLiteral("TForm1|Form1.Column|Items.Strings[1] = Sabato"),
                  QStringLiteral("TForm1|Form1.Status|Panels[0].Text = Pronto"),
                  QStringLiteral("STRINGTABLE|5 = Salva in \"%s\"?"),
                  QStringLiteral("STRINGTABLE|65504 = Porta"),
              }));
    ASSERT_EQ(entries.size(), 8);
    EXPECT_EQ(entries[2].Comment, QStringLiteral("ScreenTip.Header of Label1 (TLabel)"));
    EXPECT_TRUE(entries[6].CFormat);
    EXPECT_FALSE(entries[7].CFormat);
    for (const TCatalogueEntry& e : entries)
        EXPECT_TRUE(e.Translation.isEmpty());
}

TEST(Catalogue, TranslatesExactlyTheTranslatedEntries) {
    const TResourceFile builtIn = SampleResources();
    TCatalogueEntry fuzzy = Translated("TForm1|Form1.Column|Items.Strings[0]",
                                       QStringLiteral("Luned\u00ec"), QStringLiteral("Montag"));
    fuzzy.Fuzzy = true;
    const QList<TCatalogueEntry> catalogue = {
        Translated("TForm1|Form1|Caption", QStringLiteral("Finestra"), QStringLiteral("Fenster")),
        Translated(
            "TForm1|Form1.Panel1.Label1|Caption", QStringLiteral("Temperatura \u00b0"),
            QStringLiteral("\u0422\u0435\u043c\u043f\u0435\u0440\u0430\u0442\u0443\u0440\u0430"
                           " \u00b0")),
        fuzzy,
        Translated("TForm1|Form1.Column|Items.Strings[1]", QStringLiteral("Sabato"), QString()),
        Translated("TForm1|Form1.Status|Panels[0].Text", QStringLiteral("Pronto"),
                   QStringLiteral("Bereit")),
        Translated("STRINGTABLE|65504", QStringLiteral("Porta"), QStringLiteral("Ausgang")),
    };
    QStringList stale;
    const TResourceFile out = TranslateResources(builtIn, catalogue, stale);
    EXPECT_TRUE(stale.isEmpty()) << stale.join(u'\n').toStdString();

    // The whole form as it would have been written in German, everything else as it was.
    QByteArray expected = SampleForm;
    expected.replace("'Finestra'", "'Fenster'");
    expected.replace("'Temperatura '#176",
                     "#1058#1077#1084#1087#1077#1088#1072#1090#1091#1088#1072' '#176");
    expected.replace("'Pronto'", "'Bereit'");
    EXPECT_EQ(FormOf(out), FormTextToBinary(expected));
    EXPECT_EQ(out.LoadString(65504), QStringLiteral("Ausgang"));
    EXPECT_EQ(out.LoadString(5), builtIn.LoadString(5));

    // Nothing translated: the same bytes, not merely the same texts.
    EXPECT_EQ(TranslateResources(builtIn, {}, stale).ToBytes(), builtIn.ToBytes());
}

TEST(Catalogue, NonAsciiTranslationsAreWideStringsThatReadBack) {
    QStringList stale;
    const TResourceFile out =
        TranslateResources(SampleResources(),
                           {Translated("TForm1|Form1|Caption", QStringLiteral("Finestra"),
                                       QStringLiteral("Gr\u00f6\u00dfe")),
                            Translated("TForm1|Form1.Status|Panels[0].Text",
                                       QStringLiteral("Pronto"), QStringLiteral("Ready"))},
                           stale);
    const QByteArray form = FormOf(TResourceFile::FromBytes(out.ToBytes()));
    // Windows-1252 could hold "Größe" in 8 bits, but a file for another code page would not
    // read it back: every non-ASCII text goes wide.
    EXPECT_TRUE(form.contains(WideStringBytes(QStringLiteral("Gr\u00f6\u00dfe"))));
    EXPECT_TRUE(form.contains(QByteArray("\x06\x05Ready")));
    QStringList texts;
    RewriteFormStrings(form, [&](const TFormString& s) {
        texts.append(s.Text);
        return std::nullopt;
    });
    EXPECT_TRUE(texts.contains(QStringLiteral("Gr\u00f6\u00dfe")));
}

TEST(Catalogue, StaleEntriesChangeNothingAndAreReported) {
    const TResourceFile builtIn = SampleResources();
    TCatalogueEntry plural =
        Translated("STRINGTABLE|65504", QStringLiteral("Porta"), QStringLiteral("Ausgang"));
    plural.Plural = true;
    const QList<TCatalogueEntry> catalogue = {
        Translated("TForm1|Form1.Gone|Caption", QStringLiteral("Vecchio"), QStringLiteral("Alt")),
        Translated("STRINGTABLE|5", QStringLiteral("Salva?"), QStringLiteral("Speichern?")),
        Translated("TForm1|Form1|IconName", QStringLiteral("program"), QStringLiteral("x")),
        Translated("", QStringLiteral("Porta"), QStringLiteral("Ausgang")),
        plural,
    };
    QStringList stale;
    const TResourceFile out = TranslateResources(builtIn, catalogue, stale);
    EXPECT_EQ(out.ToBytes(), builtIn.ToBytes());
    ASSERT_EQ(stale.size(), 5);
    EXPECT_EQ(stale[0], QStringLiteral("stale entry TForm1|Form1.Gone|Caption \"Vecchio\": the "
                                       "program has no such text"));
    EXPECT_EQ(stale[1], QStringLiteral("stale entry STRINGTABLE|5 \"Salva?\": the program's text "
                                       "there is now \"Salva in \"%s\"?\""));
    EXPECT_TRUE(stale[2].endsWith(QLatin1String("the program has no such text")));
    EXPECT_TRUE(stale[3].endsWith(QLatin1String("it has no context")));
    EXPECT_TRUE(stale[4].endsWith(QLatin1String("the program has no plural texts")));
}

TEST(Catalogue, DamagedFormsAreRefusedNamingTheForm) {
    const QByteArray form = FormOf(SampleResources());
    for (qsizetype size = 4; size < form.size(); ++size) {
        const TResourceFile file = test::FormResourceFile({{"TForm1", form.left(size)}});
        try {
            ExtractCatalogue(file);
            ADD_FAILURE() << "a form cut to " << size << " bytes was accepted";
        } catch (const EReadError& error) {
            EXPECT_TRUE(error.Message().startsWith(QLatin1String("Form TFORM1: ")))
                << error.Message().toStdString();
        }
    }
    QByteArray deep = "TPF0\x06TForm1\x05Form1\x04Text";
    deep += QByteArray(100000, char(TValueType::vaList));
    EXPECT_THROW(RewriteFormStrings(deep, [](const TFormString&) { return std::nullopt; }),
                 EReadError);
}

TEST(Catalogue, ShippedCataloguesTranslateEveryTextOfTheProgram) {
    const TResourceFile builtIn = TResourceFile::LoadFromFile(
        test::BuildDir() + QStringLiteral("/src/app/lumotrix_app_resources.res"));
    const QList<TCatalogueEntry> texts = ExtractCatalogue(builtIn);
    ASSERT_GT(texts.size(), 100);
    const QDir translations(qEnvironmentVariable("LUMOTRIX_TEST_DATA") +
                            QStringLiteral("/../../translations"));
    const QStringList names = translations.entryList({QStringLiteral("*.po")}, QDir::Files);
    EXPECT_GE(names.size(), 2) << translations.path().toStdString();
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QList<TCatalogueEntry> catalogue = ReadCatalogue(translations.filePath(name));
        QStringList stale;
        TranslateResources(builtIn, catalogue, stale);
        EXPECT_TRUE(stale.isEmpty()) << stale.join(u'\n').toStdString();
        QHash<QString, const TCatalogueEntry*> byContext;
        for (const TCatalogueEntry& e : catalogue)
            byContext.insert(e.Context, &e);
        for (const TCatalogueEntry& text : texts) {
            const TCatalogueEntry* e = byContext.value(text.Context);
            EXPECT_TRUE(e && !e->Fuzzy && !e->Translation.isEmpty())
                << "not translated: " << text.Context.toStdString();
        }
        // The controller's protocol names the days in Italian, whatever the language.
        for (const TCatalogueEntry& e : catalogue) {
            if (e.Context.contains(QLatin1String("Grid1DBTableView1Giorno|Items"))) {
                EXPECT_EQ(e.Translation, e.Id);
            }
        }
    }
}

TEST(CatalogueName, GivesTheResourceFileCodeFromTheLocaleTable) {
    std::string error;
    EXPECT_EQ(ResourceCodeOfCatalogue("de_DE.po", error), "DEU");
    EXPECT_EQ(ResourceCodeOfCatalogue("translations/en_US.po", error), "ENU");
    EXPECT_EQ(ResourceCodeOfCatalogue("ru_RU.po", error), "RUS");
    EXPECT_EQ(ResourceCodeOfCatalogue("de_CH.po", error), "DES");
    EXPECT_EQ(ResourceCodeOfCatalogue("/a/b/de.po", error), "DE");
    EXPECT_EQ(ResourceCodeOfCatalogue("it", error), "IT");
    // The language alone is its default locale's code less one letter, not the ISO letters.
    EXPECT_EQ(ResourceCodeOfCatalogue("ja.po", error), "JP");
    EXPECT_EQ(ResourceCodeOfCatalogue("sv.po", error), "SV");
    EXPECT_TRUE(error.empty()) << error;

    // A country the table lacks must not borrow the language's default locale's code.
    EXPECT_EQ(ResourceCodeOfCatalogue("de_BR.po", error), "");
    EXPECT_NE(error.find("de.po"), std::string::npos) << error;
    error.clear();
    EXPECT_EQ(ResourceCodeOfCatalogue("xx_YY.po", error), "");
    EXPECT_NE(error.find("xx.po"), std::string::npos) << error;
    error.clear();
    EXPECT_EQ(ResourceCodeOfCatalogue("xx.po", error), "");
    EXPECT_NE(error.find("no locale is known"), std::string::npos) << error;
    for (const char* bad : {"german.po", "d_DE.po", "de_DEU.po", "de-DE.po", ".po"}) {
        error.clear();
        EXPECT_EQ(ResourceCodeOfCatalogue(bad, error), "") << bad;
        EXPECT_NE(error.find("no locale"), std::string::npos) << bad;
    }
}

TEST(Languages, OneLinePerSupportedLocaleWithItsCodesNamesAndCodePage) {
    const std::span<const TLocaleRow> rows = SupportedLocaleRows();
    QList<TLocaleId> enumerated;
    EnumSystemLocales([&](TLocaleId locale) {
        enumerated.append(locale);
        return true;
    });
    ASSERT_EQ(qsizetype(rows.size()), enumerated.size());
    for (qsizetype i = 0; i < enumerated.size(); ++i)
        EXPECT_EQ(rows[size_t(i)].Id, enumerated[i]);
    const auto line = [&](TLocaleId id) {
        const auto it = std::find_if(rows.begin(), rows.end(),
                                     [id](const TLocaleRow& r) { return r.Id == id; });
        EXPECT_NE(it, rows.end()) << id;
        return it != rows.end() ? LanguageLine(*it).split(u'\t') : QStringList();
    };
    EXPECT_EQ(line(0x0407).join(u'\t'),
              QStringLiteral("0x0407\tDEU\tDE\tDeutsch (Deutschland)\tGerman (Germany)\t1252"));
    const QStringList russian = line(0x0419);
    ASSERT_EQ(russian.size(), 6);
    EXPECT_EQ(russian[1], QStringLiteral("RUS"));
    EXPECT_EQ(russian[5], QStringLiteral("1251"));
    EXPECT_TRUE(russian[3].startsWith(QString::fromUtf8("русский"))) << russian[3].toStdString();
    EXPECT_EQ(line(0x0411).value(5), QStringLiteral("932"));
    // An id past four hex digits is written whole.
    EXPECT_TRUE(LanguageLine(TLocaleRow{0x20C0A, "ESN", 1252, 0})
                    .startsWith(QLatin1String("0x20c0a\tESN\tES\t")));
}
