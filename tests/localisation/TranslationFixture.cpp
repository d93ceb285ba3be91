#include "TranslationFixture.h"

#include "localisation/TranslateSettings.h"
#include "runtime/ModuleList.h"
#include "runtime/Registry.h"
#include "runtime/TextForm.h"
#include "widgets/Application.h"
#include "widgets/Dialogs.h"

#include <QTemporaryDir>

namespace lumotrix::test {

namespace {

class TranslationEnvironment : public testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        TRegistry::SetStorePath(FConfig.filePath(QStringLiteral("registry.json")));
        static int argc = 1;
        static char name[] = "localisation_tests";
        static char* argv[] = {name, nullptr};
        FApp = new Application(argc, argv);
        SetMessageBoxes(std::make_unique<ScriptedMessageBoxes>());
        SetFileDialogs(std::make_unique<ScriptedFileDialogs>());
    }
    void TearDown() override {
        SetMessageBoxes(nullptr);
        SetFileDialogs(nullptr);
        delete FApp;
        FApp = nullptr;
    }

private:
    QTemporaryDir FConfig;
    Application* FApp = nullptr;
};

[[maybe_unused]] testing::Environment* const GEnvironment =
    testing::AddGlobalTestEnvironment(new TranslationEnvironment);

} // namespace

void TranslationTest::TearDown() {
    TModuleList::Instance().Head().SetResourceFile(nullptr);
    TranslateKinds = {};
    TranslateRootPosition = false;
    BeforeTranslate = nullptr;
    AfterTranslate = nullptr;
}

QByteArray TranslationTest::FormBinary(const QString& text) {
    return FormTextToBinary(text);
}

QByteArray TranslationTest::ResourceBytes(const QList<TFormText>& forms) {
    TResourceFile file;
    for (const auto& [className, text] : forms) {
        TResourceEntry entry;
        entry.Type = RT_RCDATA;
        entry.Name = className.toUpper();
        entry.Data = FormTextToBinary(text);
        file.Add(entry);
    }
    return file.ToBytes();
}

void TranslationTest::UseTranslation(const QList<TFormText>& forms) {
    TModuleList::Instance().Head().SetResourceFile(
        std::make_unique<TResourceFile>(TResourceFile::FromBytes(ResourceBytes(forms))));
}

} // namespace lumotrix::test
