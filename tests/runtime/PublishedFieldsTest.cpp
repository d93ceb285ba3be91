#include "runtime/FormLoader.h"
#include "runtime/TextForm.h"

#include "TestComponents.h"

#include <gtest/gtest.h>

using namespace lumotrix;

namespace lumotrix {

// A form class that uses two of its components through typed fields, the second one declared
// by a base class of what the description creates.
class TFieldForm : public TTestForm {
public:
    using TTestForm::TTestForm;
    TTestPanel* Panel1 = nullptr;
    TTestControl* Button1 = nullptr;
};

LUMOTRIX_REGISTER_CLASS(TFieldForm, TTestForm) {
    Field("Panel1", &TFieldForm::Panel1);
    Field("Button1", &TFieldForm::Button1);
}

} // namespace lumotrix

namespace {

QString Description(const char* panelClass, const char* buttonName, const char* buttonClass) {
    return QStringLiteral("object Form1: TFieldForm\n"
                          "  object Panel1: %1\n"
                          "    object %2: %3\n"
                          "      Caption = 'Invio'\n"
                          "    end\n"
                          "  end\n"
                          "end\n")
        .arg(QLatin1String(panelClass), QLatin1String(buttonName), QLatin1String(buttonClass));
}

QString LoadError(const QString& description) {
    TFieldForm form;
    try {
        LoadComponentFromStream(&form, FormTextToBinary(description));
    } catch (const EReadError& e) {
        return e.Message();
    }
    return QStringLiteral("(loaded)");
}

} // namespace

TEST(PublishedFields, AreSetToTheComponentsOfTheirNames) {
    TFieldForm form;
    // A component of a derived class fits a field of its base class.
    LoadComponentFromStream(&form,
                            FormTextToBinary(Description("TTestPanel", "Button1", "TTestPanel")));
    ASSERT_NE(form.Panel1, nullptr);
    EXPECT_EQ(form.Panel1, form.FindComponent(QStringLiteral("Panel1")));
    ASSERT_NE(form.Button1, nullptr);
    EXPECT_EQ(form.Button1->Caption, QStringLiteral("Invio"));
    EXPECT_EQ(form.Button1->Parent(), form.Panel1);

    const TClassInfo* cls = form.ClassType();
    EXPECT_EQ(cls->Fields().size(), 2);
    EXPECT_EQ(cls->FindField(QStringLiteral("button1")), cls->Fields()[1]); // ignores case
    EXPECT_EQ(ClassInfoOf<TTestForm>()->Fields().size(), 0);
}

TEST(PublishedFields, AFieldWithoutItsComponentOrOfAnotherClassIsALoadError) {
    const QString missing = LoadError(Description("TTestPanel", "Button2", "TTestControl"));
    EXPECT_TRUE(missing.contains(QLatin1String("TFieldForm.Button1"))) << missing.toStdString();
    EXPECT_TRUE(missing.contains(QLatin1String("no component Button1"))) << missing.toStdString();

    // TTestControl is the base of the field's TTestPanel, not derived from it.
    const QString wrongClass = LoadError(Description("TTestControl", "Button1", "TTestControl"));
    EXPECT_TRUE(wrongClass.contains(QLatin1String("TFieldForm.Panel1 is a TTestPanel")))
        << wrongClass.toStdString();
    EXPECT_TRUE(wrongClass.contains(QLatin1String("component Panel1 is a TTestControl")))
        << wrongClass.toStdString();

    // Created by class name, a refused form leaves nothing behind.
    TTestControl owner;
    EXPECT_THROW(CreateComponentFromStream(
                     &owner, FormTextToBinary(Description("TTestPanel", "Other", "TTestControl"))),
                 EReadError);
    EXPECT_EQ(owner.ComponentCount(), 0);
}
