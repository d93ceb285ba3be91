#pragma once

#include "app/About.h"
#include "app/HoravelForm.h"
#include "support/NamedComponent.h"
#include "support/TestApplication.h"
#include "widgets/PageControl.h"
#include "widgets/Ribbon.h"
#include "widgets/StatusBar.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace lumotrix::test {

// A main window created from its form resource, as the program creates it.
struct MainWindowTest : testing::Test {
    std::unique_ptr<TForm1> Form;
    QTemporaryDir Folder;

    void SetUp() override;
    void TearDown() override;

    template <typename T> T* Get(const char* name) { return NamedComponent<T>(Form.get(), name); }
    TBarItem* Item(const char* name) { return Get<TBarItem>(name); }
    TBarButton* Button(const char* name) { return Get<TBarButton>(name); }
    QString Path(const QString& name) const { return Folder.filePath(name); }

    // Eight named ports and 42 timers on port (k % 8) + 1, as a receive would leave them.
    void FillConfiguration();
    // A value changed in the first timer row and not committed.
    void MakePendingChange();
};

} // namespace lumotrix::test
