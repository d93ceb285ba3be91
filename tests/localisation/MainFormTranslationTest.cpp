#include "TranslationFixture.h"

#include "app/About.h"
#include "app/HoravelForm.h"
#include "app/Startup.h"
#include "localisation/LangTranslator.h"
#include "localisation/PropertyValues.h"
#include "runtime/ModuleList.h"
#include "runtime/TextForm.h"
#include "widgets/GridTableView.h"
#include "widgets/PageControl.h"
#include "widgets/Ribbon.h"
#include "widgets/StatusBar.h"

#include <QMap>

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

using TValues = QMap<QString, QString>;

QString Text(const Variant& value) {
    if (value.IsNull())
        return QStringLiteral("<null>");
    if (value.IsArray()) {
        QStringList items;
        for (const Variant& item : value.ToArray())
            items.append(Text(item));
        return QLatin1Char('(') + items.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    return value.ToWideString();
}

// Every published value reachable from the object: nested objects, string lists and
// collection items included; references to components by name.
void Snapshot(TObject* object, const QString& path, TValues& values) {
    for (const TPropInfo* prop : GetPropList(object)) {
        const QString key = path + QLatin1Char('.') + prop->Name;
        try {
            if (prop->Kind() == tkMethod) {
                const TMethod method = GetMethodProp(object, prop);
                values[key] = method.Code ? method.Code->Name : QString();
            } else if (prop->Kind() != tkClass) {
                values[key] = Text(GetPropertyValue(object, prop));
            } else if (TObject* held = GetObjectProp(object, prop); held == nullptr) {
                values[key] = QStringLiteral("nil");
            } else if (auto* component = dynamic_cast<TComponent*>(held)) {
                values[key] = component->Name();
            } else if (auto* strings = dynamic_cast<TStrings*>(held)) {
                values[key] = strings->ToStringList().join(QLatin1Char('|'));
            } else if (auto* collection = dynamic_cast<TCollection*>(held)) {
                values[key] = QString::number(collection->Count());
                for (int i = 0; i < collection->Count(); ++i)
                    Snapshot(collection->Items(i), key + QStringLiteral("[%1]").arg(i), values);
            } else {
                Snapshot(held, key, values);
            }
        } catch (const Exception& error) {
            values[key] = QStringLiteral("error: ") + error.Message();
        }
    }
}

TValues Snapshot(TComponent* form) {
    TValues values;
    Snapshot(form, form->Name(), values);
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* component = form->Components(i);
        Snapshot(component,
                 component->Name().isEmpty() ? QStringLiteral("#%1").arg(i) : component->Name(),
                 values);
    }
    return values;
}

QStringList ChangedKeys(const TValues& before, const TValues& after) {
    QStringList changed;
    for (auto it = before.begin(); it != before.end(); ++it)
        if (after.value(it.key()) != it.value())
            changed.append(it.key());
    return changed;
}

class MainFormTranslation : public TranslationTest {
protected:
    void SetUp() override {
        InitialiseRuntime();
        Form.reset(CreateForm<TForm1>());
    }
    void TearDown() override {
        Form.reset();
        TranslationTest::TearDown();
    }

    // The program's own description of the main window with some values changed, as a
    // translator would deliver it.
    static QByteArray Translated(const QList<QPair<QString, QString>>& changes) {
        const TResourceEntry* own =
            TModuleList::Instance().Head().OwnResources().Find(RT_RCDATA, TResourceId("TFORM1"));
        EXPECT_NE(own, nullptr);
        // Characters above 127 may be written raw or as codes; the changes give them raw.
        QString text =
            FormBinaryToText(own->Data).replace(QStringLiteral("'#236"), QStringLiteral("\u00ec'"));
        for (const auto& [from, to] : changes) {
            EXPECT_EQ(text.count(from), 1) << from.toStdString();
            text.replace(from, to);
        }
        return FormTextToBinary(text);
    }
    template <typename T> T* Get(const char* name) { return Find<T>(Form.get(), name); }

    std::unique_ptr<TForm1> Form;
};

} // namespace

TEST_F(MainFormTranslation, ChangedValuesReachTheLiveWindowAndNothingElseChanges) {
    const TValues before = Snapshot(Form.get());
    UseResourceFile(FormResourceFile(
        {{QStringLiteral("TForm1"),
          Translated({{"Left = 267\n", "Left = 400\n"},
                      {"Caption = 'Horavel '", "Caption = 'Horavel EN'"},
                      {"Caption = 'Apri '", "Caption = 'Open'"},
                      {"Hint = 'Apri '", "Hint = 'Open a configuration'"},
                      {"ScreenTip.Header = 'Apri'\n", "ScreenTip.Header = 'Open'\n"},
                      {"Caption = 'Temperatura'\n", "Caption = 'Temperature'\n"},
                      {"Caption = 'Sensore abilitato'", "Caption = 'Sensor enabled'"},
                      {"Caption = 'Giorno'", "Caption = 'Day'"},
                      {"'Luned\u00ec'", "'Monday'"},
                      {"'Tutti i giorni'", "'Every day'"},
                      {"Width = 20\n", "Width = 24\n"}})}}));
    TLangTranslator::TranslateAllForms();

    EXPECT_EQ(Form->Caption(), QStringLiteral("Horavel EN"));
    EXPECT_EQ(Form->Left(), before.value("Form1.Left").toInt());
    auto* open = Get<TBarItem>("BarButtonOpen");
    EXPECT_EQ(open->Caption(), QStringLiteral("Open"));
    EXPECT_EQ(open->Hint(), QStringLiteral("Open a configuration"));
    EXPECT_EQ(open->ScreenTip()->Header(), QStringLiteral("Open"));
    EXPECT_EQ(Get<TTabSheet>("TabSheet3")->Caption(), QStringLiteral("Temperature"));
    EXPECT_EQ(Get<TCheckBox>("CheckBox1")->Caption(), QStringLiteral("Sensor enabled"));
    auto* day = Get<TGridColumnDef>("Grid1DBTableView1Giorno");
    EXPECT_EQ(day->Caption(), QStringLiteral("Day"));
    EXPECT_EQ(day->Items()->Strings(0), QStringLiteral("Monday"));
    EXPECT_EQ(day->Items()->Strings(7), QStringLiteral("Every day"));
    EXPECT_EQ(day->Items()->Count(), 8);
    EXPECT_EQ(Get<TStatusBar>("StatusBar")->Panels()->Panel(5)->Width(), 24);

    EXPECT_EQ(ChangedKeys(before, Snapshot(Form.get())),
              QStringList({"BarButtonOpen.Caption", "BarButtonOpen.Hint",
                           "BarButtonOpen.ScreenTip.Header", "CheckBox1.Caption", "Form1.Caption",
                           "Grid1DBTableView1Giorno.Caption", "Grid1DBTableView1Giorno.Items",
                           "StatusBar.Panels[5].Width", "TabSheet3.Caption"}));

    // Back to the built-in language: every value as it was.
    TModuleList::Instance().Head().SetResourceFile(nullptr);
    TLangTranslator::TranslateAllForms();
    EXPECT_EQ(ChangedKeys(before, Snapshot(Form.get())), QStringList());
}
