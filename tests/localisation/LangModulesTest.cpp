#include "TranslationFixture.h"

#include "localisation/LangModules.h"
#include "localisation/TranslateSettings.h"
#include "widgets/ListControls.h"

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

using LangModules = TranslationTest;

// Accepts everything.
class TAcceptingModule : public TLangModule {
public:
    bool CanTranslate(TObject*) const override { return true; }
    void Translate(TComponent*, TObject*, const QString&, const Variant&, int) override {}
};

class TDerivedStringsModule : public TLangStringsModule {};

} // namespace

TEST_F(LangModules, TheProgramStartsWithTheStringsModuleAndTheStartSettings) {
    ASSERT_EQ(ModuleRegistry().Count(), 1);
    EXPECT_NE(dynamic_cast<TLangStringsModule*>(ModuleRegistry().Items(0)), nullptr);
    EXPECT_TRUE(TranslateKinds.IsEmpty());
    EXPECT_FALSE(TranslateRootPosition);
    EXPECT_FALSE(BeforeTranslate);
    EXPECT_FALSE(AfterTranslate);
}

TEST_F(LangModules, RegistrationIsByExactClass) {
    TLangModules registry;
    registry.Register<TLangStringsModule>();
    registry.Register<TLangStringsModule>();
    EXPECT_EQ(registry.Count(), 1);
    registry.Register<TDerivedStringsModule>();
    EXPECT_EQ(registry.Count(), 2);
    EXPECT_THROW(registry.Items(2), EListError);
}

TEST_F(LangModules, FindAsksTheModulesInRegistrationOrder) {
    TLangModules registry;
    registry.Register<TLangStringsModule>();
    TStringList lines;
    TCollection columns(ClassInfoOf<TTrColumn>());
    TLangModule* module = registry.Items(0);
    EXPECT_FALSE(registry.Find(columns.Add(), module));
    EXPECT_EQ(module, nullptr);
    module = registry.Items(0);
    EXPECT_FALSE(registry.Find(nullptr, module));
    EXPECT_EQ(module, nullptr);
    EXPECT_TRUE(registry.Find(&lines, module));
    EXPECT_EQ(module, registry.Items(0));

    registry.Register<TAcceptingModule>();
    EXPECT_TRUE(registry.Find(&columns, module));
    EXPECT_EQ(module, registry.Items(1));
    EXPECT_TRUE(registry.Find(&lines, module));
    EXPECT_EQ(module, registry.Items(0)) << "the first module that accepts wins";
}

TEST_F(LangModules, TheStringsModuleReplacesExistingLinesOnly) {
    TLangStringsModule module;
    TStringList lines;
    lines.AddStrings(QStringList{"uno", "due"});
    module.Translate(nullptr, &lines, QStringLiteral("Lines.Strings"), Variant::Ansi("one"), 0);
    module.Translate(nullptr, &lines, QStringLiteral("Lines.Strings"), Variant::Ansi("three"), 2);
    EXPECT_EQ(lines.ToStringList(), QStringList({"one", "due"}));
    TCollection columns(ClassInfoOf<TTrColumn>());
    EXPECT_THROW(module.Translate(nullptr, &columns, QString(), Variant::Ansi("x"), 0),
                 EInvalidCast);
    EXPECT_THROW(module.Translate(nullptr, nullptr, QString(), Variant::Ansi("x"), 0),
                 EInvalidCast);
}

TEST_F(LangModules, TheStringsModuleAsksTheHooksAndKeepsAListControlsSelection) {
    TListBox list;
    list.Items()->AddStrings(QStringList{"a", "b", "c"});
    list.SetItemIndex(1);
    TLangStringsModule module;
    int after = 0;
    AfterTranslate = [&](TComponent* component, TObject* instance, const TPropInfo* prop) {
        EXPECT_EQ(component, &list);
        EXPECT_EQ(instance, list.Items());
        EXPECT_EQ(prop, nullptr);
        ++after;
    };
    module.Translate(&list, list.Items(), QString(), Variant(QStringLiteral("B")), 1);
    EXPECT_EQ(list.Items()->ToStringList(), QStringList({"a", "B", "c"}));
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(after, 1);

    BeforeTranslate = [](TComponent*, TObject*, const TPropInfo* prop, const Variant& current,
                         const Variant& value, bool& skip) {
        EXPECT_EQ(prop, nullptr);
        EXPECT_FALSE(skip);
        EXPECT_EQ(current.VarType(), varString);
        EXPECT_EQ(current.ToWideString(), QStringLiteral("c"));
        EXPECT_EQ(value.ToWideString(), QStringLiteral("C"));
        skip = true;
    };
    module.Translate(&list, list.Items(), QString(), Variant(QStringLiteral("C")), 2);
    EXPECT_EQ(list.Items()->Strings(2), QStringLiteral("c"));
    EXPECT_EQ(after, 1);
}
