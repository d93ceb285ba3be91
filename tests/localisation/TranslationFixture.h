#pragma once

#include "TestComponents.h"

#include <QPair>
#include <gtest/gtest.h>

namespace lumotrix::test {

// A form class name and its text description.
using TFormText = QPair<QString, QString>;

// The translation resources in force, as a language switch leaves them, and the translation
// settings at their start values again after each test.
class TranslationTest : public ::testing::Test {
protected:
    void TearDown() override;

    // A resource file holding the forms, in force for the program.
    static void UseTranslation(const QList<TFormText>& forms);
    static QByteArray ResourceBytes(const QList<TFormText>& forms);

    // A form of class T read from its text description.
    template <typename T> static std::unique_ptr<T> Load(const QString& text) {
        auto form = std::make_unique<T>();
        form->LoadFromStream(FormBinary(text));
        return form;
    }
    static QByteArray FormBinary(const QString& text);
    template <typename T> static T* Find(TComponent* owner, const char* name) {
        auto* found = dynamic_cast<T*>(owner->FindComponent(QString::fromLatin1(name)));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
};

} // namespace lumotrix::test
