#include "TestApp.h"

#include <gtest/gtest.h>

namespace lumotrix::test {

namespace {

ScriptedMessageBoxes* GBoxes = nullptr;

class AppEnvironment : public testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM",
                qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
        static int argc = 1;
        static char name[] = "widgets_tests";
        static char* argv[] = {name, nullptr};
        FApp = new Application(argc, argv);
        FApp->SetTitle(QStringLiteral("Lumotrix - Windows Side of Lumotrix"));
        auto boxes = std::make_unique<ScriptedMessageBoxes>();
        GBoxes = boxes.get();
        SetMessageBoxes(std::move(boxes));
    }
    void TearDown() override {
        SetMessageBoxes(nullptr);
        GBoxes = nullptr;
        delete FApp;
        FApp = nullptr;
    }

private:
    Application* FApp = nullptr;
};

[[maybe_unused]] testing::Environment* const GEnvironment =
    testing::AddGlobalTestEnvironment(new AppEnvironment);

} // namespace

Application& App() {
    return *Application::Instance();
}
ScriptedMessageBoxes& Boxes() {
    return *GBoxes;
}

} // namespace lumotrix::test
