#include "app/Startup.h"

#include "app/HoravelForm.h"
#include "localisation/LangForms.h"
#include "localisation/LangResource.h"
#include "runtime/Exception.h"
#include "runtime/FormatSettings.h"
#include "runtime/ModuleList.h"
#include "widgets/Application.h"

namespace lumotrix {

void InitialiseRuntime() {
    TModuleList::Instance().Head();
    // The thread locale starts as the start-up locale from the environment.
    BuildFormatSettings(GetThreadLocale());
    // Every form and message is read in the start-up language from the first one on.
    DetectStartupLanguage();
    LoadStartupLanguage();
}

TProgram::~TProgram() {
    // The window goes before the application object it lives in.
    MainForm.reset();
    App.reset();
}

std::unique_ptr<TProgram> StartProgram(int& argc, char** argv) {
    InitialiseRuntime();
    auto program = std::make_unique<TProgram>();
    program->App = std::make_unique<Application>(argc, argv);
    program->App->SetTitle(ApplicationTitleText);
    // The toolkit's own buttons and dialogs speak the start-up language too.
    LoadToolkitLanguage(CurrentLanguage);
    program->MainForm.reset(CreateFormInLanguage<TForm1>());
    return program;
}

int RunProgram(int& argc, char** argv) {
    std::unique_ptr<TProgram> program;
    try {
        program = StartProgram(argc, argv);
        program->MainForm->Show();
    } catch (const Exception& error) {
        // Without its window the program can't go on; say why before ending.
        qCritical("%s", qUtf8Printable(error.Message()));
        if (program && program->App)
            ShowException(error);
        return 1;
    }
    return program->App->exec();
}

} // namespace lumotrix
