// Prints how long re-translating the open main window and About box takes, from a resource
// file in which every caption differs from the built-in one, and back again.

#include "app/About.h"
#include "app/HoravelForm.h"
#include "app/Startup.h"
#include "localisation/LangTranslator.h"
#include "runtime/ModuleList.h"
#include "runtime/Registry.h"
#include "runtime/TextForm.h"
#include "widgets/Application.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace lumotrix;

namespace {

// The built-in description of a form with " *" added to every caption.
QByteArray EveryCaptionChanged(const QString& resourceName, int& captions) {
    const TResourceEntry* own =
        TModuleList::Instance().Head().OwnResources().Find(RT_RCDATA, TResourceId(resourceName));
    if (own == nullptr)
        throw Exception(QStringLiteral("No resource %1").arg(resourceName));
    QString text = FormBinaryToText(own->Data);
    static const QRegularExpression caption(QStringLiteral("^(\\s*Caption = .*)$"),
                                            QRegularExpression::MultilineOption);
    captions += static_cast<int>(text.count(caption));
    text.replace(caption, QStringLiteral("\\1#32#42"));
    return FormTextToBinary(text);
}

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    TRegistry::SetStorePath(settings.filePath(QStringLiteral("registry.json")));
    std::unique_ptr<TProgram> program = StartProgram(argc, argv);
    program->MainForm->Show();
    while (!program->MainForm->Widget()->isVisible())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    int captions = 0;
    TResourceFile translation;
    for (const QString& name : {QStringLiteral("TFORM1"), QStringLiteral("TABOUTBOX")}) {
        TResourceEntry entry;
        entry.Type = RT_RCDATA;
        entry.Name = name;
        entry.Data = EveryCaptionChanged(name, captions);
        translation.Add(entry);
    }

    constexpr int Rounds = 20;
    std::vector<double> there;
    std::vector<double> back;
    for (int round = 0; round < Rounds; ++round) {
        TModuleList::Instance().Head().SetResourceFile(
            std::make_unique<TResourceFile>(translation));
        auto start = std::chrono::steady_clock::now();
        TLangTranslator::TranslateAllForms();
        there.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
        QCoreApplication::processEvents();

        TModuleList::Instance().Head().SetResourceFile(nullptr);
        start = std::chrono::steady_clock::now();
        TLangTranslator::TranslateAllForms();
        back.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
        QCoreApplication::processEvents();
    }
    const auto report = [](const char* what, std::vector<double> times) {
        std::sort(times.begin(), times.end());
        std::printf("%s: median %.2f ms, min %.2f ms, max %.2f ms\n", what, times[times.size() / 2],
                    times.front(), times.back());
    };
    std::printf("TranslateAllForms over the main window and the About box, %d captions, "
                "%d rounds (target under 20 ms)\n",
                captions, Rounds);
    report("every caption changed", there);
    report("back to the built-in language", back);
    // What the pass did, to be sure it translated at all.
    TModuleList::Instance().Head().SetResourceFile(std::make_unique<TResourceFile>(translation));
    TLangTranslator::TranslateAllForms();
    std::printf("main window caption after the pass: \"%s\"\n",
                qPrintable(program->MainForm->Caption()));
    return 0;
}
