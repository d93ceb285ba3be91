#include "TranslationFixture.h"

#include "localisation/LangTranslator.h"
#include "localisation/PropertyValues.h"
#include "localisation/TranslateSettings.h"

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

using PropertyValues = TranslationTest;

const TPropInfo* Prop(TObject* object, const char* name) {
    return GetPropInfoOrThrow(object, QString::fromLatin1(name));
}

} // namespace

TEST_F(PropertyValues, LiveValuesTakeTheVariantTypeOfTheirKind) {
    TTrControl ctl;
    ctl.Letter = 'q';
    ctl.WideLetter = u'\u00e9';
    ctl.Shades = {shMedium};
    ctl.Mask = 4000000000u;
    ctl.Values = {3, 4};
    const Variant letter = GetPropertyValue(&ctl, Prop(&ctl, "Letter"));
    EXPECT_EQ(letter.VarType(), varString);
    EXPECT_EQ(letter.ToAnsiString(), QByteArray("q"));
    const Variant wide = GetPropertyValue(&ctl, Prop(&ctl, "WideLetter"));
    EXPECT_EQ(wide.VarType(), varWord);
    EXPECT_EQ(wide.ToInteger(), 0xE9);
    EXPECT_EQ(GetPropertyValue(&ctl, Prop(&ctl, "Shades")), Variant(qint32(2)));
    // An unsigned 32-bit value travels as the stream stores it, as a signed 32-bit integer.
    EXPECT_EQ(GetPropertyValue(&ctl, Prop(&ctl, "Mask")), Variant(qint32(-294967296)));
    EXPECT_EQ(GetPropertyValue(&ctl, Prop(&ctl, "OnChange")), Variant::Ansi("TNotifyEvent"));
    EXPECT_EQ(GetPropertyValue(&ctl, Prop(&ctl, "Values")),
              Variant(QList<Variant>{Variant(qint32(3)), Variant(qint32(4))}));
    EXPECT_EQ(GetPropertyValue(&ctl, Prop(&ctl, "AnsiText")).VarType(), varString);
}

TEST_F(PropertyValues, ComparableMeansTheSameTypeOrTwoStrings) {
    EXPECT_TRUE(AreComparable(Variant::Ansi("a"), Variant(QStringLiteral("b"))));
    EXPECT_TRUE(AreComparable(Variant(1.5), Variant(2.5)));
    EXPECT_FALSE(AreComparable(Variant(1.5), Variant::FromCurrency(15000)));
    EXPECT_FALSE(AreComparable(Variant(quint16(98)), Variant::Ansi("b")));
    EXPECT_FALSE(AreComparable(Variant(qint32(1)), Variant(true)));
}

TEST_F(PropertyValues, RangedValuesTruncateTowardZeroAndRefuseWhatIsOutside) {
    EXPECT_EQ(RangedValue(Variant(2.9), 0, 10), 2);
    EXPECT_EQ(RangedValue(Variant(-2.9), -5, 0), -2);
    EXPECT_EQ(RangedValue(Variant::Ansi("7"), 0, 10), 7);
    EXPECT_THROW(RangedValue(Variant(qint32(-1)), 0, 4), ERangeError);
    EXPECT_THROW(RangedValue(Variant(1e30), 0, 4), ERangeError);
    EXPECT_EQ(RangedCharValue(Variant::Ansi("x"), 0, 255), 'x');
    EXPECT_EQ(RangedCharValue(Variant(QStringLiteral("\u00e9")), 0, 65535), 0xE9);
    EXPECT_THROW(RangedCharValue(Variant::Ansi("xy"), 0, 255), ERangeError);
    EXPECT_THROW(RangedCharValue(Variant(QString()), 0, 65535), ERangeError);
    EXPECT_EQ(RangedCharValue(Variant(qint32(65)), 0, 255), 65);
}

TEST_F(PropertyValues, WritingByKind) {
    TTrControl ctl;
    SetPropertyValue(&ctl, Prop(&ctl, "Flag"), Variant(true));
    EXPECT_TRUE(ctl.Flag);
    SetPropertyValue(&ctl, Prop(&ctl, "Flag"), Variant(false));
    EXPECT_FALSE(ctl.Flag);
    SetPropertyValue(&ctl, Prop(&ctl, "Shade"), Variant(QStringLiteral("shMedium")));
    EXPECT_EQ(ctl.Shade, shMedium);
    SetPropertyValue(&ctl, Prop(&ctl, "Shades"), Variant(qint32(5)));
    EXPECT_EQ(ctl.Shades, TTrShades({shLight, shDark}));
    SetPropertyValue(&ctl, Prop(&ctl, "Shades"), Variant(QStringLiteral("[shMedium]")));
    EXPECT_EQ(ctl.Shades, TTrShades({shMedium}));
    SetPropertyValue(&ctl, Prop(&ctl, "Mask"), Variant(qint64(4000000000)));
    EXPECT_EQ(ctl.Mask, 4000000000u);
    EXPECT_THROW(SetPropertyValue(&ctl, Prop(&ctl, "Small"), Variant(qint32(256))), ERangeError);
    SetPropertyValue(&ctl, Prop(&ctl, "Letter"), Variant::Ansi("z"));
    EXPECT_EQ(ctl.Letter, 'z');
    SetPropertyValue(&ctl, Prop(&ctl, "AnsiText"), Variant(QStringLiteral("caff\u00e8")));
    EXPECT_EQ(ctl.AnsiText, QByteArray("caff\xe8"));
    SetPropertyValue(&ctl, Prop(&ctl, "Values"),
                     Variant(QList<Variant>{Variant(qint32(8)), Variant(2.0)}));
    EXPECT_EQ(ctl.Values, QList<qint32>({8, 2}));
    SetPropertyValue(&ctl, Prop(&ctl, "Anything"), Variant::FromCurrency(5));
    EXPECT_EQ(ctl.Anything.VarType(), varCurrency);
    SetPropertyValue(&ctl, Prop(&ctl, "Link"), Variant(qint32(1)));
    EXPECT_EQ(ctl.Link, nullptr);
}

TEST_F(PropertyValues, TheRootKeepsItsPositionAndOthersTheirConnectionString) {
    auto form = Load<TTrForm>(
        QStringLiteral("object TrForm: TTrForm\n  Left = 10\n  Top = 20\n  Width = 300\n"
                       "  Position = poDesigned\n  object Ctl: TTrControl\n    Left = 1\n  end\n"
                       "end\n"));
    UseTranslation({{"TTrForm", "object TrForm: TTrForm\n  Left = 11\n  Top = 21\n"
                                "  Width = 301\n  Position = poScreenCenter\n"
                                "  object Ctl: TTrControl\n    Left = 2\n"
                                "    ConnectionString = 'db'\n  end\nend\n"}});
    TLangTranslator::TranslateAllForms();
    auto* ctl = Find<TTrControl>(form.get(), "Ctl");
    EXPECT_EQ(form->Left(), 10);
    EXPECT_EQ(form->Top(), 20);
    EXPECT_EQ(form->Position(), poDesigned);
    EXPECT_EQ(form->Width(), 301);
    EXPECT_EQ(ctl->Left(), 2);
    EXPECT_TRUE(ctl->ConnectionString.isEmpty());

    TranslateRootPosition = true;
    TLangTranslator::TranslateAllForms();
    EXPECT_EQ(form->Left(), 11);
    EXPECT_EQ(form->Position(), poScreenCenter);
}

TEST_F(PropertyValues, StoredValuesOfAnotherTypeNeverMatchAndAreNotWritten) {
    auto form = Load<TTrForm>(QStringLiteral("object TrForm: TTrForm\n"
                                             "  object Ctl: TTrControl\n    Price = 1.5\n"
                                             "    AnsiText = 'vecchio'\n  end\nend\n"));
    UseTranslation({{"TTrForm", "object TrForm: TTrForm\n  object Ctl: TTrControl\n"
                                "    Price = 12.5c\n    WideLetter = 'b'\n"
                                "    AnsiText = U'nuovo'\n    Flag = True\n  end\nend\n"}});
    TLangTranslator::TranslateAllForms();
    auto* ctl = Find<TTrControl>(form.get(), "Ctl");
    EXPECT_EQ(ctl->Price, 1.5);
    EXPECT_EQ(ctl->WideLetter, u'a');
    // A UTF-8 value against an ansi property: two strings, compared and written.
    EXPECT_EQ(ctl->AnsiText, QByteArray("nuovo"));
    EXPECT_TRUE(ctl->Flag);
}

TEST_F(PropertyValues, TheBeforeHookDecidesLastAndAfterRunsOnlyForWrites) {
    auto form = Load<TTrForm>(QStringLiteral("object TrForm: TTrForm\n  Left = 10\n"
                                             "  object Ctl: TTrControl\n    Caption = 'uno'\n"
                                             "    Count = 1\n  end\nend\n"));
    UseTranslation({{"TTrForm", "object TrForm: TTrForm\n  Left = 99\n"
                                "  object Ctl: TTrControl\n    Caption = 'uno'\n"
                                "    Count = 2\n    Small = 3\n  end\nend\n"}});
    QStringList asked;
    QStringList written;
    BeforeTranslate = [&](TComponent*, TObject*, const TPropInfo* prop, const Variant&,
                          const Variant&, bool& skip) {
        asked.append(prop->Name + (skip ? QStringLiteral(":skip") : QString()));
        if (prop->Name == QLatin1String("Count"))
            skip = true;
        if (prop->Name == QLatin1String("Left"))
            skip = false;
    };
    AfterTranslate = [&](TComponent*, TObject*, const TPropInfo* prop) {
        written.append(prop->Name);
    };
    TLangTranslator::TranslateAllForms();
    // Equal values never reach the hook; the root's Left arrives excluded and is let through.
    EXPECT_EQ(asked, QStringList({"Left:skip", "Count", "Small"}));
    EXPECT_EQ(written, QStringList({"Left", "Small"}));
    EXPECT_EQ(form->Left(), 99);
    EXPECT_EQ(Find<TTrControl>(form.get(), "Ctl")->Count(), 1);
}
