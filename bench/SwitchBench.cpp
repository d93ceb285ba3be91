// Prints how long a whole language switch takes with the program's own translations: the
// resource files put in force, the thread locale and format settings rebuilt, and every open
// form (the main window and the About box) re-translated. German, English and back to the
// built-in Italian, in turn.

#include "app/About.h"
#include "app/HoravelForm.h"
#include "app/Startup.h"
#include "localisation/LangResource.h"
#include "runtime/Paths.h"
#include "runtime/Registry.h"
#include "widgets/Application.h"
#include "widgets/Ribbon.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace lumotrix;

namespace {

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// The translations built beside the program, copied where this program finds its own: the
// documents folder's Translations, under this program's name.
bool InstallTranslations(const QString& documents) {
    const QString translations = documents + QStringLiteral("/Translations");
    QDir().mkpath(translations);
    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    for (const char* code : {"DE", "EN"}) {
        const QString from = QStringLiteral(LUMOTRIX_PROGRAM_DIR "/lumotrix.") + code;
        const QString to = translations + QLatin1Char('/') + self + QLatin1Char('.') + code;
        QFile::remove(to);
        if (!QFile::copy(from, to)) {
            std::fprintf(stderr, "%s is missing: build the translations first\n",
                         qUtf8Printable(from));
            return false;
        }
    }
    return true;
}

QString LinguaCaption(TForm1& window) {
    auto* item = dynamic_cast<TBarItem*>(window.FindComponent(QStringLiteral("BarLargeButton12")));
    return item ? item->Caption() : QString();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toUtf8());
    TRegistry::SetStorePath(home.filePath(QStringLiteral("registry.json")));
    std::unique_ptr<TProgram> program = StartProgram(argc, argv);
    if (!InstallTranslations(GetSpecialFolderPath(CSIDL_PERSONAL)))
        return 1;
    program->MainForm->Show();
    while (!program->MainForm->Widget()->isVisible())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    constexpr int Rounds = 20;
    const QStringList codes{QStringLiteral("DE"), QStringLiteral("EN"), QString()};
    // What the language command is called in each, so that a switch that did nothing shows.
    const QHash<QString, QString> expected{{codes[0], QStringLiteral("Sprache")},
                                           {codes[1], QStringLiteral("Language")},
                                           {codes[2], QStringLiteral("Lingua")}};
    std::vector<double> times;
    for (int round = 0; round < Rounds; ++round)
        for (const QString& code : codes) {
            const auto start = std::chrono::steady_clock::now();
            if (!SwitchLanguage(code)) {
                std::fprintf(stderr, "switch to %s failed\n", qUtf8Printable(code));
                return 1;
            }
            times.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
            QCoreApplication::processEvents();
            if (LinguaCaption(*program->MainForm) != expected[code]) {
                std::fprintf(stderr, "the window did not follow the switch to %s\n",
                             qUtf8Printable(code));
                return 1;
            }
        }
    std::sort(times.begin(), times.end());
    std::printf("language switch (files, locale, formats, %d open forms), %zu switches:\n",
                int(ScreenForms().size()), times.size());
    std::printf("  median %.2f ms, 90th percentile %.2f ms, worst %.2f ms (target < 30 ms)\n",
                times[times.size() / 2], times[times.size() * 9 / 10], times.back());
    return 0;
}
