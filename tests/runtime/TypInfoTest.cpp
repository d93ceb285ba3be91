#include "runtime/TypInfo.h"

#include "TestComponents.h"

#include <gtest/gtest.h>

#include <limits>

using namespace lumotrix;

namespace {

const TPropInfo* Prop(const TObject& object, const char* name) {
    const TPropInfo* prop = GetPropInfo(&object, QString::fromLatin1(name));
    if (prop == nullptr)
        throw EPropertyError(QStringLiteral("test: no property %1").arg(QLatin1String(name)));
    return prop;
}

} // namespace

TEST(ClassRegistry, FindsClassesByNameIgnoringCase) {
    const TClassInfo* control = FindClass(QStringLiteral("ttestcontrol"));
    EXPECT_EQ(control, ClassInfoOf<TTestControl>());
    EXPECT_EQ(control->ClassName(), QStringLiteral("TTestControl"));
    EXPECT_EQ(GetClass(QStringLiteral("TFoo")), nullptr);
    try {
        FindClass(QStringLiteral("TFoo"));
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Class TFoo not found"));
    }
}

TEST(ClassRegistry, ParentsAndIsATests) {
    TTestForm form;
    EXPECT_EQ(form.ClassName(), QStringLiteral("TTestForm"));
    EXPECT_EQ(form.ClassParent(), ClassInfoOf<TTestControl>());
    EXPECT_TRUE(form.InheritsFrom(ClassInfoOf<TComponent>()));
    EXPECT_TRUE(form.InheritsFrom(ClassInfoOf<TObject>()));
    EXPECT_FALSE(form.InheritsFrom(ClassInfoOf<TCollection>()));
    EXPECT_TRUE(form.InheritsFrom(QStringLiteral("tcomponent")));
    EXPECT_FALSE(form.InheritsFrom(QStringLiteral("TTestPanel")));
    EXPECT_TRUE(form.Is<TTestControl>());
    EXPECT_FALSE(form.Is<TStrings>());
    EXPECT_EQ(ClassInfoOf<TObject>()->ClassParent(), nullptr);
    TObject* asObject = &form;
    EXPECT_EQ(CheckedCast<TTestControl>(asObject), &form);
    EXPECT_THROW(CheckedCast<TStringList>(asObject), EInvalidCast);
    TUnregisteredComponent stranger;
    EXPECT_THROW(stranger.ClassName(), EClassNotFound);
}

TEST(ClassRegistry, CreatesThroughTheFactory) {
    TComponent owner;
    TObject* created = FindClass(QStringLiteral("TTestPanel"))->Create(&owner);
    ASSERT_TRUE(dynamic_cast<TTestPanel*>(created));
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.GetComponent(0), created);
    EXPECT_FALSE(ClassInfoOf<TStrings>()->CanCreate()); // abstract
    EXPECT_TRUE(ClassInfoOf<TTestItem>()->CanCreateItem());
}

TEST(ClassRegistry, PropertiesInDeclarationOrderInheritedFirst) {
    TTestPanel panel;
    const QList<const TPropInfo*> props = GetPropList(&panel);
    ASSERT_GE(props.size(), 4);
    EXPECT_EQ(props[0]->Name, QStringLiteral("Name"));
    EXPECT_EQ(props[1]->Name, QStringLiteral("Tag"));
    EXPECT_EQ(props[2]->Name, QStringLiteral("Left"));
    EXPECT_EQ(props.last()->Name, QStringLiteral("Hidden"));
    EXPECT_EQ(GetPropInfo(&panel, QStringLiteral("caption")), Prop(panel, "Caption"));
    EXPECT_EQ(GetPropInfo(&panel, QStringLiteral("Captoin")), nullptr);
    try {
        GetStrProp(&panel, QStringLiteral("Captoin"));
        FAIL();
    } catch (const EPropertyError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Property Captoin does not exist"));
    }
}

TEST(ClassRegistry, PublishedMethodsAlongTheClassChain) {
    const TClassInfo* form = ClassInfoOf<TTestForm>();
    const TMethodInfo* click = form->FindMethod(QStringLiteral("buttonclick"));
    ASSERT_NE(click, nullptr);
    EXPECT_EQ(click->Name, QStringLiteral("ButtonClick"));
    EXPECT_EQ(click->Owner, form);
    EXPECT_EQ(form->FindMethod(QStringLiteral("Missing")), nullptr);
    EXPECT_EQ(ClassInfoOf<TTestControl>()->FindMethod(QStringLiteral("ButtonClick")), nullptr);
    EXPECT_TRUE(click->Accepts<TObject*>());
    EXPECT_FALSE((click->Accepts<TObject*, int&>()));
}

TEST(TypeData, KindsOfEveryPropertyType) {
    TTestControl c;
    const std::pair<const char*, TTypeKind> expected[] = {
        {"Left", tkInteger},      {"Byte", tkInteger},     {"Mask", tkInteger},
        {"Letter", tkChar},       {"WideLetter", tkWChar}, {"Enabled", tkEnumeration},
        {"Color", tkEnumeration}, {"Styles", tkSet},       {"Ratio", tkFloat},
        {"AnsiText", tkLString},  {"Caption", tkWString},  {"Value", tkVariant},
        {"Big", tkInt64},         {"Numbers", tkDynArray}, {"Font", tkClass},
        {"Items", tkClass},       {"Columns", tkClass},    {"Buddy", tkClass},
        {"OnClick", tkMethod},    {"OnCount", tkMethod}};
    for (const auto& [name, kind] : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Prop(c, name)->Kind(), kind);
    }
    EXPECT_EQ(Prop(c, "OnClick")->PropType->Name, QStringLiteral("TNotifyEvent"));
    EXPECT_EQ(Prop(c, "Font")->PropType->Name, QStringLiteral("TTestFont"));
    EXPECT_EQ(GetTypeData(Prop(c, "Font")->PropType)->ClassType, ClassInfoOf<TTestFont>());
}

TEST(TypeData, RangesBooleanAndNames) {
    TTestControl c;
    const TTypeData* byte = GetTypeData(Prop(c, "Byte")->PropType);
    EXPECT_EQ(byte->MinValue, 0);
    EXPECT_EQ(byte->MaxValue, 255);
    const TTypeData* small = GetTypeData(Prop(c, "Small")->PropType);
    EXPECT_EQ(small->MinValue, -128);
    EXPECT_EQ(small->MaxValue, 127);
    const TTypeData* mask = GetTypeData(Prop(c, "Mask")->PropType);
    EXPECT_LE(mask->MaxValue, mask->MinValue); // unsigned 32-bit: not greater as signed
    const TTypeData* big = GetTypeData(Prop(c, "Big")->PropType);
    EXPECT_EQ(big->MinInt64Value, std::numeric_limits<qint64>::min());
    EXPECT_EQ(big->MaxInt64Value, std::numeric_limits<qint64>::max());
    EXPECT_TRUE(GetTypeData(Prop(c, "Enabled")->PropType)->IsBoolean);
    EXPECT_FALSE(GetTypeData(Prop(c, "Color")->PropType)->IsBoolean);
    const TTypeInfo* color = Prop(c, "Color")->PropType;
    EXPECT_EQ(color->Name, QStringLiteral("TTestColor"));
    EXPECT_EQ(GetEnumValue(color, QStringLiteral("TCBLUE")), 2);
    EXPECT_EQ(GetEnumValue(color, QStringLiteral("tcPink")), -1);
    EXPECT_EQ(GetEnumName(color, 1), QStringLiteral("tcGreen"));
    EXPECT_EQ(GetEnumName(color, 3), QString());
    EXPECT_EQ(GetEnumValue(TypeInfoBoolean(), QStringLiteral("True")), 1);
    EXPECT_EQ(GetTypeData(Prop(c, "Styles")->PropType)->CompType, TypeInfo<TTestStyle>());
}

TEST(TypeData, IdentifierConvertersOfTheCharsetType) {
    TIdentToInt toInt = FindIdentToInt(TypeInfoFontCharset());
    ASSERT_TRUE(toInt);
    qint32 value = -1;
    EXPECT_TRUE(toInt(QStringLiteral("DEFAULT_CHARSET"), value));
    EXPECT_EQ(value, 1);
    EXPECT_TRUE(toInt(QStringLiteral("ANSI_CHARSET"), value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(toInt(QStringLiteral("russian_charset"), value));
    EXPECT_EQ(value, 204);
    EXPECT_FALSE(toInt(QStringLiteral("KLINGON_CHARSET"), value));
    QString ident;
    EXPECT_TRUE(FindIntToIdent(TypeInfoFontCharset())(238, ident));
    EXPECT_EQ(ident, QStringLiteral("EASTEUROPE_CHARSET"));
    EXPECT_FALSE(FindIdentToInt(TypeInfo<qint32>())); // plain integers have none
}

TEST(PropertyAccess, OrdinalsWithRangeChecks) {
    TTestControl c;
    SetOrdProp(&c, QStringLiteral("Left"), -5);
    EXPECT_EQ(c.Left(), -5);
    EXPECT_EQ(GetOrdProp(&c, QStringLiteral("left")), -5);
    SetOrdProp(&c, QStringLiteral("Byte"), 255);
    EXPECT_EQ(c.Byte, 255);
    EXPECT_THROW(SetOrdProp(&c, QStringLiteral("Byte"), 256), ERangeError);
    EXPECT_THROW(SetOrdProp(&c, QStringLiteral("Small"), -129), ERangeError);
    EXPECT_THROW(SetOrdProp(&c, QStringLiteral("Left"), qint64(1) << 31), ERangeError);
    EXPECT_EQ(c.Byte, 255); // a refused write leaves the value alone
    SetOrdProp(&c, QStringLiteral("Mask"), 0xFFFFFFFFll);
    EXPECT_EQ(c.Mask, 0xFFFFFFFFu);
    EXPECT_EQ(GetOrdProp(&c, QStringLiteral("Mask")), 0xFFFFFFFFll);
    EXPECT_THROW(SetOrdProp(&c, QStringLiteral("Mask"), -1), ERangeError);
    SetOrdProp(&c, QStringLiteral("Color"), 2);
    EXPECT_EQ(c.Color, tcBlue);
    EXPECT_THROW(SetOrdProp(&c, QStringLiteral("Color"), -1), ERangeError);
    EXPECT_THROW(SetOrdProp(&c, QStringLiteral("Color"), 3), ERangeError);
    SetOrdProp(&c, QStringLiteral("Enabled"), 0);
    EXPECT_FALSE(c.Enabled);
    EXPECT_THROW(SetOrdProp(&c, QStringLiteral("Enabled"), 2), ERangeError);
    SetOrdProp(&c, QStringLiteral("Letter"), 0xE9);
    EXPECT_EQ(static_cast<unsigned char>(c.Letter), 0xE9);
    EXPECT_EQ(GetOrdProp(&c, QStringLiteral("Letter")), 0xE9);
    SetOrdProp(&c, QStringLiteral("WideLetter"), 0x20AC);
    EXPECT_EQ(c.WideLetter, u'€');
    EXPECT_THROW(SetOrdProp(&c, QStringLiteral("WideLetter"), 0x10000), ERangeError);
    EXPECT_THROW(SetOrdProp(&c, QStringLiteral("Caption"), 1), EPropertyError);
    SetOrdProp(&c, QStringLiteral("Hidden"), 9); // a protected field
    EXPECT_EQ(c.Hidden(), 9);
}

TEST(PropertyAccess, EnumerationsAndSetsByName) {
    TTestControl c;
    SetEnumProp(&c, QStringLiteral("Color"), QStringLiteral("tcgreen"));
    EXPECT_EQ(c.Color, tcGreen);
    EXPECT_EQ(GetEnumProp(&c, QStringLiteral("Color")), QStringLiteral("tcGreen"));
    EXPECT_THROW(SetEnumProp(&c, QStringLiteral("Color"), QStringLiteral("tcPink")), EConvertError);
    EXPECT_EQ(c.Color, tcGreen);

    SetSetProp(&c, QStringLiteral("Styles"), QStringLiteral("[tsBold, tsUnderline]"));
    EXPECT_TRUE(c.Styles.Contains(tsBold) && c.Styles.Contains(tsUnderline));
    EXPECT_FALSE(c.Styles.Contains(tsItalic));
    EXPECT_EQ(GetSetProp(&c, QStringLiteral("Styles")), QStringLiteral("tsBold,tsUnderline"));
    EXPECT_EQ(GetSetProp(&c, QStringLiteral("Styles"), true),
              QStringLiteral("[tsBold,tsUnderline]"));
    EXPECT_EQ(GetOrdProp(&c, QStringLiteral("Styles")), 5);
    SetSetProp(&c, QStringLiteral("Styles"), QStringLiteral("[]"));
    EXPECT_TRUE(c.Styles.IsEmpty());
    EXPECT_THROW(SetSetProp(&c, QStringLiteral("Styles"), QStringLiteral("[tsBlink]")),
                 EConvertError);
    SetOrdProp(&c, QStringLiteral("Styles"), 2);
    EXPECT_EQ(c.Styles, TTestStyles({tsItalic}));
    EXPECT_THROW(SetOrdProp(&c, QStringLiteral("Styles"), 8), ERangeError); // no fourth element
}

TEST(PropertyAccess, FloatsStringsVariantsAndInt64) {
    TTestControl c;
    SetFloatProp(&c, QStringLiteral("Ratio"), 2.75);
    EXPECT_DOUBLE_EQ(c.Ratio, 2.75);
    SetFloatProp(&c, QStringLiteral("SingleValue"), 0.5);
    EXPECT_DOUBLE_EQ(GetFloatProp(&c, QStringLiteral("SingleValue")), 0.5);
    EXPECT_EQ(GetTypeData(GetPropInfo(&c, QStringLiteral("Money"))->PropType)->FloatType, ftCurr);

    // Ansi and wide string properties convert through Windows-1252 in both directions.
    SetWideStrProp(&c, QStringLiteral("AnsiText"), QStringLiteral("Lunedì €"));
    EXPECT_EQ(c.AnsiText, QByteArray("Luned\xEC \x80"));
    EXPECT_EQ(GetWideStrProp(&c, QStringLiteral("AnsiText")), QStringLiteral("Lunedì €"));
    SetStrProp(&c, QStringLiteral("Caption"), QByteArray("Marted\xEC"));
    EXPECT_EQ(c.Caption, QStringLiteral("Martedì"));
    SetWideStrProp(&c, QStringLiteral("Caption"), QStringLiteral("Среда"));
    EXPECT_EQ(GetWideStrProp(&c, QStringLiteral("Caption")), QStringLiteral("Среда"));
    EXPECT_EQ(GetStrProp(&c, QStringLiteral("Caption")), QByteArray("?????"));
    EXPECT_THROW(GetFloatProp(&c, QStringLiteral("Caption")), EPropertyError);

    SetVariantProp(&c, QStringLiteral("Value"), Variant::FromCurrency(12345));
    EXPECT_EQ(GetVariantProp(&c, QStringLiteral("Value")).VarType(), varCurrency);
    EXPECT_THROW(GetVariantProp(&c, QStringLiteral("Ratio")), EPropertyError);

    SetInt64Prop(&c, QStringLiteral("Big"), std::numeric_limits<qint64>::min());
    EXPECT_EQ(GetInt64Prop(&c, QStringLiteral("Big")), std::numeric_limits<qint64>::min());
    EXPECT_THROW(GetInt64Prop(&c, QStringLiteral("Left")), EPropertyError);
}

TEST(PropertyAccess, ObjectsEventsAndDynamicArrays) {
    TTestForm form;
    TObject* font = GetObjectProp(&form, QStringLiteral("Font"));
    EXPECT_EQ(font, form.Font());
    TTestFont other;
    other.Name = QStringLiteral("Arial");
    SetObjectProp(&form, QStringLiteral("Font"), &other); // the setter assigns
    EXPECT_EQ(form.Font()->Name, QStringLiteral("Arial"));
    TStringList wrongClass;
    EXPECT_THROW(SetObjectProp(&form, QStringLiteral("Font"), &wrongClass), EInvalidCast);
    EXPECT_THROW(SetObjectProp(&form, QStringLiteral("Columns"), nullptr), EPropertyError);
    EXPECT_EQ(GetOrdProp(&form, QStringLiteral("Font")), reinterpret_cast<qintptr>(form.Font()));

    TTestControl button(&form);
    const TMethod click{&form, form.MethodAddress(QStringLiteral("ButtonClick"))};
    SetMethodProp(&button, QStringLiteral("OnClick"), click);
    EXPECT_EQ(GetMethodProp(&button, QStringLiteral("OnClick")), click);
    button.OnClick(&button);
    ASSERT_EQ(form.Clicks.size(), 1);
    EXPECT_EQ(form.Clicks[0], &button);
    // A handler whose parameters do not match the event is refused.
    EXPECT_THROW(SetMethodProp(&button, QStringLiteral("OnCount"), click), EInvalidCast);
    SetMethodProp(&button, QStringLiteral("OnCount"),
                  TMethod{&form, form.MethodAddress(QStringLiteral("CountClick"))});
    int count = 41;
    button.OnCount(&button, count);
    EXPECT_EQ(count, 42);
    SetMethodProp(&button, QStringLiteral("OnClick"), TMethod{});
    EXPECT_FALSE(button.OnClick);
    button.OnClick(&button); // unassigned: nothing happens
    EXPECT_EQ(form.Clicks.size(), 1);

    SetDynArrayProp(&form, QStringLiteral("Numbers"),
                    Variant(QList<Variant>{Variant(3), Variant(qint64(4)), Variant::Ansi("5")}));
    EXPECT_EQ(form.Numbers, (QList<qint32>{3, 4, 5}));
    const Variant numbers = GetDynArrayProp(&form, QStringLiteral("Numbers"));
    ASSERT_EQ(numbers.ArrayCount(), 3);
    EXPECT_EQ(numbers.ArrayItem(2).VarType(), varInteger);
    SetDynArrayProp(&form, QStringLiteral("Words"), Variant(QList<Variant>{Variant::Ansi("a")}));
    EXPECT_EQ(form.Words, QList<QString>{QStringLiteral("a")});
    EXPECT_THROW(SetDynArrayProp(&form, QStringLiteral("Words"), Variant(1)), EInvalidCast);
}
