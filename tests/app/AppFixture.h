#pragma once

#include "app/About.h"
#include "app/HoravelForm.h"
#include "widgets/BarManager.h"
#include "widgets/ComCtrls.h"
#include "widgets/Dialogs.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace lumotrix::test {

// The application object of the app tests, with scripted message boxes and file dialogs.
ScriptedMessageBoxes& Boxes();
ScriptedFileDialogs& Files();
// Fresh scripted dialogs (answers and records dropped).
void ResetDialogs();

// A main window created from its form resource, as the program creates it.
struct MainWindowTest : testing::Test {
    std::unique_ptr<TForm1> Form;
    QTemporaryDir Folder;

    void SetUp() override;
    void TearDown() override;

    // A component by name, as a screen reader or a UI-automation tool would find it.
    template <typename T> T* Get(const char* name) {
        auto* found = dynamic_cast<T*>(Form->FindComponent(QString::fromLatin1(name)));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    TBarItem* Item(const char* name) { return Get<TBarItem>(name); }
    TBarButton* Button(const char* name) { return Get<TBarButton>(name); }
    QString Path(const QString& name) const { return Folder.filePath(name); }

    // Eight named ports and 42 timers on port (k % 8) + 1, as a receive would leave them.
    void FillConfiguration();
    // A value changed in the first timer row and not committed.
    void MakePendingChange();
};

} // namespace lumotrix::test
