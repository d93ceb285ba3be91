#include "TranslationFixture.h"

#include "localisation/LangTranslator.h"
#include "localisation/TranslateSettings.h"
#include "runtime/FormStream.h"
#include "runtime/ModuleList.h"
#include "widgets/ControlMessages.h"
#include "widgets/Label.h"
#include "widgets/ListControls.h"

#include <QTemporaryDir>
#include <functional>

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

const QString LiveForm = QStringLiteral("object TrForm: TTrForm\n"
                                        "  Left = 10\n"
                                        "  Top = 20\n"
                                        "  Width = 300\n"
                                        "  Caption = 'Modulo'\n"
                                        "  object Ctl: TTrControl\n"
                                        "    Caption = 'uno'\n"
                                        "    Count = 1\n"
                                        "  end\n"
                                        "end\n");

// "Root.Instance.Property" for every value written in a pass, in order.
QStringList& WriteLog() {
    static QStringList log;
    return log;
}

void LogWrites() {
    WriteLog().clear();
    AfterTranslate = [](TComponent* root, TObject* instance, const TPropInfo* prop) {
        auto* component = dynamic_cast<TComponent*>(instance);
        WriteLog().append(root->Name() + QLatin1Char('.') +
                          (component ? component->Name() : instance->ClassName()) +
                          QLatin1Char('.') + (prop ? prop->Name : QStringLiteral("line")));
    };
}

using Translator = TranslationTest;

} // namespace

TEST_F(Translator, AFormWhoseOwnClassHasNoResourceKeepsItsValuesWhateverItsAncestorHas) {
    auto form = Load<TTrForm>(LiveForm);
    UseTranslation({{"TTrBaseForm", "object TrForm: TTrBaseForm\n  Caption = 'Base'\nend\n"}});
    TLangTranslator::TranslateAllForms();
    EXPECT_EQ(form->Caption(), QStringLiteral("Modulo"));
}

TEST_F(Translator, AncestorResourceFirstThenTheOwnOneWhichWins) {
    auto form = Load<TTrForm>(LiveForm);
    UseTranslation({{"TTrBaseForm",
                     "object TrForm: TTrBaseForm\n  Caption = 'Base'\n"
                     "  object Ctl: TTrControl\n    Caption = 'base'\n    Count = 7\n  end\nend\n"},
                    {"TTrForm", "object TrForm: TTrForm\n  object Ctl: TTrControl\n"
                                "    Caption = 'derived'\n  end\nend\n"}});
    LogWrites();
    TLangTranslator::TranslateAllForms();
    auto* ctl = Find<TTrControl>(form.get(), "Ctl");
    EXPECT_EQ(form->Caption(), QStringLiteral("Base"));
    EXPECT_EQ(ctl->Caption(), QStringLiteral("derived"));
    EXPECT_EQ(ctl->Count(), 7);
    EXPECT_EQ(WriteLog(), QStringList({"TrForm.TrForm.Caption", "TrForm.Ctl.Caption",
                                       "TrForm.Ctl.Count", "TrForm.Ctl.Caption"}));
}

TEST_F(Translator, FramesFirstAsTheirOwnRootThenTheFormsSectionForThem) {
    auto form = Load<TTrForm>(QStringLiteral("object TrForm: TTrForm\n"
                                             "  object Frame1: TTrFrame\n    Left = 10\n"
                                             "    Hint = 'cornice'\n  end\nend\n"));
    UseTranslation({{"TTrFrame", "object TrFrame: TTrFrame\n  Left = 99\n  Hint = 'frame'\nend\n"},
                    {"TTrForm", "object TrForm: TTrForm\n  object Frame1: TTrFrame\n"
                                "    Left = 42\n  end\nend\n"}});
    LogWrites();
    TLangTranslator::TranslateAllForms();
    auto* frame = Find<TTrFrame>(form.get(), "Frame1");
    EXPECT_EQ(frame->Hint(), QStringLiteral("frame"));
    EXPECT_EQ(frame->Left(), 42);
    // As a root the frame kept its position; the form's section then moved it.
    EXPECT_EQ(WriteLog(), QStringList({"Frame1.Frame1.Hint", "TrForm.Frame1.Left"}));
}

TEST_F(Translator, DataModulesBeforeFormsWhateverTheirCreationOrder) {
    auto form = Load<TTrForm>(LiveForm);
    TTrDataModule module;
    module.SetName(QStringLiteral("Data"));
    UseTranslation({{"TTrForm", "object TrForm: TTrForm\n  Caption = 'Form'\nend\n"},
                    {"TTrDataModule", "object Data: TTrDataModule\n  Tag = 3\nend\n"}});
    LogWrites();
    TLangTranslator::TranslateAllForms();
    EXPECT_EQ(WriteLog(), QStringList({"Data.Data.Tag", "TrForm.TrForm.Caption"}));
}

TEST_F(Translator, CharsetIdentifierIsConvertedAndPassesTheKindFilter) {
    auto form = Load<TTrForm>(LiveForm);
    UseTranslation({{"TTrForm", "object TrForm: TTrForm\n  object Ctl: TTrControl\n"
                                "    Caption = 'due'\n    Count = 5\n"
                                "    TextFont.Charset = DEFAULT_CHARSET\n  end\nend\n"}});
    TranslateKinds = {tkWString};
    TLangTranslator::TranslateAllForms();
    auto* ctl = Find<TTrControl>(form.get(), "Ctl");
    EXPECT_EQ(ctl->TextFont()->Charset, 1);
    EXPECT_EQ(ctl->Caption(), QStringLiteral("due"));
    EXPECT_EQ(ctl->Count(), 1) << "integers are not among the kinds to translate";
}

TEST_F(Translator, UnnamedSectionsAreNumberedPerClassAcrossTheResourcesOfAPass) {
    auto form = Load<TTrForm>(QStringLiteral("object TrForm: TTrForm\n"
                                             "  object TTrControl\n    Caption = 'a'\n  end\n"
                                             "  object Named: TTrControl\n  end\n"
                                             "  object TTrControl\n    Caption = 'b'\n  end\n"
                                             "end\n"));
    UseTranslation({{"TTrBaseForm", "object TrForm: TTrBaseForm\n"
                                    "  object TTrControl\n    Caption = 'first'\n  end\nend\n"},
                    {"TTrForm", "object TrForm: TTrForm\n"
                                "  object TTrControl\n    Caption = 'second'\n  end\nend\n"}});
    TLangTranslator translator;
    translator.TranslateForm(form.get());
    auto* first = dynamic_cast<TTrControl*>(form->Components(0));
    auto* second = dynamic_cast<TTrControl*>(form->Components(2));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->Caption(), QStringLiteral("first"));
    EXPECT_EQ(second->Caption(), QStringLiteral("second"));
    EXPECT_EQ(translator.UnnamedClasses(), QStringList({"TTrControl", "TTrControl"}));
}

TEST_F(Translator, NamedSectionsResolveThroughTheRootButNotBelowAnUnmatchedSection) {
    auto form = Load<TTrForm>(QStringLiteral("object TrForm: TTrForm\n"
                                             "  object Outer: TTrControl\n"
                                             "    object Inner: TTrControl\n    end\n  end\n"
                                             "  object Other: TTrControl\n  end\nend\n"));
    UseTranslation({{"TTrForm", "object TrForm: TTrForm\n"
                                "  object Outer: TTrControl\n"
                                "    object Inner: TTrControl\n      Caption = 'inner'\n    end\n"
                                "  end\n"
                                "  object Ghost: TTrControl\n"
                                "    object Other: TTrControl\n      Caption = 'other'\n    end\n"
                                "  end\nend\n"}});
    TLangTranslator::TranslateAllForms();
    EXPECT_EQ(Find<TTrControl>(form.get(), "Inner")->Caption(), QStringLiteral("inner"));
    EXPECT_TRUE(Find<TTrControl>(form.get(), "Other")->Caption().isEmpty());
}

TEST_F(Translator, OnlyTheFirstDotOfAPropertyNameIsResolved) {
    auto form = Load<TTrForm>(QStringLiteral("object TrForm: TTrForm\n"
                                             "  object Ctl: TTrControl\n"
                                             "    Header.Items.Strings = (\n      'x')\n"
                                             "  end\nend\n"));
    UseTranslation({{"TTrForm", "object TrForm: TTrForm\n  object Ctl: TTrControl\n"
                                "    Header.Text = 'testata'\n"
                                "    Header.Items.Strings = (\n      'y')\n"
                                "    TextFont.Data = {0A0B0C}\n"
                                "  end\nend\n"}});
    TLangTranslator::TranslateAllForms();
    auto* ctl = Find<TTrControl>(form.get(), "Ctl");
    EXPECT_EQ(ctl->Header()->Text, QStringLiteral("testata"));
    EXPECT_EQ(ctl->Header()->Items()->ToStringList(), QStringList({"x"}));
}

TEST_F(Translator, CollectionItemsAreMatchedByPositionAndNeverAddedOrRemoved) {
    auto form = Load<TTrForm>(QStringLiteral("object TrForm: TTrForm\n"
                                             "  object Ctl: TTrControl\n    Columns = <\n"
                                             "      item\n        Caption = 'a'\n      end\n"
                                             "      item\n        Caption = 'b'\n      end\n"
                                             "      item\n        Caption = 'c'\n      end>\n"
                                             "  end\nend\n"));
    UseTranslation({{"TTrForm", "object TrForm: TTrForm\n  object Ctl: TTrControl\n"
                                "    Columns = <\n"
                                "      item [4]\n        Caption = 'A'\n        Width = 70\n"
                                "      end\n"
                                "      item\n        Caption = 'B'\n      end\n"
                                "      item\n        Caption = 'C'\n      end\n"
                                "      item\n        Caption = 'D'\n      end\n"
                                "      item\n        Caption = 'E'\n      end>\n"
                                "    Caption = 'after'\n"
                                "  end\nend\n"}});
    TLangTranslator::TranslateAllForms();
    auto* ctl = Find<TTrControl>(form.get(), "Ctl");
    ASSERT_EQ(ctl->Columns()->Count(), 3);
    EXPECT_EQ(ctl->Column(0)->Caption, QStringLiteral("A"));
    EXPECT_EQ(ctl->Column(0)->Width, 70);
    EXPECT_EQ(ctl->Column(1)->Caption, QStringLiteral("B"));
    EXPECT_EQ(ctl->Column(2)->Caption, QStringLiteral("C"));
    EXPECT_EQ(ctl->Caption(), QStringLiteral("after"));
}

TEST_F(Translator, ListBoxLinesAreReplacedInPlaceAndTheSelectionKept) {
    auto form = Load<TTrForm>(QStringLiteral("object TrForm: TTrForm\n"
                                             "  object List: TListBox\n    Items.Strings = (\n"
                                             "      'l0'\n      'l1'\n      'l2'\n      'l3'\n"
                                             "      'l4')\n  end\n"
                                             "  object Memo: TTrControl\n    Lines.Strings = (\n"
                                             "      'm0'\n      'm1')\n  end\nend\n"));
    auto* list = Find<TListBox>(form.get(), "List");
    list->SetItemIndex(2);
    UseTranslation({{"TTrForm", "object TrForm: TTrForm\n"
                                "  object List: TListBox\n    Items.Strings = (\n"
                                "      'L0'\n      'L1'\n      'L2'\n      'L3'\n      'L4'\n"
                                "      'L5'\n      'L6')\n  end\n"
                                "  object Memo: TTrControl\n    Lines.Strings = (\n"
                                "      'M0'\n      'M1')\n  end\nend\n"}});
    TLangTranslator::TranslateAllForms();
    EXPECT_EQ(list->Items()->ToStringList(), QStringList({"L0", "L1", "L2", "L3", "L4"}));
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(Find<TTrControl>(form.get(), "Memo")->Lines()->ToStringList(),
              QStringList({"M0", "M1"}));
}

TEST_F(Translator, StoredDataWithoutLiveCounterpartIsReadAndDropped) {
    auto form = Load<TTrForm>(LiveForm);
    UseTranslation({{"TTrForm", "object TrForm: TTrForm\n"
                                "  NoSuchProperty = 'x'\n"
                                "  object Missing: TTrControl\n    Caption = 'lost'\n"
                                "    Columns = <\n      item\n        Caption = 'z'\n      end>\n"
                                "  end\n"
                                "  object Ctl: TTrControl\n    Caption = 'kept'\n  end\nend\n"}});
    TLangTranslator::TranslateAllForms();
    EXPECT_EQ(Find<TTrControl>(form.get(), "Ctl")->Caption(), QStringLiteral("kept"));
}

TEST_F(Translator, ValuesOfKindsThatAreNeverTranslatedAreLeftAlone) {
    auto form = Load<TTrForm>(QStringLiteral("object TrForm: TTrForm\n"
                                             "  object Other: TTrControl\n  end\n"
                                             "  object Ctl: TTrControl\n  end\nend\n"));
    UseTranslation({{"TTrForm", "object TrForm: TTrForm\n  object Ctl: TTrControl\n"
                                "    Ratio = 1.5d\n    Big = 5i64\n    Shades = [shDark]\n"
                                "    OnChange = CtlChange\n    Link = Other\n"
                                "  end\nend\n"}});
    TLangTranslator::TranslateAllForms();
    auto* ctl = Find<TTrControl>(form.get(), "Ctl");
    EXPECT_EQ(ctl->Ratio, 0);
    EXPECT_EQ(ctl->Big, 0);
    EXPECT_TRUE(ctl->Shades.IsEmpty());
    EXPECT_FALSE(ctl->OnChange);
    EXPECT_EQ(ctl->Link, nullptr);
}

TEST_F(Translator, EveryMatchedControlIsToldItsTextChangedAfterItsSection) {
    auto form = Load<TTrForm>(LiveForm);
    auto* ctl = Find<TTrControl>(form.get(), "Ctl");
    ctl->Written.clear();
    ctl->Messages.clear();
    UseTranslation({{"TTrForm", "object TrForm: TTrForm\n  object Ctl: TTrControl\n"
                                "    Caption = 'uno'\n  end\nend\n"}});
    TLangTranslator::TranslateAllForms();
    EXPECT_EQ(ctl->Messages, QList<quint32>({CM_TEXTCHANGED}));
    EXPECT_TRUE(ctl->Written.isEmpty()) << "an equal value is not written";
}

TEST_F(Translator, AResourceThatIsNoBinaryFormStreamIsIgnored) {
    auto form = Load<TTrForm>(LiveForm);
    UseResourceFile(FormResourceFile(
        {{"TTrForm", "object TrForm: TTrForm\n  Caption = 'text'\nend\n"}, {"TTrBaseForm", "TP"}}));
    EXPECT_NO_THROW(TLangTranslator::TranslateAllForms());
    EXPECT_EQ(form->Caption(), QStringLiteral("Modulo"));
}

TEST_F(Translator, AClassTakesItsResourcesFromTheModuleThatDefinesIt) {
    TTrPackageForm form;
    form.LoadFromStream(
        FormTextToBinary(QByteArray("object Pkg: TTrPackageForm\n  Caption = 'live'\nend\n")));
    UseTranslation(
        {{"TTrPackageForm", "object Pkg: TTrPackageForm\n  Caption = 'program'\nend\n"}});
    const QByteArray bytes =
        FormTextResourceFile(
            {{"TTrPackageForm", "object Pkg: TTrPackageForm\n  Caption = 'package'\nend\n"}})
            .ToBytes();
    TModule& package = TModuleList::Instance().AddModule(
        QStringLiteral("/tmp/package.test"), reinterpret_cast<const unsigned char*>(bytes.data()),
        std::size_t(bytes.size()));
    TModuleList::Instance().AddModuleClass(package, ClassInfoOf<TTrPackageForm>());
    TLangTranslator::TranslateAllForms();
    EXPECT_EQ(form.Caption(), QStringLiteral("package"));
    TModuleList::Instance().RemoveModule(package);
    // Its module gone, the class is the program's again.
    TLangTranslator::TranslateAllForms();
    EXPECT_EQ(form.Caption(), QStringLiteral("program"));
}

TEST_F(Translator, EightBitStringsAreReadInTheCodePageOfTheResourceFileInForce) {
    auto form = Load<TTrForm>(QStringLiteral("object TrForm: TTrForm\n"
                                             "  object Ctl: TTrControl\n    Caption = 'uno'\n"
                                             "    Lines.Strings = (\n      'riga')\n  end\nend\n"));
    const QByteArray privet("\xCF\xF0\xE8\xE2\xE5\xF2"); // "Привет" in Windows-1251
    TWriter w;
    w.WriteSignature();
    w.WriteStr("TTrForm");
    w.WriteStr("TrForm");
    w.WriteListEnd();
    w.WriteStr("TTrControl");
    w.WriteStr("Ctl");
    w.WriteStr("Caption");
    w.WriteString(privet);
    w.WriteStr("AnsiText");
    w.WriteString(privet);
    w.WriteStr("Lines.Strings");
    w.WriteListBegin();
    w.WriteLString(privet);
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteListEnd();
    const TResourceFile translation = FormResourceFile({{"TTrForm", w.Data()}});
    QTemporaryDir dir;
    auto* ctl = Find<TTrControl>(form.get(), "Ctl");
    const auto translateWith = [&](const char* fileName) {
        UseResourceFile(SavedAndLoaded(translation, dir.filePath(QLatin1String(fileName))));
        TLangTranslator::TranslateAllForms();
    };

    translateWith("lumotrix.RUS");
    EXPECT_EQ(ctl->Caption(), QString::fromUtf8("Привет"));
    EXPECT_EQ(ctl->Lines()->ToStringList(), QStringList({QString::fromUtf8("Привет")}));
    // A property of 8-bit text takes the bytes as stored, as a form read from the file would.
    EXPECT_EQ(ctl->AnsiText, privet);

    translateWith("lumotrix.DEU");
    EXPECT_EQ(ctl->Caption(), QString::fromUtf8("Ïðèâåò"));
    EXPECT_EQ(ctl->Lines()->ToStringList(), QStringList({QString::fromUtf8("Ïðèâåò")}));
    EXPECT_EQ(ctl->AnsiText, privet);
}

// --- errors ---------------------------------------------------------------------------------

TEST_F(Translator, AnUnknownEnumerationNameEndsThePassWithTheWrappedRangeError) {
    auto form = Load<TTrForm>(LiveForm);
    UseTranslation({{"TTrForm", "object TrForm: TTrForm\n  Caption = 'written'\n"
                                "  object Ctl: TTrControl\n    Shade = shPurple\n"
                                "    Caption = 'never'\n  end\nend\n"}});
    try {
        TLangTranslator::TranslateAllForms();
        FAIL() << "no error";
    } catch (const ETranslateError& error) {
        EXPECT_TRUE(error.Message().startsWith(
            QStringLiteral("Could not translate TTrControl.Shade: Range check error")))
            << error.Message().toStdString();
    }
    EXPECT_EQ(form->Caption(), QStringLiteral("written"));
    EXPECT_EQ(Find<TTrControl>(form.get(), "Ctl")->Caption(), QStringLiteral("uno"));
}

TEST_F(Translator, AHookErrorIsWrappedWithTheInstanceClassAndLeafName) {
    auto form = Load<TTrForm>(LiveForm);
    UseTranslation({{"TTrForm", "object TrForm: TTrForm\n  object Ctl: TTrControl\n"
                                "    Header.Text = 'x'\n  end\nend\n"}});
    BeforeTranslate = [](TComponent*, TObject*, const TPropInfo*, const Variant&, const Variant&,
                         bool&) { throw EConvertError(QStringLiteral("no way")); };
    try {
        TLangTranslator::TranslateAllForms();
        FAIL() << "no error";
    } catch (const ETranslateError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Could not translate TTrHeader.Text: no way"));
    }
}

TEST_F(Translator, StreamErrorsAndStringListHookErrorsPassUnwrapped) {
    auto form = Load<TTrForm>(QStringLiteral("object TrForm: TTrForm\n"
                                             "  object Ctl: TTrControl\n    Lines.Strings = (\n"
                                             "      'a')\n  end\nend\n"));
    // An unknown value tag.
    TWriter writer;
    writer.WriteSignature();
    writer.WriteStr("TTrForm");
    writer.WriteStr("TrForm");
    writer.WriteStr("Caption");
    writer.WriteValue(TValueType(22));
    UseResourceFile(FormResourceFile({{"TTrForm", writer.Data()}}));
    EXPECT_THROW(
        {
            try {
                TLangTranslator::TranslateAllForms();
            } catch (const ETranslateError&) {
                ADD_FAILURE() << "wrapped";
            }
        },
        EReadError);

    // A truncated resource.
    UseResourceFile(FormResourceFile(
        {{"TTrForm",
          FormTextToBinary(QByteArray("object TrForm: TTrForm\n  Caption = 'cut'\nend\n"))
              .chopped(3)}}));
    EXPECT_THROW(TLangTranslator::TranslateAllForms(), EReadError);

    // A collection under a property that holds no object.
    UseTranslation({{"TTrForm", "object TrForm: TTrForm\n  object Ctl: TTrControl\n"
                                "    Caption = <\n      item\n      end>\n  end\nend\n"}});
    try {
        TLangTranslator::TranslateAllForms();
        FAIL() << "no error";
    } catch (const EReadError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Invalid data"));
    }

    UseTranslation({{"TTrForm", "object TrForm: TTrForm\n  object Ctl: TTrControl\n"
                                "    Lines.Strings = (\n      'b')\n  end\nend\n"}});
    BeforeTranslate = [](TComponent*, TObject*, const TPropInfo*, const Variant&, const Variant&,
                         bool&) { throw EConvertError(QStringLiteral("no line")); };
    try {
        TLangTranslator::TranslateAllForms();
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("no line"));
    }
}

TEST_F(Translator, ValueTagsAreReadModulo128) {
    // Each value once with bit 7 of its tag set, under a name no property has.
    const auto tagged = [](const std::function<void(TWriter&)>& write) {
        TWriter value;
        write(value);
        QByteArray bytes = value.Data();
        bytes[0] = char(quint8(bytes[0]) | 0x80);
        return bytes;
    };
    const QList<QByteArray> values = {
        tagged([](TWriter& w) { w.WriteValue(TValueType::vaNull); }),
        tagged([](TWriter& w) { w.WriteInteger(7); }),
        tagged([](TWriter& w) { w.WriteBinary("ab"); }),
        tagged([](TWriter& w) { w.WriteSet({"shDark"}); }),
        tagged([](TWriter& w) { w.WriteValue(TValueType::vaNil); }),
        tagged([](TWriter& w) { w.WriteDate(1.5); }),
        tagged([](TWriter& w) { w.WriteTaggedInteger(TValueType::vaInt64, 5); }),
        tagged([](TWriter& w) { w.WriteDouble(2.5); }),
    };
    for (const QByteArray& value : values) {
        SCOPED_TRACE(value.toHex().toStdString());
        auto form = Load<TTrForm>(LiveForm);
        TWriter writer;
        writer.WriteSignature();
        writer.WriteStr("TTrForm");
        writer.WriteStr("TrForm");
        writer.WriteStr("Extra");
        writer.WriteRaw(value);
        writer.WriteStr("Caption");
        writer.WriteRaw(tagged([](TWriter& w) { w.WriteString("dopo"); }));
        writer.WriteListEnd();
        writer.WriteListEnd();
        UseResourceFile(FormResourceFile({{"TTrForm", writer.Data()}}));
        EXPECT_NO_THROW(TLangTranslator::TranslateAllForms());
        EXPECT_EQ(form->Caption(), QStringLiteral("dopo"));
    }
}

TEST_F(Translator, HostileNestingIsRefusedInsteadOfExhaustingTheStack) {
    auto form = Load<TTrForm>(LiveForm);
    TWriter writer;
    writer.WriteSignature();
    for (int i = 0; i < 100000; ++i) {
        writer.WriteStr("TTrControl");
        writer.WriteStr("");
        writer.WriteListEnd();
    }
    UseResourceFile(FormResourceFile({{"TTrForm", writer.Data()}}));
    EXPECT_THROW(TLangTranslator::TranslateAllForms(), EReadError);
}

TEST_F(Translator, AnAutoSizedLabelRefitsToTheFontItsSectionGaveIt) {
    auto form = Load<TTrForm>(QStringLiteral("object TrForm: TTrForm\n  object Lbl: TLabel\n"
                                             "    Caption = 'Temperatura'\n"
                                             "    Font.Height = -11\n  end\nend\n"));
    QWidget* label = Find<TLabel>(form.get(), "Lbl")->Widget();
    const int before = label->height();
    UseTranslation({{"TTrForm", "object TrForm: TTrForm\n  object Lbl: TLabel\n"
                                "    Caption = 'Temperatura'\n"
                                "    Font.Height = -40\n  end\nend\n"}});
    TLangTranslator::TranslateAllForms();
    EXPECT_GT(label->height(), before);
    EXPECT_EQ(label->size(), label->sizeHint());
}
