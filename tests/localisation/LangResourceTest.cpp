#include "LanguageFiles.h"
#include "ToolRun.h"

#include "app/About.h"
#include "localisation/LangCommon.h"
#include "localisation/LangDialog.h"
#include "localisation/LangForms.h"
#include "runtime/FormStream.h"
#include "runtime/FormatSettings.h"
#include "runtime/Paths.h"
#include "runtime/Registry.h"
#include "runtime/ResourceFile.h"
#include "runtime/ScopeExit.h"
#include "runtime/TextForm.h"
#include "widgets/Button.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QWidget>
#include <QtEndian>
#include <functional>

namespace lumotrix::test {
namespace {

using LangResourceTest = LanguageFilesTest;

QStringList Codes(const TLanguageList& list) {
    QStringList codes;
    for (const TLanguageEntry& entry : list)
        codes.append(QStringLiteral("%1:%2").arg(entry.Code).arg(entry.Locale, 0, 16));
    return codes;
}

TEST(LanguageCodes, LocaleAndCodeMapBothWays) {
    EXPECT_EQ(LanguageCodeOfLocale(0x0410), "ITA");
    EXPECT_EQ(LanguageCodeOfLocale(0x0010), "IT"); // language-neutral: the language alone
    EXPECT_EQ(LanguageCodeOfLocale(0), "");

    ResolvedLocale = 0x1234;
    EXPECT_EQ(LocaleOfLanguageCode(""), 0u);
    EXPECT_EQ(ResolvedLocale, 0x1234u) << "an empty code leaves the last resolution";
    EXPECT_EQ(LocaleOfLanguageCode(".deu"), 0x0407u);
    EXPECT_EQ(ResolvedLocale, 0x0407u);
    EXPECT_EQ(LocaleOfLanguageCode("IT"), 0x0010u);
    EXPECT_EQ(LocaleOfLanguageCode("QQQ"), 0u);
    EXPECT_EQ(ResolvedLocale, 0u);
}

TEST(LanguageCodes, ChangeFileExtReplacesOnlyTheFileNamesExtension) {
    EXPECT_EQ(ChangeFileExt("/opt/lib/lumotrix", ".DEU"), "/opt/lib/lumotrix.DEU");
    EXPECT_EQ(ChangeFileExt("/opt/lib.d/lumotrix", ".DEU"), "/opt/lib.d/lumotrix.DEU");
    EXPECT_EQ(ChangeFileExt("/opt/prog.exe", ".IT"), "/opt/prog.IT");
}

TEST_F(LangResourceTest, ThreeLetterCodeFallsBackToTheTwoLetterFilePerModule) {
    TModule& prog = AddModule("prog.exe");
    TModule& pkg = AddModule("pkg.bpl");
    WriteResourceFile(ProgramDir() + "/prog.ITA");
    WriteResourceFile(ProgramDir() + "/prog.IT");
    WriteResourceFile(ProgramDir() + "/pkg.IT");

    ASSERT_NE(LoadResourceModules("ITA"), nullptr);
    EXPECT_EQ(InForce(prog), "prog.ITA");
    EXPECT_EQ(InForce(pkg), "pkg.IT");
    EXPECT_EQ(CurrentLanguage, "IT") << "the code of the last file opened";
    EXPECT_EQ(pkg.ResourceCodePage(), 1252);
}

TEST_F(LangResourceTest, TwoLetterCodeIsNeverShortenedWhenLoading) {
    TModule& prog = AddModule("prog.exe");
    WriteResourceFile(ProgramDir() + "/prog.I");
    EXPECT_EQ(LoadResourceModules("IT"), nullptr);
    EXPECT_EQ(InForce(prog), "own");
    EXPECT_EQ(CurrentLanguage, "");
}

TEST_F(LangResourceTest, DocumentsFolderServesModulesWithoutAFileBesideThem) {
    TModule& prog = AddModule("prog.exe");
    TModule& pkg = AddModule("pkg.bpl");
    WriteResourceFile(ProgramDir() + "/prog.DEU");
    WriteResourceFile(TranslationsDir() + "/prog.DEU"); // beside the module wins
    WriteResourceFile(TranslationsDir() + "/pkg.DEU");

    ASSERT_NE(LoadResourceModules("DEU"), nullptr);
    EXPECT_EQ(InForce(prog), "prog.DEU");
    EXPECT_EQ(prog.ResourceFile()->FileName(), ProgramDir() + "/prog.DEU");
    EXPECT_EQ(pkg.ResourceFile()->FileName(), TranslationsDir() + "/pkg.DEU");
    EXPECT_EQ(pkg.ResourceCodePage(), 1252);
}

TEST_F(LangResourceTest, DamagedFileCountsAsAbsentForItsCandidate) {
    TModule& prog = AddModule("prog.exe");
    TModule& pkg = AddModule("pkg.bpl");
    WriteFile(ProgramDir() + "/prog.RUS", QByteArray("\0\0\0\0 not a resource file", 25));
    WriteResourceFile(TranslationsDir() + "/prog.RUS");
    WriteFile(ProgramDir() + "/pkg.RUS", QByteArray(3, '\xff'));

    ASSERT_NE(LoadResourceModules("RUS"), nullptr);
    EXPECT_EQ(InForce(prog), "prog.RUS");
    EXPECT_EQ(prog.ResourceFile()->FileName(), TranslationsDir() + "/prog.RUS");
    EXPECT_EQ(prog.ResourceCodePage(), 1251);
    EXPECT_EQ(InForce(pkg), "own");

    WriteFile(TranslationsDir() + "/prog.RUS", QByteArray(40, '\0'));
    EXPECT_FALSE(SwitchLanguage("RUS")) << "only damaged files: no switch";
    EXPECT_EQ(InForce(prog), "prog.RUS") << "a failed switch keeps the files in force";
}

// A language file holding string 1 (its name), the given entries, and an entry of type 99
// that makes the file `fileSize` bytes long, written as a sparse file when that is large.
void WriteBoundsFile(const QString& path, const QList<TResourceEntry>& entries,
                     qint64 fileSize = 0) {
    TResourceFile file;
    file.SetString(1, QFileInfo(path).fileName());
    for (const TResourceEntry& e : entries)
        file.Add(e);
    TResourceEntry filler;
    filler.Type = quint16(99);
    filler.Name = quint16(1);
    file.Add(filler);
    QByteArray bytes = file.ToBytes();
    const qint64 fillerSize = fileSize > 0 ? fileSize - bytes.size() : 0;
    qToLittleEndian(quint32(fillerSize), bytes.data() + bytes.size() - 32);
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    ASSERT_TRUE(out.resize(bytes.size() + fillerSize));
}

TResourceEntry FormEntry(const QByteArray& stream) {
    TResourceEntry e;
    e.Type = RT_RCDATA;
    e.Name = QStringLiteral("TBOUNDSFORM");
    e.Data = stream;
    return e;
}

// A root section holding one binary value that makes the stream `size` bytes long.
QByteArray StreamOfSize(qsizetype size) {
    const qsizetype overhead = 4 + 6 + 5 + 5 + 1 + 4 + 2;
    TWriter w;
    w.WriteSignature();
    w.WriteStr("TForm");
    w.WriteStr("Form");
    w.WriteStr("Data");
    w.WriteBinary(QByteArray(size - overhead, 'x'));
    w.WriteListEnd();
    w.WriteListEnd();
    return w.Data();
}

// A root section (one write) with `writes - 1` values, the last of them in a list.
QByteArray StreamOfWrites(int writes) {
    TWriter w;
    w.WriteSignature();
    w.WriteStr("TForm");
    w.WriteStr("Form");
    for (int i = 0; i < writes - 3; ++i) {
        w.WriteStr("Tag");
        w.WriteInteger(i % 100);
    }
    w.WriteStr("Lines.Strings");
    w.WriteListBegin();
    w.WriteString("a");
    w.WriteString("b");
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteListEnd();
    return w.Data();
}

TEST_F(LangResourceTest, AFileAskingTooMuchIsRefusedSayingWhyAndTheLanguageStays) {
    TModule& prog = AddModule("prog.exe");
    const QString path = ProgramDir() + "/prog.DEU";
    static QString warning;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { warning = text; });
    struct Case {
        const char* What;
        std::function<void()> Write;
        const char* Why; // nullptr: the file is taken
    };
    const qint64 MiB = 1024 * 1024;
    const QList<Case> cases = {
        {"file at the bound", [&] { WriteBoundsFile(path, {}, 64 * MiB); }, nullptr},
        {"file past it", [&] { WriteBoundsFile(path, {}, 64 * MiB + 1); }, "larger than 64 MiB"},
        {"form at the bound", [&] { WriteBoundsFile(path, {FormEntry(StreamOfSize(8 * MiB))}); },
         nullptr},
        {"form past it", [&] { WriteBoundsFile(path, {FormEntry(StreamOfSize(8 * MiB + 1))}); },
         "larger than 8 MiB"},
        {"writes at the bound", [&] { WriteBoundsFile(path, {FormEntry(StreamOfWrites(200000))}); },
         nullptr},
        {"writes past it", [&] { WriteBoundsFile(path, {FormEntry(StreamOfWrites(200001))}); },
         "more than 200000 writes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        prog.SetResourceFile(nullptr);
        warning.clear();
        c.Write();
        const bool taken = LoadResourceModules("DEU") != nullptr;
        EXPECT_EQ(taken, c.Why == nullptr);
        EXPECT_EQ(InForce(prog), taken ? "prog.DEU" : "own");
        if (c.Why) {
            EXPECT_TRUE(warning.contains(QLatin1String(c.Why))) << warning.toStdString();
        }
    }
    qInstallMessageHandler(previous);
}

TEST_F(LangResourceTest, AFileWithADamagedStringBlockCountsAsAbsent) {
    TModule& prog = AddModule("prog.exe");
    TResourceFile file;
    file.SetString(1, QStringLiteral("prog.DEU"));
    TResourceEntry damaged;
    damaged.Type = RT_STRING;
    damaged.Name = quint16(2);
    damaged.Data = QByteArray::fromHex("05006100"); // five characters announced, one there
    file.Add(damaged);
    file.SaveToFile(ProgramDir() + "/prog.DEU");
    EXPECT_EQ(LoadResourceModules("DEU"), nullptr);
    EXPECT_EQ(InForce(prog), "own");
}

TEST_F(LangResourceTest, SwitchSetsLocaleAndFormatsAndBackToBuiltInReleasesEveryFile) {
    TModule& prog = AddModule("prog.exe");
    TModule& pkg = AddModule("pkg.bpl");
    WriteResourceFile(ProgramDir() + "/prog.DEU");
    WriteResourceFile(ProgramDir() + "/pkg.DE");

    ASSERT_TRUE(SwitchLanguage("DEU"));
    EXPECT_EQ(GetThreadLocale(), 0x0407u);
    EXPECT_EQ(FormatSettings().DecimalSeparator, QChar(','));
    EXPECT_EQ(InForce(pkg), "pkg.DE");

    ASSERT_TRUE(SwitchLanguage(""));
    EXPECT_EQ(CurrentLanguage, "");
    EXPECT_EQ(InForce(prog), "own");
    EXPECT_EQ(InForce(pkg), "own");
    EXPECT_EQ(GetThreadLocale(), LocaleEnglishUS) << "locale 0: back to the user's default";
    EXPECT_EQ(FormatSettings().DecimalSeparator, QChar('.'));
}

TEST_F(LangResourceTest, FailedSwitchChangesNothingAndOptionsKeepLocaleAndFormats) {
    TModule& prog = AddModule("prog.exe");
    WriteResourceFile(ProgramDir() + "/prog.FRA");
    ASSERT_TRUE(SwitchLanguage("FRA"));
    const QChar separator = FormatSettings().DecimalSeparator;

    EXPECT_FALSE(SwitchLanguage("DEU"));
    EXPECT_EQ(CurrentLanguage, "FRA");
    EXPECT_EQ(InForce(prog), "prog.FRA");
    EXPECT_EQ(GetThreadLocale(), 0x040Cu);
    EXPECT_EQ(FormatSettings().DecimalSeparator, separator);

    WriteResourceFile(ProgramDir() + "/prog.DEU");
    ASSERT_TRUE(SwitchLanguage("DEU", {KeepThreadLocale, KeepFormatSettings}));
    EXPECT_EQ(InForce(prog), "prog.DEU");
    EXPECT_EQ(GetThreadLocale(), 0x040Cu);
    EXPECT_EQ(FormatSettings().DecimalSeparator, separator);
}

TEST_F(LangResourceTest, SwitchToTheLanguageInForceReloadsAndRetranslates) {
    const QString about = QStringLiteral("object AboutBox: TAboutBox\n"
                                         "  Caption = 'Info'\n"
                                         "end\n");
    WriteResourceFile(ProgramTranslation("DEU"), {{"TAboutBox", about}});
    std::unique_ptr<TAboutBox> box(CreateForm<TAboutBox>());
    EXPECT_EQ(box->Caption(), "About");

    ASSERT_TRUE(SwitchLanguage("DEU"));
    EXPECT_EQ(box->Caption(), "Info");
    box->SetCaption("changed meanwhile");
    WriteResourceFile(ProgramTranslation("DEU"),
                      {{"TAboutBox", QString(about).replace("Info", "Info neu")}});
    ASSERT_TRUE(SwitchLanguage("DEU"));
    EXPECT_EQ(box->Caption(), "Info neu");
    ASSERT_TRUE(SwitchLanguage(""));
    EXPECT_EQ(box->Caption(), "About");
}

// Hears the change notification as every window does.
struct LanguageChangeListener : QWidget {
    int Heard = 0;
    void changeEvent(QEvent* event) override {
        Heard += event->type() == QEvent::LanguageChange;
        QWidget::changeEvent(event);
    }
};

TEST_F(LangResourceTest, ToolkitAndWidgetTextsFollowEverySwitchButNotAFailedOne) {
    AddModule("prog.exe");
    WriteResourceFile(ProgramDir() + "/prog.DEU");
    auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    LanguageChangeListener window;
    ASSERT_TRUE(SwitchLanguage("DEU"));
    EXPECT_EQ(cancel(), "Abbrechen");
    EXPECT_EQ(window.Heard, 1) << "told at once, not left to the toolkit's posted event";
    EXPECT_FALSE(SwitchLanguage("ENU"));
    EXPECT_EQ(cancel(), "Abbrechen");
    EXPECT_EQ(window.Heard, 1);
    ASSERT_TRUE(SwitchLanguage(""));
    EXPECT_EQ(cancel(), "Annulla") << "the built-in language is Italian";
    EXPECT_EQ(window.Heard, 2);

    // A file whose form cannot be re-read ends the switch with an error, but the window's own
    // texts are in the new language already: never half one language, half the other.
    WriteResourceFile(ProgramTranslation("DEU"),
                      {{"TAboutBox", QStringLiteral("object AboutBox: TAboutBox\n"
                                                    "  Caption = <>\n"
                                                    "end\n")}});
    std::unique_ptr<TAboutBox> box(CreateForm<TAboutBox>());
    EXPECT_THROW(SwitchLanguage("DEU"), Exception);
    EXPECT_EQ(CurrentLanguage, "DEU");
    EXPECT_EQ(cancel(), "Abbrechen");
    EXPECT_EQ(window.Heard, 3);
}

TEST_F(LangResourceTest, ListingFollowsEnumerationOrderAndListsTwoLetterCodesOnce) {
    const QString prog = ProgramDir() + "/prog.exe";
    for (const char* ext : {"DEU", "DE", "ENU", "ITA", "ITS", "IT", "RUS"})
        WriteResourceFile(ProgramDir() + "/prog." + ext);
    WriteResourceFile(TranslationsDir() + "/prog.FRA"); // not looked at: files beside it

    TLanguageList list;
    EXPECT_EQ(ListAvailableLanguages(list, prog, false), 7);
    EXPECT_EQ(Codes(list), (QStringList{"DEU:407", "DE:7", "ENU:409", "ITA:410", "IT:10", "RUS:419",
                                        "ITS:810"}));

    // The system code page is that of the user's default locale (English: 1252).
    TLanguageList western;
    ListAvailableLanguages(western, prog, true);
    EXPECT_FALSE(Codes(western).contains("RUS:419"));
    EXPECT_EQ(CountAvailableLanguages(prog, true), 6);
}

TEST_F(LangResourceTest, ListingFallsBackToTheDocumentsFolderOnlyWhenNothingIsBesideIt) {
    const QString prog = ProgramDir() + "/prog.exe";
    WriteResourceFile(TranslationsDir() + "/prog.FRA");
    TLanguageList list;
    ListAvailableLanguages(list, prog, false);
    EXPECT_EQ(Codes(list), QStringList{"FRA:40c"});
}

TEST_F(LangResourceTest, RequireResourceFilesLooksForTheProgramsOwnFiles) {
    try {
        RequireResourceFiles();
        FAIL() << "no language file: an error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(),
                  "In order to change language you must first create resource files.");
    }
    WriteResourceFile(ProgramTranslation("DEU"));
    EXPECT_NO_THROW(RequireResourceFiles());
}

TEST_F(LangResourceTest, FindResourceLanguageShortensLongCodesOrWhenAsked) {
    const QString prog = ProgramDir() + "/prog.exe";
    WriteResourceFile(ProgramDir() + "/prog.IT");
    WriteResourceFile(ProgramDir() + "/prog.D");
    EXPECT_EQ(FindResourceLanguage(prog, "IT", false), "IT");
    EXPECT_EQ(FindResourceLanguage(prog, "ITA", false), "IT");
    EXPECT_EQ(FindResourceLanguage(prog, "DE", false), "");
    EXPECT_EQ(FindResourceLanguage(prog, "DE", true), "D");
    EXPECT_EQ(FindResourceLanguage(prog, "", true), "");
}

TEST_F(LangResourceTest, StartupLanguageFromOverrideThenThreadLocale) {
    const QString prog = ProgramDir() + "/prog.exe";
    auto setOverride = [&](const QString& code) {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(LanguageOverrideKey, true));
        registry.WriteString(prog, code);
    };
    WriteResourceFile(ProgramDir() + "/prog.IT");
    WriteResourceFile(ProgramDir() + "/prog.DE");
    SetUserDefaultLocale(0x0C07); // German (Austria): DEA

    DetectStartupLanguage(prog);
    EXPECT_EQ(CurrentLanguage, "DE") << "no override: the locale's code, shortened";

    setOverride("ITA");
    DetectStartupLanguage(prog);
    EXPECT_EQ(CurrentLanguage, "IT") << "a three-letter override finds its two-letter file";

    WriteResourceFile(ProgramDir() + "/prog.F");
    setOverride("FR");
    DetectStartupLanguage(prog);
    EXPECT_EQ(CurrentLanguage, "DE") << "a two-letter override is not shortened";

    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(LanguageOverrideKey));
    EXPECT_EQ(registry.GetValueNames(), QStringList{prog}) << "the override is never written";
}

// The translations as the build writes them beside the program: a keeper in any country of a
// shipped language starts in that language.
TEST_F(LangResourceTest, EveryCountryOfAShippedLanguageStartsInIt) {
    const QString program = BuildDir() + QStringLiteral("/src/app/lumotrix");
    constexpr quint16 IdReceive = 65511;
    const struct {
        const char* Lang;
        const char* Code;
        const char* Receive;
    } cases[] = {
        {"de_AT.UTF-8", "DE", "Daten empfangen"}, {"de_CH.UTF-8", "DE", "Daten empfangen"},
        {"en_GB.UTF-8", "EN", "Receive data"},    {"fr_BE.UTF-8", "FR", "Recevoir les données"},
        {"es_MX.UTF-8", "ES", "Recibir datos"},   {"nl_BE.UTF-8", "NL", "Gegevens ontvangen"},
    };
    const QByteArray saved[] = {qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"), qgetenv("LANG")};
    const TScopeExit restore([&] {
        qputenv("LC_ALL", saved[0]);
        qputenv("LC_MESSAGES", saved[1]);
        qputenv("LANG", saved[2]);
    });
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Lang);
        qputenv("LANG", c.Lang);
        SetUserDefaultLocale(LocaleFromEnvironment());
        DetectStartupLanguage(program);
        ASSERT_EQ(CurrentLanguage, c.Code);
        const TResourceFile file = TResourceFile::LoadFromFile(program + u'.' + CurrentLanguage);
        EXPECT_EQ(file.LoadString(IdReceive).value_or(QString()).toStdString(), c.Receive);
    }
}

TEST_F(LangResourceTest, FileNamesMatchWhateverTheirLetterCaseAndCodesStayAsAsked) {
    const QString prog = ProgramDir() + "/prog.exe";
    TModule& module = AddModule("prog.exe");
    WriteResourceFile(ProgramDir() + "/prog.deu");
    WriteResourceFile(ProgramDir() + "/prog.Fra");
    WriteResourceFile(ProgramDir() + "/prog.FRA"); // sorts before prog.Fra

    struct Case {
        const char* Code;
        const char* InForce;
    };
    for (const Case& c : {Case{"DEU", "prog.deu"}, Case{"deu", "prog.deu"}, Case{"fra", "prog.FRA"},
                          Case{"Fra", "prog.Fra"}}) {
        SCOPED_TRACE(c.Code);
        ASSERT_NE(LoadResourceModules(c.Code), nullptr);
        EXPECT_EQ(InForce(module), c.InForce);
        EXPECT_EQ(CurrentLanguage, c.Code) << "the code as asked";
    }
    EXPECT_EQ(FindResourceLanguage(prog, "Deu", false), "Deu");
    EXPECT_EQ(FindResourceLanguage(prog, "fra", false), "fra");
    TLanguageList list;
    ListAvailableLanguages(list, prog, false);
    EXPECT_EQ(Codes(list), (QStringList{"DEU:407", "FRA:40c"}));
}

TEST_F(LangResourceTest, AnOverrideIsTakenOnlyAsACodeOfTwoOrThreeLetters) {
    const QString prog = ProgramDir() + "/prog.exe";
    WriteResourceFile(ProgramDir() + "/prog.IT");
    WriteResourceFile(ProgramDir() + "/prog.DE");
    QDir(ProgramDir()).mkdir("prog.X");
    SetUserDefaultLocale(0x0410);
    struct Case {
        const char* Override;
        const char* Language;
    };
    for (const Case& c : {Case{"de", "de"}, Case{"DEU", "DE"}, Case{"X/../prog.DE", "IT"},
                          Case{"X/../prog.DE/", "IT"}, Case{"D", "IT"}, Case{"DEUTS", "IT"}}) {
        SCOPED_TRACE(c.Override);
        {
            TRegistry registry;
            ASSERT_TRUE(registry.OpenKey(LanguageOverrideKey, true));
            registry.WriteString(prog, c.Override);
        }
        DetectStartupLanguage(prog);
        EXPECT_EQ(CurrentLanguage, c.Language);
    }
}

TEST_F(LangResourceTest, DamagedSettingsStoreLeavesTheLocaleRule) {
    const QString store = FHome.filePath("damaged-registry.json");
    WriteFile(store, "{ not json");
    TRegistry::SetStorePath(store);
    const QString prog = ProgramDir() + "/prog.exe";
    WriteResourceFile(ProgramDir() + "/prog.ENU");
    DetectStartupLanguage(prog);
    TRegistry::SetStorePath(QString());
    EXPECT_EQ(CurrentLanguage, "ENU");
}

TEST_F(LangResourceTest, StartupLoadWithoutAUsableFileLeavesTheBuiltInLanguage) {
    TModule& prog = AddModule("prog.exe");
    CurrentLanguage = "DEU";
    WriteFile(ProgramDir() + "/prog.DEU", "damaged");
    LoadStartupLanguage();
    EXPECT_EQ(CurrentLanguage, "");
    EXPECT_EQ(InForce(prog), "own");

    WriteResourceFile(ProgramDir() + "/prog.DEU");
    CurrentLanguage = "DEU";
    LoadStartupLanguage();
    EXPECT_EQ(CurrentLanguage, "DEU");
    EXPECT_EQ(InForce(prog), "prog.DEU");
}

TEST_F(LangResourceTest, FormThatDoesNotFitIsBuiltInAndTranslatedFromTheFile) {
    const QString older = QStringLiteral("object LangLanguageDialog: TLangLanguageDialog\n"
                                         "  Caption = 'Sprache'\n"
                                         "  object List: TLabel\n"
                                         "  end\n"
                                         "  object OkButton: TButton\n"
                                         "    Caption = 'Gut'\n"
                                         "  end\n"
                                         "end\n");
    UseResourceFile(FormTextResourceFile({{QStringLiteral("TLangLanguageDialog"), older}}));

    std::unique_ptr<TLangLanguageDialog> dialog;
    ASSERT_NO_THROW(dialog.reset(CreateFormInLanguage<TLangLanguageDialog>()));
    EXPECT_EQ(dialog->Caption(), "Sprache");
    EXPECT_EQ(dialog->OkButton->Caption(), "Gut");
    EXPECT_NE(dynamic_cast<TListBox*>(dialog->List), nullptr);
    EXPECT_EQ(dialog->CancelButton->Caption(), "Cancel");

    // With the built-in resources in force a broken form is the program's own fault.
    TModuleList::Instance().Head().SetResourceFile(nullptr);
    EXPECT_NO_THROW(dialog.reset(CreateFormInLanguage<TLangLanguageDialog>()));
}

} // namespace
} // namespace lumotrix::test
