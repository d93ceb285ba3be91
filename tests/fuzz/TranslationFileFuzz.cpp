// A translation file, the whole way: written beside the program, put in force by a language
// switch that re-translates the open main window, then the built-in language again. The file
// may be refused or the switch end with the project's exception; the way back must work.

#include "FuzzSupport.h"
#include "app/HoravelForm.h"
#include "app/Startup.h"
#include "localisation/LangResource.h"
#include "runtime/ModuleList.h"
#include "runtime/Paths.h"
#include "runtime/Registry.h"
#include "widgets/Application.h"

#include <QFile>
#include <QTemporaryDir>
#include <memory>

using namespace lumotrix;

namespace {

QString builtInCaption;

// Started once and kept for the process (a start per input would be all the fuzzer measures),
// ended with it so that the toolkit releases what it holds.
TProgram* Program() {
    static QTemporaryDir settings;
    static const std::unique_ptr<TProgram> program = [] {
        TRegistry::SetStorePath(settings.filePath(QStringLiteral("registry.json")));
        static int argc = 1;
        static char name[] = "lumotrix";
        static char* argv[] = {name, nullptr};
        std::unique_ptr<TProgram> started = StartProgram(argc, argv);
        builtInCaption = started->MainForm->Caption();
        return started;
    }();
    return program.get();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TProgram* program = Program();
    const QString path =
        ChangeFileExt(TModuleList::Instance().Head().FileName(), QStringLiteral(".DEU"));
    {
        QFile file(path);
        fuzz::Check(file.open(QIODevice::WriteOnly) &&
                        file.write(fuzz::Bytes(data, size)) == qint64(size),
                    "cannot write the translation file");
    }
    bool switched = false;
    fuzz::Accepted([&] { switched = SwitchLanguage(QStringLiteral("DEU")); });
    fuzz::Check(fuzz::Accepted([] { fuzz::Check(SwitchLanguage(QString()), "no way back"); }),
                "the built-in language does not come back");
    fuzz::Check(program->MainForm->Caption() == builtInCaption,
                "the built-in language left a text of the file");
    if (switched)
        ++fuzz::RoundTrips;
    return 0;
}
