#include "runtime/FormLoader.h"

#include "runtime/FormStream.h"
#include "runtime/TextForm.h"

#include "TestComponents.h"

#include <gtest/gtest.h>

#include <memory>

using namespace lumotrix;

namespace {

// Writes sections in the stream's order: header, properties, end, children, end.
struct TStreamBuilder {
    TWriter W;
    TStreamBuilder() { W.WriteSignature(); }
    void Begin(const char* cls, const char* name, int flags = 0) {
        W.WritePrefix(flags, -1);
        W.WriteStr(cls);
        W.WriteStr(name);
    }
    void Prop(const char* name) { W.WriteStr(name); }
    void EndList() { W.WriteListEnd(); }
    QByteArray Data() const { return W.Data(); }
};

// A form with one component of each role: a panel holding a button, and an edit after them
// that the button refers to before it is read.
QByteArray FullStream() {
    TStreamBuilder b;
    TWriter& w = b.W;
    b.Begin("TTestForm", "Form1");
    b.Prop("Left"), w.WriteInteger(-300);
    b.Prop("Small"), w.WriteInteger(-5);
    b.Prop("Byte"), w.WriteInteger(200);
    b.Prop("WordValue"), w.WriteInteger(60000);
    b.Prop("Mask"), w.WriteInteger(0xFFFFFFFFll);
    b.Prop("Letter"), w.WriteString(QByteArray("\xE9"));
    b.Prop("WideLetter"), w.WriteWideString(QStringLiteral("€"));
    b.Prop("Enabled"), w.WriteBoolean(false);
    b.Prop("Color"), w.WriteIdent("tcBlue");
    b.Prop("Styles"), w.WriteSet({"tsBold", "tsUnderline"});
    b.Prop("Ratio"), w.WriteFloat(2.5);
    b.Prop("SingleValue"), w.WriteSingle(0.25f);
    b.Prop("Money"), w.WriteCurrency(12345);
    b.Prop("AnsiText"), w.WriteUTF8String(QStringLiteral("Lunedì"));
    b.Prop("Caption"), w.WriteString(QByteArray("Marted\xEC"));
    b.Prop("Value"), w.WriteCurrency(-15000);
    b.Prop("Big"), w.WriteInt64(qint64(1) << 40);
    b.Prop("Numbers"), w.WriteListBegin(), w.WriteInteger(1), w.WriteInteger(70000),
        w.WriteListEnd();
    b.Prop("Words"), w.WriteListBegin(), w.WriteString("uno"),
        w.WriteWideString(QStringLiteral("due")), w.WriteListEnd();
    b.Prop("Data"), w.WriteBinary(QByteArray("\x00\x01\xFF", 3));
    b.Prop("Font.Name"), w.WriteString("Arial");
    b.Prop("Font.Charset"), w.WriteIdent("RUSSIAN_CHARSET");
    b.Prop("Font.Style"), w.WriteSet({"tsItalic"});
    b.Prop("Items.Strings"), w.WriteListBegin(), w.WriteString("Porta 1"),
        w.WriteWideString(QStringLiteral("Porta ²")), w.WriteListEnd();
    b.Prop("Columns"), w.WriteCollectionBegin();
    w.WriteListBegin(), b.Prop("Caption"), w.WriteString("Uscita"), b.Prop("Width"),
        w.WriteInteger(64), w.WriteListEnd();
    w.WriteInteger(7), w.WriteListBegin(), b.Prop("Color"), w.WriteIdent("tcGreen"),
        w.WriteListEnd();
    w.WriteListEnd();
    b.EndList();
    {
        b.Begin("TTestPanel", "Panel1");
        b.Prop("Caption"), w.WriteString("Pannello");
        b.EndList();
        {
            b.Begin("TTestControl", "Button1");
            b.Prop("Left"), w.WriteInteger(8);
            b.Prop("OnClick"), w.WriteIdent("ButtonClick");
            b.Prop("OnCount"), w.WriteIdent("CountClick");
            b.Prop("Buddy"), w.WriteIdent("Edit1");
            b.EndList();
            b.EndList();
        }
        b.EndList();
        b.Begin("TTestControl", "Edit1");
        b.Prop("Value"), w.WriteListBegin(), w.WriteInteger(1), w.WriteString("x"),
            w.WriteListEnd();
        b.EndList();
        b.EndList();
        b.Begin("TTestControl", "");
        b.EndList();
        b.EndList();
    }
    b.EndList();
    return b.Data();
}

// A one-property form whose property is written by `writeValue`.
template <typename F>
QByteArray OneProperty(const char* component, const char* prop, F writeValue) {
    TStreamBuilder b;
    b.Begin("TTestForm", "Form1");
    b.EndList();
    b.Begin("TTestControl", component);
    b.Prop(prop);
    writeValue(b.W);
    b.EndList();
    b.EndList();
    b.EndList();
    return b.Data();
}

template <typename E> QString LoadError(const QByteArray& stream) {
    TTestForm form;
    try {
        LoadComponentFromStream(&form, stream);
    } catch (const E& e) {
        return e.Message();
    }
    return QStringLiteral("no error");
}

TTestControl* Child(TComponent* root, const char* name) {
    auto* c = dynamic_cast<TTestControl*>(root->FindComponent(QString::fromLatin1(name)));
    if (c == nullptr)
        throw Exception(QStringLiteral("test: no component %1").arg(QLatin1String(name)));
    return c;
}

} // namespace

TEST(FormLoader, SetsEveryKindOfValue) {
    TTestForm form;
    LoadComponentFromStream(&form, FullStream());
    EXPECT_EQ(form.Name(), QStringLiteral("Form1"));
    EXPECT_EQ(form.Left(), -300);
    EXPECT_EQ(form.Small, -5);
    EXPECT_EQ(form.Byte, 200);
    EXPECT_EQ(form.WordValue, 60000);
    EXPECT_EQ(form.Mask, 0xFFFFFFFFu);
    EXPECT_EQ(static_cast<unsigned char>(form.Letter), 0xE9);
    EXPECT_EQ(form.WideLetter, u'€');
    EXPECT_FALSE(form.Enabled);
    EXPECT_EQ(form.Color, tcBlue);
    EXPECT_EQ(form.Styles, TTestStyles({tsBold, tsUnderline}));
    EXPECT_DOUBLE_EQ(form.Ratio, 2.5);
    EXPECT_FLOAT_EQ(form.SingleValue, 0.25f);
    EXPECT_DOUBLE_EQ(form.Money, 1.2345);
    EXPECT_EQ(form.AnsiText, QByteArray("Luned\xEC"));
    EXPECT_EQ(form.Caption, QStringLiteral("Martedì"));
    EXPECT_EQ(form.Value.VarType(), varCurrency);
    EXPECT_EQ(form.Value.CurrencyUnits(), -15000);
    EXPECT_EQ(form.Big, qint64(1) << 40);
    EXPECT_EQ(form.Numbers, (QList<qint32>{1, 70000}));
    EXPECT_EQ(form.Words, (QList<QString>{QStringLiteral("uno"), QStringLiteral("due")}));
    EXPECT_EQ(form.Data, QByteArray("\x00\x01\xFF", 3));
    EXPECT_EQ(form.Font()->Name, QStringLiteral("Arial"));
    EXPECT_EQ(form.Font()->Charset, 204);
    EXPECT_EQ(form.Font()->Style, TTestStyles({tsItalic}));
    EXPECT_EQ(form.Items()->ToStringList(),
              (QStringList{QStringLiteral("Porta 1"), QStringLiteral("Porta ²")}));
    ASSERT_EQ(form.Columns()->Count(), 2);
    auto* first = static_cast<TTestItem*>(form.Columns()->Items(0));
    auto* second = static_cast<TTestItem*>(form.Columns()->Items(1));
    EXPECT_EQ(first->Caption, QStringLiteral("Uscita"));
    EXPECT_EQ(first->Width, 64);
    EXPECT_EQ(second->Color, tcGreen);
    EXPECT_EQ(second->Width, 50); // untouched default

    TTestControl* edit = Child(&form, "Edit1");
    ASSERT_EQ(edit->Value.VarType(), varArray);
    EXPECT_EQ(edit->Value.ArrayItem(1).ToWideString(), QStringLiteral("x"));
}

TEST(FormLoader, BuildsTheTreeOwnedByTheRootAndParentedBySection) {
    TTestForm form;
    LoadComponentFromStream(&form, FullStream());
    ASSERT_EQ(form.ComponentCount(), 4);
    TTestControl* panel = Child(&form, "Panel1");
    TTestControl* button = Child(&form, "Button1");
    TTestControl* edit = Child(&form, "Edit1");
    EXPECT_EQ(form.GetComponent(0), panel);
    EXPECT_EQ(form.GetComponent(1), button);
    EXPECT_EQ(form.GetComponent(2), edit);
    EXPECT_TRUE(form.GetComponent(3)->Name().isEmpty());
    EXPECT_EQ(button->Owner(), &form);
    EXPECT_EQ(button->Parent(), panel);
    EXPECT_EQ(panel->Parent(), &form);
    EXPECT_EQ(edit->Parent(), &form);
    EXPECT_TRUE(button->ParentKnownAtFirstProperty);
    EXPECT_EQ(panel->Caption, QStringLiteral("Pannello"));
    EXPECT_FALSE(form.IsLoading());
    EXPECT_FALSE(button->IsLoading());
}

TEST(FormLoader, BindsEventsAndResolvesForwardReferencesBeforeLoaded) {
    TestLog().clear();
    TTestForm form;
    LoadComponentFromStream(&form, FullStream());
    TTestControl* button = Child(&form, "Button1");
    EXPECT_EQ(button->Buddy(), Child(&form, "Edit1"));
    // Loaded once each, the root first, then in stream order, after the references.
    EXPECT_EQ(TestLog(),
              (QStringList{QStringLiteral("Loaded Form1"), QStringLiteral("Loaded Panel1"),
                           QStringLiteral("Loaded Button1 buddy Edit1"),
                           QStringLiteral("Loaded Edit1"), QStringLiteral("Loaded ")}));
    EXPECT_EQ(button->LoadedCount, 1);

    const TMethod click = button->OnClick.Method();
    EXPECT_EQ(click.Data, &form);
    ASSERT_NE(click.Code, nullptr);
    EXPECT_EQ(click.Code->Name, QStringLiteral("ButtonClick"));
    button->OnClick(button);
    ASSERT_EQ(form.Clicks.size(), 1);
    EXPECT_EQ(form.Clicks[0], button);
    int count = 0;
    button->OnCount(button, count);
    EXPECT_EQ(count, 1);
}

TEST(FormLoader, CreatesTheRootByClassName) {
    TComponent application;
    TComponent* root = CreateComponentFromStream(&application, FullStream());
    ASSERT_TRUE(dynamic_cast<TTestForm*>(root));
    EXPECT_EQ(root->Owner(), &application);
    EXPECT_EQ(application.FindComponent(QStringLiteral("Form1")), root);
    // A second instance of the same form gets a unique name.
    TComponent* again = CreateComponentFromStream(&application, FullStream());
    EXPECT_EQ(again->Name(), QStringLiteral("Form1_1"));
    EXPECT_EQ(ReadRootClassName(FullStream()), QStringLiteral("TTestForm"));
}

TEST(FormLoader, RootMustBeOfTheStreamsClassOrDerivedFromIt) {
    TStreamBuilder b;
    b.Begin("TTestControl", "Base");
    b.Prop("Caption"), b.W.WriteString("base");
    b.EndList();
    b.EndList();
    TTestForm form; // a TTestControl
    LoadComponentFromStream(&form, b.Data());
    EXPECT_EQ(form.Caption, QStringLiteral("base"));
    TTestPanel panel;
    EXPECT_THROW(LoadComponentFromStream(&panel, FullStream()), EReadError);
}

TEST(FormLoader, InheritedSectionsChangeExistingComponents) {
    TTestForm form;
    auto* existing = new TTestControl(&form);
    existing->SetName(QStringLiteral("Existing"));
    TStreamBuilder b;
    b.Begin("TTestForm", "Form1");
    b.EndList();
    b.Begin("TTestControl", "Existing", ffInherited);
    b.Prop("Caption"), b.W.WriteString("changed");
    b.EndList();
    b.EndList();
    b.EndList();
    LoadComponentFromStream(&form, b.Data());
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(existing->Caption, QStringLiteral("changed"));
    EXPECT_EQ(existing->LoadedCount, 1);
}

TEST(FormLoader, InlineFramesOwnTheComponentsInsideThem) {
    TStreamBuilder b;
    b.Begin("TTestForm", "Form1");
    b.EndList();
    b.Begin("TTestFrame", "Frame1", ffInline);
    b.Prop("Caption"), b.W.WriteString("frame");
    b.EndList();
    b.Begin("TTestControl", "Inner", ffInherited);
    b.Prop("Caption"), b.W.WriteString("inner");
    b.EndList();
    b.EndList();
    b.Begin("TTestControl", "Added");
    b.EndList();
    b.EndList();
    b.EndList();
    b.EndList();
    TTestForm form;
    LoadComponentFromStream(&form, b.Data());
    ASSERT_EQ(form.ComponentCount(), 1);
    TTestControl* frame = Child(&form, "Frame1");
    EXPECT_EQ(frame->Caption, QStringLiteral("frame"));
    EXPECT_TRUE(frame->ComponentState() & csInline);
    ASSERT_EQ(frame->ComponentCount(), 2);
    EXPECT_EQ(Child(frame, "Inner")->Caption, QStringLiteral("inner"));
    EXPECT_EQ(Child(frame, "Added")->Parent(), frame);
}

TEST(FormLoader, HostileNestingIsRefused) {
    const int depth = 5000;
    TStreamBuilder sections;
    sections.Begin("TTestForm", "Form1");
    sections.EndList();
    for (int i = 0; i < depth; ++i) {
        sections.Begin("TTestControl", "");
        sections.EndList();
    }
    for (int i = 0; i <= depth; ++i)
        sections.EndList();
    TComponent owner;
    try {
        CreateComponentFromStream(&owner, sections.Data());
        ADD_FAILURE();
    } catch (const EReadError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("nested too deeply")));
    }
    EXPECT_EQ(owner.ComponentCount(), 0);

    const QByteArray lists = OneProperty("C1", "Value", [](TWriter& w) {
        for (int i = 0; i < depth; ++i)
            w.WriteListBegin();
        for (int i = 0; i < depth; ++i)
            w.WriteListEnd();
    });
    EXPECT_TRUE(LoadError<EReadError>(lists).contains(QStringLiteral("nested too deeply")));
}

TEST(FormLoader, UnknownNamesAreNamedInTheError) {
    TStreamBuilder b;
    b.Begin("TTestForm", "Form1");
    b.EndList();
    b.Begin("TFoo", "Foo1");
    b.EndList();
    b.EndList();
    b.EndList();
    EXPECT_EQ(LoadError<EClassNotFound>(b.Data()), QStringLiteral("Class TFoo not found"));

    // The offset is that of the property's name.
    TStreamBuilder p;
    p.Begin("TTestForm", "Form1");
    p.EndList();
    p.Begin("TTestControl", "Button1");
    const qsizetype offset = p.Data().size();
    p.Prop("Captoin"), p.W.WriteString("x");
    p.EndList();
    p.EndList();
    p.EndList();
    EXPECT_EQ(LoadError<EPropertyError>(p.Data()),
              QStringLiteral("Error reading Button1.Captoin: Property Captoin does not exist at "
                             "offset %1")
                  .arg(offset));

    EXPECT_EQ(
        LoadError<EPropertyError>(
            OneProperty("Button1", "OnClick", [](TWriter& w) { w.WriteIdent("ButtonClickX"); }))
            .section(QLatin1String(" at offset"), 0, 0),
        QStringLiteral("Error reading Button1.OnClick: Event handler ButtonClickX not found"));
    EXPECT_TRUE(
        LoadError<EReadError>(OneProperty("Label1", "Buddy", [](TWriter& w) {
            w.WriteIdent("Edit9");
        })).startsWith(QStringLiteral("Error reading Label1.Buddy: Component Edit9 not found")));
    EXPECT_TRUE(LoadError<EReadError>(OneProperty("Label1", "Buddy", [](TWriter& w) {
                    w.WriteIdent("Form2.Edit1");
                })).contains(QStringLiteral("Form2.Edit1")));
    EXPECT_TRUE(LoadError<EPropertyError>(
                    OneProperty("Label1", "Font.Nmae", [](TWriter& w) { w.WriteString("x"); }))
                    .startsWith(QStringLiteral(
                        "Error reading Label1.Font.Nmae: Property Nmae does not exist")));
    EXPECT_TRUE(LoadError<EPropertyError>(
                    OneProperty("Label1", "Fnot.Name", [](TWriter& w) { w.WriteString("x"); }))
                    .startsWith(QStringLiteral(
                        "Error reading Label1.Fnot.Name: Property Fnot does not exist")));
}

TEST(FormLoader, ErrorsInsideCollectionsNameTheItem) {
    const QByteArray stream = OneProperty("Grid1", "Columns", [](TWriter& w) {
        w.WriteCollectionBegin();
        w.WriteListBegin(), w.WriteListEnd();
        w.WriteListBegin(), w.WriteStr("Widht"), w.WriteInteger(5), w.WriteListEnd();
        w.WriteListEnd();
    });
    EXPECT_TRUE(LoadError<EPropertyError>(stream).startsWith(QStringLiteral(
        "Error reading Grid1.Columns[1].Widht: Property Widht does not exist at offset ")));
}

TEST(FormLoader, BadValuesKeepTheirErrorClass) {
    EXPECT_TRUE(LoadError<ERangeError>(OneProperty("C1", "Byte", [](TWriter& w) {
                    w.WriteInteger(300);
                })).startsWith(QStringLiteral("Error reading C1.Byte: ")));
    EXPECT_NE(
        LoadError<ERangeError>(OneProperty("C1", "Mask", [](TWriter& w) { w.WriteInteger(-1); })),
        QStringLiteral("no error"));
    EXPECT_NE(LoadError<EConvertError>(
                  OneProperty("C1", "Color", [](TWriter& w) { w.WriteIdent("tcPink"); })),
              QStringLiteral("no error"));
    EXPECT_NE(LoadError<EConvertError>(
                  OneProperty("C1", "Styles", [](TWriter& w) { w.WriteSet({"tsBlink"}); })),
              QStringLiteral("no error"));
    EXPECT_NE(LoadError<EPropertyError>(OneProperty(
                  "C1", "Font.Charset", [](TWriter& w) { w.WriteIdent("KLINGON_CHARSET"); })),
              QStringLiteral("no error"));
    EXPECT_NE(LoadError<EPropertyError>(
                  OneProperty("C1", "Letter", [](TWriter& w) { w.WriteString("ab"); })),
              QStringLiteral("no error"));
    EXPECT_NE(LoadError<EInvalidCast>(
                  OneProperty("C1", "OnClick", [](TWriter& w) { w.WriteIdent("CountClick"); })),
              QStringLiteral("no error"));
    EXPECT_NE(
        LoadError<EReadError>(OneProperty("C1", "Caption", [](TWriter& w) { w.WriteInteger(5); })),
        QStringLiteral("no error"));
    EXPECT_NE(LoadError<EPropertyError>(OneProperty(
                  "C1", "Font", [](TWriter& w) { w.WriteCollectionBegin(), w.WriteListEnd(); })),
              QStringLiteral("no error"));
    EXPECT_TRUE(LoadError<EComponentError>(OneProperty("C1", "Name", [](TWriter& w) {
                    w.WriteString("1bad");
                })).contains(QStringLiteral("'1bad' is not a valid component name")));
}

TEST(FormLoader, DuplicateComponentNamesAreRefused) {
    TStreamBuilder b;
    b.Begin("TTestForm", "Form1");
    b.EndList();
    for (int i = 0; i < 2; ++i) {
        b.Begin("TTestControl", "Twin");
        b.EndList();
        b.EndList();
    }
    b.EndList();
    EXPECT_EQ(LoadError<EComponentError>(b.Data()),
              QStringLiteral("A component named Twin already exists"));
}

TEST(FormLoader, EveryTruncationIsRefusedAndNothingLeaks) {
    const QByteArray stream = FullStream();
    TComponent owner;
    for (qsizetype size = 0; size < stream.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_THROW(CreateComponentFromStream(&owner, stream.left(size)), Exception);
        EXPECT_EQ(owner.ComponentCount(), 0);
    }
}

TEST(FormLoader, ReadsTextFormDescriptions) {
    const QString text = QStringLiteral("object Form1: TTestForm\n"
                                        "  Left = 12\n"
                                        "  Caption = 'Lumotrix'#13#10 +\n"
                                        "    'Ω'\n"
                                        "  Color = tcGreen\n"
                                        "  Styles = [tsItalic]\n"
                                        "  Font.Charset = DEFAULT_CHARSET\n"
                                        "  Items.Strings = (\n"
                                        "    'Lunedì'\n"
                                        "    'Martedì')\n"
                                        "  Columns = <\n"
                                        "    item\n"
                                        "      Caption = 'Giorno'\n"
                                        "    end\n"
                                        "    item\n"
                                        "      Width = 80\n"
                                        "    end>\n"
                                        "  Data = {00FF10}\n"
                                        "  object Button1: TTestControl\n"
                                        "    OnClick = OtherClick\n"
                                        "    Buddy = Form1\n"
                                        "  end\n"
                                        "end\n");
    TTestForm form;
    form.Font()->Charset = 0;
    LoadComponentFromStream(&form, FormTextToBinary(text));
    EXPECT_EQ(form.Left(), 12);
    EXPECT_EQ(form.Caption, QStringLiteral("Lumotrix\r\nΩ"));
    EXPECT_EQ(form.Color, tcGreen);
    EXPECT_EQ(form.Styles, TTestStyles({tsItalic}));
    EXPECT_EQ(form.Font()->Charset, 1);
    EXPECT_EQ(form.Items()->ToStringList(),
              (QStringList{QStringLiteral("Lunedì"), QStringLiteral("Martedì")}));
    ASSERT_EQ(form.Columns()->Count(), 2);
    EXPECT_EQ(static_cast<TTestItem*>(form.Columns()->Items(0))->Caption, QStringLiteral("Giorno"));
    EXPECT_EQ(static_cast<TTestItem*>(form.Columns()->Items(1))->Width, 80);
    EXPECT_EQ(form.Data, QByteArray("\x00\xFF\x10", 3));
    TTestControl* button = Child(&form, "Button1");
    EXPECT_EQ(button->Buddy(), &form); // the root is found by its own name
    button->OnClick(button);
    EXPECT_EQ(form.Clicks.size(), 1);
}
