#pragma once

#include "ScriptedDialogs.h"
#include "widgets/Application.h"
#include "widgets/Dialogs.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace lumotrix::test {

// The one application object of a test program (ours, so that its notify() is the one under
// test), made before the first test and gone after the last. The configuration folder and the
// settings store lie in a temporary folder, so no test reads or writes the user's own; message
// boxes and file dialogs are answered from a script.
class TTestApplication : public testing::Environment {
public:
    explicit TTestApplication(const char* programName, QString title = {});
    void SetUp() override;
    void TearDown() override;

protected:
    // Runs before the application object exists: the environment the program reads at start.
    virtual void BeforeStart() {}

private:
    QByteArray FProgramName;
    QString FTitle;
    int FArgc = 1;
    char* FArgv[2] = {};
    QTemporaryDir FConfig;
    std::unique_ptr<Application> FApp;
};

Application& App();
ScriptedMessageBoxes& Boxes();
ScriptedFileDialogs& Files();
// Fresh scripted dialogs (answers and records dropped).
void ResetDialogs();

} // namespace lumotrix::test
