#include "TestApplication.h"

#include "runtime/Registry.h"

namespace lumotrix::test {

namespace {

ScriptedMessageBoxes* GBoxes = nullptr;
ScriptedFileDialogs* GFiles = nullptr;

} // namespace

TTestApplication::TTestApplication(const char* programName, QString title)
    : FProgramName(programName), FTitle(std::move(title)) {}

void TTestApplication::SetUp() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ASSERT_TRUE(FConfig.isValid());
    qputenv("XDG_CONFIG_HOME", FConfig.path().toLocal8Bit());
    TRegistry::SetStorePath(FConfig.filePath(QStringLiteral("registry.json")));
    BeforeStart();
    FArgv[0] = FProgramName.data();
    FApp = std::make_unique<Application>(FArgc, FArgv);
    if (!FTitle.isEmpty())
        FApp->SetTitle(FTitle);
    ResetDialogs();
}

void TTestApplication::TearDown() {
    SetMessageBoxes(nullptr);
    SetFileDialogs(nullptr);
    GBoxes = nullptr;
    GFiles = nullptr;
    FApp.reset();
}

Application& App() {
    return *Application::Instance();
}

ScriptedMessageBoxes& Boxes() {
    return *GBoxes;
}

ScriptedFileDialogs& Files() {
    return *GFiles;
}

void ResetDialogs() {
    auto boxes = std::make_unique<ScriptedMessageBoxes>();
    GBoxes = boxes.get();
    SetMessageBoxes(std::move(boxes));
    auto files = std::make_unique<ScriptedFileDialogs>();
    GFiles = files.get();
    SetFileDialogs(std::move(files));
}

} // namespace lumotrix::test
