#pragma once

#include "TestComponents.h"
#include "support/FormResourceFiles.h"
#include "support/NamedComponent.h"
#include "support/TestApplication.h"

#include "runtime/TextForm.h"

#include <gtest/gtest.h>

namespace lumotrix::test {

// The translation resources in force, as a language switch leaves them, and the translation
// settings at their start values again after each test.
class TranslationTest : public ::testing::Test {
protected:
    void TearDown() override;

    // A resource file holding the forms, in force for the program.
    static void UseTranslation(const QList<TFormText>& forms) {
        UseResourceFile(FormTextResourceFile(forms));
    }

    // A form of class T read from its text description.
    template <typename T> static std::unique_ptr<T> Load(const QString& text) {
        auto form = std::make_unique<T>();
        form->LoadFromStream(FormTextToBinary(text));
        return form;
    }
    template <typename T> static T* Find(TComponent* owner, const char* name) {
        return NamedComponent<T>(owner, name);
    }
};

} // namespace lumotrix::test
