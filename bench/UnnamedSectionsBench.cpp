// Prints how a translation's unnamed component sections scale, 10k to 80k of them under the
// main window's root: the re-translation of the open main window, and the form loader reading
// the same sections (as a start in that language would). Each doubling of the sections should
// about double the times.

#include "BenchTiming.h"
#include "app/Startup.h"
#include "localisation/LangTranslator.h"
#include "runtime/FormLoader.h"
#include "runtime/FormStream.h"
#include "runtime/ModuleList.h"
#include "runtime/Registry.h"
#include "runtime/ResourceFile.h"
#include "widgets/Application.h"

#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <memory>

using namespace lumotrix;
using lumotrix::bench::SecondsSince;

namespace {

using Clock = std::chrono::steady_clock;

// A root of the given class holding that many unnamed, empty TComponent sections.
QByteArray UnnamedSections(const QByteArray& rootClass, int sections) {
    TWriter w;
    w.WriteSignature();
    w.WriteStr(rootClass);
    w.WriteStr("Root");
    w.WriteListEnd();
    for (int i = 0; i < sections; ++i) {
        w.WriteStr("TComponent");
        w.WriteStr("");
        w.WriteListEnd();
        w.WriteListEnd();
    }
    w.WriteListEnd();
    return w.Data();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    TRegistry::SetStorePath(settings.filePath(QStringLiteral("registry.json")));
    std::unique_ptr<TProgram> program = StartProgram(argc, argv);

    std::printf("unnamed sections   stream (KB)   translate main window (s)   load (s)\n");
    for (int sections : {10000, 20000, 40000, 80000}) {
        TResourceEntry entry;
        entry.Type = RT_RCDATA;
        entry.Name = QStringLiteral("TFORM1");
        entry.Data = UnnamedSections("TForm1", sections);
        auto translation = std::make_unique<TResourceFile>();
        translation->Add(entry);
        TModuleList::Instance().Head().SetResourceFile(std::move(translation));
        auto start = Clock::now();
        TLangTranslator::TranslateAllForms();
        const double translate = SecondsSince(start);
        TModuleList::Instance().Head().SetResourceFile(nullptr);

        const QByteArray flat = UnnamedSections("TComponent", sections);
        start = Clock::now();
        std::unique_ptr<TComponent> form(CreateComponentFromStream(nullptr, flat));
        const double load = SecondsSince(start);
        std::printf("%16d   %11lld   %25.3f   %8.3f\n", sections,
                    static_cast<long long>(entry.Data.size() / 1024), translate, load);
    }
    return 0;
}
