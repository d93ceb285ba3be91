#include "ResToolFixture.h"
#include "runtime/ResourceFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace lumotrix;

namespace {

using test::TRun;

// The program's resources in two versions: the second changes a caption and adds a label, as
// a new release of the program would.
const char* const FormV1 = "object Form1: TForm1\n"
                           "  Caption = 'Lumotrix'\n"
                           "  object Button1: TButton\n"
                           "    Caption = 'Invio dati'\n"
                           "    Hint = 'Invia i dati'\n"
                           "  end\n"
                           "end\n";
const char* const FormV2 = "object Form1: TForm1\n"
                           "  Caption = 'Lumotrix'\n"
                           "  object Button1: TButton\n"
                           "    Caption = 'Invia dati'\n"
                           "    Hint = 'Invia i dati'\n"
                           "  end\n"
                           "  object Label1: TLabel\n"
                           "    Caption = 'Nuovo'\n"
                           "  end\n"
                           "end\n";

// How translators work: the template, msginit, an editor, msgmerge after a new release.
class CatalogueTool : public test::TResToolFixture {
protected:
    void SetUp() override {
        TResToolFixture::SetUp();
        Write("app.rc", "#pragma code_page(65001)\n"
                        "STRINGTABLE\nBEGIN\n"
                        "  65504, \"Porta\"\n"
                        "  65520, \"Vuoi salvare in \"\"%s\"\"?\"\n"
                        "END\n"
                        "TForm1 RCDATA \"Main.form\"\n");
    }

    // A gettext program, which every translator has.
    void Gettext(const char* program, const QStringList& args) {
        const QString path = QStandardPaths::findExecutable(QString::fromUtf8(program));
        ASSERT_FALSE(path.isEmpty()) << program << " (package gettext) is missing";
        const TRun r = RunProgram(path, args);
        ASSERT_EQ(r.ExitCode, 0) << program << ": " << r.Err.toStdString();
    }

    void BuildRelease(const char* form) {
        Write("Main.form", form);
        const TRun r = Run({QStringLiteral("build"), Path("app.rc"), Path("app.res")});
        ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
        const TRun e = Run({QStringLiteral("extract"), Path("app.res"), Path("lumotrix.pot")});
        ASSERT_EQ(e.ExitCode, 0) << e.Err.toStdString();
    }

    // What a translator does in an editor: fills in the translation of one text.
    void TranslateText(const char* catalogue, const char* msgid, const char* msgstr) {
        QByteArray po = Read(catalogue);
        const QByteArray entry = QByteArray("msgid \"") + msgid + "\"\nmsgstr \"\"";
        ASSERT_TRUE(po.contains(entry)) << msgid;
        po.replace(entry, QByteArray("msgid \"") + msgid + "\"\nmsgstr \"" + msgstr + "\"");
        Write(catalogue, po);
    }

    QString FormText(const char* resFile) {
        const TRun r = Run({QStringLiteral("forms"), Path(resFile)});
        EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
        return r.Out;
    }
};

} // namespace

TEST_F(CatalogueTool, RoundTripThroughTheTranslatorsTools) {
    BuildRelease(FormV1);
    const QString pot = QString::fromUtf8(Read("lumotrix.pot"));
    EXPECT_TRUE(pot.contains(QStringLiteral("msgctxt \"TForm1|Form1.Button1|Caption\"\n"
                                            "msgid \"Invio dati\"")));
    EXPECT_TRUE(pot.contains(QStringLiteral("#, c-format\nmsgctxt \"STRINGTABLE|65520\"")));

    Gettext("msginit", {QStringLiteral("--no-translator"), QStringLiteral("--no-wrap"),
                        QStringLiteral("-l"), QStringLiteral("de_DE.UTF-8"), QStringLiteral("-i"),
                        Path("lumotrix.pot"), QStringLiteral("-o"), Path("de_DE.po")});
    TranslateText("de_DE.po", "Invio dati", "Daten senden");
    TranslateText("de_DE.po", "Porta", "Ausgang");
    TranslateText("de_DE.po", "Vuoi salvare in \\\"%s\\\"?", "In \\\"%s\\\" speichern?");
    Write("de_DE.v1.po", Read("de_DE.po"));

    // Into a folder: the file is named by the catalogue's locale.
    TRun r = Run({QStringLiteral("translate"), Path("app.res"), Path("de_DE.po"), Dir.path()});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Err, QString());
    TResourceFile german = TResourceFile::LoadFromFile(Path("lumotrix.DEU"));
    EXPECT_EQ(german.LoadString(65504), QStringLiteral("Ausgang"));
    EXPECT_EQ(german.LoadString(65520), QStringLiteral("In \"%s\" speichern?"));
    QString form = FormText("lumotrix.DEU");
    EXPECT_TRUE(form.contains(QStringLiteral("Caption = 'Daten senden'")));
    EXPECT_TRUE(form.contains(QStringLiteral("Hint = 'Invia i dati'")));

    // A new release: msgmerge carries the translations over; the changed caption becomes fuzzy
    // and keeps its Italian text until a translator has looked at it.
    BuildRelease(FormV2);
    Gettext("msgmerge", {QStringLiteral("--quiet"), QStringLiteral("--no-wrap"),
                         QStringLiteral("-U"), Path("de_DE.po"), Path("lumotrix.pot")});
    r = Run({QStringLiteral("translate"), Path("app.res"), Path("de_DE.po"), Path("de.res")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Err, QString());
    german = TResourceFile::LoadFromFile(Path("de.res"));
    EXPECT_EQ(german.LoadString(65504), QStringLiteral("Ausgang"));
    form = FormText("de.res");
    EXPECT_TRUE(form.contains(QStringLiteral("Caption = 'Invia dati'")));
    EXPECT_TRUE(form.contains(QStringLiteral("Caption = 'Nuovo'")));

    // The old catalogue, not merged, against the new release: its caption is reported.
    r = Run({QStringLiteral("translate"), Path("app.res"), Path("de_DE.v1.po"), Path("old.res")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Err, QStringLiteral("lumotrix-res: %1: stale entry TForm1|Form1.Button1|Caption "
                                    "\"Invio dati\": the program's text there is now \"Invia "
                                    "dati\"\n")
                         .arg(Path("de_DE.v1.po")));
    EXPECT_EQ(TResourceFile::LoadFromFile(Path("old.res")).LoadString(65504),
              QStringLiteral("Ausgang"));
}

TEST_F(CatalogueTool, RefusesWhatItCannotUseWithoutWritingAnything) {
    BuildRelease(FormV1);
    Write("bad.po", "msgid \"Porta\"\nmsgstr \"Ausgang\n");
    TRun r = Run({QStringLiteral("translate"), Path("app.res"), Path("bad.po"), Path("out.res")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.startsWith(QStringLiteral("lumotrix-res: %1:").arg(Path("bad.po"))))
        << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains(QLatin1String("end-of-line within string")));
    EXPECT_EQ(r.Err.count(u'\n'), 1);
    EXPECT_FALSE(QFile::exists(Path("out.res")));

    r = Run({QStringLiteral("translate"), Path("app.res"), Path("missing.po"), Path("out.res")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(
        r.Err.startsWith(QStringLiteral("lumotrix-res: Cannot open %1").arg(Path("missing.po"))));

    Write("deutsch.po", Read("lumotrix.pot"));
    r = Run({QStringLiteral("translate"), Path("app.res"), Path("deutsch.po"), Dir.path()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains(QLatin1String("no locale such as de_DE or de")));

    r = Run({QStringLiteral("extract"), Path("lumotrix.pot"), Path("x.pot")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_FALSE(QFile::exists(Path("x.pot")));

    EXPECT_EQ(Run({QStringLiteral("translate"), Path("app.res"), Path("bad.po")}).ExitCode, 2);
    EXPECT_EQ(Run({QStringLiteral("extract"), Path("app.res")}).ExitCode, 2);
    EXPECT_EQ(Run({QStringLiteral("languages"), Path("app.res")}).ExitCode, 2);
}

TEST_F(CatalogueTool, ATranslationThatDropsAFormatDirectiveIsNotUsed) {
    BuildRelease(FormV1);
    Gettext("msginit", {QStringLiteral("--no-translator"), QStringLiteral("--no-wrap"),
                        QStringLiteral("-l"), QStringLiteral("de_DE.UTF-8"), QStringLiteral("-i"),
                        Path("lumotrix.pot"), QStringLiteral("-o"), Path("de_DE.po")});
    TranslateText("de_DE.po", "Vuoi salvare in \\\"%s\\\"?", "Speichern?");
    TranslateText("de_DE.po", "Porta", "Ausgang");
    const TRun r =
        Run({QStringLiteral("translate"), Path("app.res"), Path("de_DE.po"), Path("de.res")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.startsWith(QStringLiteral("lumotrix-res: %1: entry STRINGTABLE|65520 "
                                                "\"Vuoi salvare in \"%s\"?\" left untranslated: ")
                                     .arg(Path("de_DE.po"))))
        << r.Err.toStdString();
    const TResourceFile german = TResourceFile::LoadFromFile(Path("de.res"));
    EXPECT_EQ(german.LoadString(65520), QStringLiteral("Vuoi salvare in \"%s\"?"));
    EXPECT_EQ(german.LoadString(65504), QStringLiteral("Ausgang"));
}

TEST_F(CatalogueTool, LanguagesListsTheLocaleTableOneLineEach) {
    const TRun r = Run({QStringLiteral("languages")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    const QStringList lines = r.Out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(lines.value(0).startsWith(QLatin1String("0x0401\tARA\tAR\t")));
    EXPECT_TRUE(lines.contains(
        QString::fromUtf8("0x0419\tRUS\tRU\tрусский (Россия)\tRussian (Russia)\t1251")));
    for (const QString& line : lines)
        EXPECT_EQ(line.count(u'\t'), 5) << line.toStdString();
}
