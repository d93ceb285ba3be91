#include "runtime/FormResources.h"
#include "TestComponents.h"
#include "runtime/FormStream.h"
#include "runtime/ModuleList.h"
#include "runtime/TextForm.h"
#include "support/FormResourceFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <memory>

using namespace lumotrix;

namespace {

// A module whose resources hold forms for the test classes, removed again after each test.
class FormResources : public ::testing::Test {
protected:
    void AddForms(const QList<test::TFormText>& forms) {
        FBytes = test::FormTextResourceFile(forms).ToBytes();
        FModule = &TModuleList::Instance().AddModule(
            QStringLiteral("/tmp/forms.test"),
            reinterpret_cast<const unsigned char*>(FBytes.constData()),
            static_cast<std::size_t>(FBytes.size()));
    }
    void TearDown() override {
        if (FModule)
            TModuleList::Instance().RemoveModule(*FModule);
    }

    QByteArray FBytes;
    TModule* FModule = nullptr;
};

} // namespace

TEST_F(FormResources, AncestorResourceFirstThenTheOwnOne) {
    AddForms({{"TTestControl", "object Base: TTestControl\n  Caption = 'base'\n  Left = 7\nend\n"},
              {"TTestForm", "object Form: TTestForm\n  Caption = 'derived'\n"
                            "  object Button: TTestControl\n    OnClick = ButtonClick\n  end\n"
                            "end\n"}});
    TTestForm form(nullptr);
    InitInheritedComponent(&form);
    EXPECT_EQ(form.Caption, QStringLiteral("derived"));
    EXPECT_EQ(form.Left(), 7);
    ASSERT_NE(form.FindComponent(QStringLiteral("BUTTON")), nullptr);
    EXPECT_TRUE(HasFormResource(ClassInfoOf<TTestForm>()));
}

TEST_F(FormResources, AClassWithoutItsOwnResourceIsNotLoaded) {
    AddForms({{"TTestControl", "object Base: TTestControl\n  Caption = 'base'\nend\n"}});
    TTestForm form(nullptr);
    try {
        InitInheritedComponent(&form);
        FAIL() << "loaded without a resource";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Resource TTestForm not found"));
    }
    EXPECT_TRUE(form.Caption.isEmpty());
}

TEST_F(FormResources, EightBitStringsReadInTheCodePageOfTheFilesLanguage) {
    AddForms({{"TTestForm", "object Form: TTestForm\nend\n"}});
    const TResourceFile translation =
        test::FormResourceFile({{"TTestForm", test::CyrillicCaptionForm("TTestForm", "Form")}});
    QTemporaryDir dir;
    const auto captionFrom = [&](const char* fileName) {
        FModule->SetResourceFile(
            test::SavedAndLoaded(translation, dir.filePath(QLatin1String(fileName))));
        TTestForm form(nullptr);
        InitInheritedComponent(&form);
        return form.Caption;
    };
    EXPECT_EQ(captionFrom("forms.RUS"), QString::fromUtf8("Привет"));
    EXPECT_EQ(captionFrom("forms.ukr"), QString::fromUtf8("Привет"));
    EXPECT_EQ(captionFrom("forms.DEU"), QString::fromUtf8("Ïðèâåò"));
    EXPECT_EQ(captionFrom("forms.res"), QString::fromUtf8("Ïðèâåò"));
    FModule->SetResourceFile(nullptr);
    EXPECT_EQ(FModule->ResourceCodePage(), CodePageWindows1252);
}
