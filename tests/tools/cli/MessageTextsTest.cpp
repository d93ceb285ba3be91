#include "CliSupport.h"
#include "EnglishMessages.h"
#include "app/AppMessageIds.h"
#include "runtime/ResourceFile.h"
#include "widgets/qt/WidgetMessageIds.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>

using namespace lumotrix;

namespace {

// The program's own messages sit below the window's texts.
constexpr quint16 FirstWindowText = 65504;
constexpr quint16 LowestMessageId = 64000;

QSet<QString> Arguments(const QString& text) {
    static const QRegularExpression argument(QStringLiteral("%[1-9][0-9]?"));
    QSet<QString> found;
    for (auto m = argument.globalMatch(text); m.hasNext();)
        found.insert(m.next().captured());
    return found;
}

TResourceFile BuiltResources(const QString& name) {
    return TResourceFile::LoadFromFile(test::BuildDir() + QStringLiteral("/src/app/") + name);
}

// The translation files the build wrote beside the program, one per shipped catalogue.
QStringList ShippedTranslations() {
    const QDir program(test::BuildDir() + QStringLiteral("/src/app"));
    static const QRegularExpression code(QStringLiteral("^lumotrix\\.[A-Z]{2,3}$"));
    const QStringList files = program.entryList({QStringLiteral("lumotrix.*")}, QDir::Files);
    const QStringList catalogues =
        QDir(qEnvironmentVariable("LUMOTRIX_TEST_DATA") + QStringLiteral("/../../translations"))
            .entryList({QStringLiteral("*.po")}, QDir::Files);
    QStringList translations = files.filter(code);
    EXPECT_EQ(translations.size(), catalogues.size())
        << translations.join(u' ').toStdString() << " for " << catalogues.join(u' ').toStdString();
    return translations;
}

} // namespace

// The tools' English and every shipped language give each message of the program, with the
// same arguments: a text without its %1 would lose the file name or the reason.
TEST(MessageTexts, EveryMessageHasItsTextInEveryLanguageWithTheSameArguments) {
    const TResourceFile italian = BuiltResources(QStringLiteral("lumotrix_app_resources.res"));
    QList<std::pair<QString, TResourceFile>> translations;
    for (const QString& name : ShippedTranslations())
        translations.append({name, BuiltResources(name)});
    ASSERT_GE(translations.size(), 2);
    int messages = 0;
    for (quint16 id = LowestMessageId; id < FirstWindowText; ++id) {
        const std::optional<QString> builtIn = italian.LoadString(id);
        const QString english = EnglishMessageText(id);
        EXPECT_EQ(builtIn.has_value(), !english.isEmpty()) << "message " << id;
        if (!builtIn)
            continue;
        ++messages;
        EXPECT_EQ(Arguments(english), Arguments(*builtIn)) << "message " << id;
        for (const auto& [name, resources] : translations) {
            const std::optional<QString> translated = resources.LoadString(id);
            ASSERT_TRUE(translated) << name.toStdString() << " lacks message " << id;
            EXPECT_EQ(Arguments(*translated), Arguments(*builtIn))
                << name.toStdString() << ", message " << id;
        }
    }
    EXPECT_GT(messages, 100);
    EXPECT_TRUE(italian.LoadString(msgNoSettingsStored));
    EXPECT_TRUE(italian.LoadString(msgOutOfMemory));
}

using CliMessages = test::CliTest;

TEST_F(CliMessages, TheToolReportsFailuresInItsOwnEnglish) {
    QFile file(Path("notes.tmr"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Timer 01;Luned\xEC;07:30\n");
    file.close();
    test::TRun r = test::RunCli({QStringLiteral("show"), Path("notes.tmr")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Err, QStringLiteral("lumotrix-cli: Cannot read the table file \"%1\": this is not "
                                    "a table file (at byte 0).\n")
                         .arg(Path("notes.tmr")));

    ASSERT_EQ(test::RunCli({"import", WriteJson(test::SampleConfig()), Path("a.tmr")}).ExitCode, 0);
    r = test::RunCli({"send", Path("a.tmr"), "--port", Path("ttyNOPE")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Err, QStringLiteral("lumotrix-cli: Cannot open the port %1: the file or folder "
                                    "does not exist\n")
                         .arg(Path("ttyNOPE")));
}
