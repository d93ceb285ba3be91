#include "localisation/LangDialog.h"

#include "localisation/LangForms.h"
#include "localisation/LangMessageIds.h"
#include "runtime/CodePages.h"
#include "runtime/FormatSettings.h"
#include "widgets/Button.h"

#include <QListWidget>
#include <QPainter>
#include <array>
#include <bit>

namespace lumotrix {

namespace {

struct TCharsetEntry {
    quint8 Charset;
    quint16 CodePage; // kept beside the character set for reference
};

// Indexed by the bit of the code page in a locale's font signature.
constexpr std::array<TCharsetEntry, 32> CharsetTable = [] {
    std::array<TCharsetEntry, 32> table{};
    table[0] = {0, 1252};
    table[1] = {238, 1250};
    table[2] = {204, 1251};
    table[3] = {161, 1253};
    table[4] = {162, 1254};
    table[5] = {177, 1255};
    table[6] = {178, 1256};
    table[7] = {186, 1257};
    table[16] = {222, 874};
    table[17] = {128, 932};
    table[18] = {134, 936};
    table[19] = {129, 949};
    table[20] = {136, 950};
    table[21] = {130, 1361};
    table[22] = {163, 1258};
    return table;
}();

// A font like `base` that covers the writing system: its own family when it does, else the
// first installed family that does, with `base`'s families as fallbacks.
QFont FontForWritingSystem(const QFont& base, QFontDatabase::WritingSystem system) {
    if (system == QFontDatabase::Any ||
        QFontDatabase::writingSystems(QFontInfo(base).family()).contains(system))
        return base;
    const QStringList families = QFontDatabase::families(system);
    if (families.isEmpty())
        return base;
    QFont font = base;
    font.setFamilies(QStringList{families.first()} + base.families());
    return font;
}

} // namespace

quint8 LocaleCharset(TLocaleId locale) {
    const std::optional<quint32> codePages = LocaleFontSignatureCodePages(locale);
    if (!codePages || *codePages == 0)
        return CharsetTable[0].Charset;
    return CharsetTable[std::countr_zero(*codePages)].Charset;
}

QFontDatabase::WritingSystem WritingSystemOfCharset(quint8 charset) {
    switch (charset) {
    case 0:
    case 238:
    case 162:
    case 186:
        return QFontDatabase::Latin;
    case 204:
        return QFontDatabase::Cyrillic;
    case 161:
        return QFontDatabase::Greek;
    case 177:
        return QFontDatabase::Hebrew;
    case 178:
        return QFontDatabase::Arabic;
    case 222:
        return QFontDatabase::Thai;
    case 128:
        return QFontDatabase::Japanese;
    case 134:
        return QFontDatabase::SimplifiedChinese;
    case 129:
    case 130:
        return QFontDatabase::Korean;
    case 136:
        return QFontDatabase::TraditionalChinese;
    case 163:
        return QFontDatabase::Vietnamese;
    default:
        return QFontDatabase::Any;
    }
}

TLangLanguageDialog::TLangLanguageDialog(TComponent* owner) : TForm(owner) {}

TLangLanguageDialog::~TLangLanguageDialog() {
    // Raised here, while the rows and the handler's object still exist.
    if (OnDestroy)
        OnDestroy(this);
}

int TLangLanguageDialog::LanguageCount() const {
    return List->Items()->Count();
}

QString TLangLanguageDialog::LanguageCodeAt(int index) const {
    return static_cast<TLanguageListItem*>(List->Items()->Objects(index))->Code;
}

QString TLangLanguageDialog::SelectedLanguage() const {
    const int index = List->ItemIndex();
    return index < 0 ? QString() : LanguageCodeAt(index);
}

void TLangLanguageDialog::AddLanguage(const QString& code) {
    const TLocaleId locale = LocaleOfLanguageCode(code);
    const QString name = LanguageDisplayName(locale, FNativeNames, TNameWidth::Wide);
    // The row's text, by which the list sorts, is the name as 8-bit text in the system's code
    // page; the row shows the name itself.
    const QString rowText =
        DecodeCodePage(EncodeCodePage(name, SystemAnsiCodePage()), SystemAnsiCodePage());
    auto item = std::make_unique<TLanguageListItem>(code, name, locale);
    const int row = List->Items()->AddObject(rowText, item.get());
    if (QListWidgetItem* line = List->List()->item(row))
        line->setData(Qt::AccessibleTextRole, name);
    item.release();
}

void TLangLanguageDialog::FormCreate(TObject*) {
    // Made anew for each use, so the name is in the language in force.
    List->Widget()->setAccessibleName(MessageText(msgLanguageList));
    FSystemCodePageOnly = false;
    FBuiltInLanguage.clear();
    FNativeNames = false;
}

void TLangLanguageDialog::FormShow(TObject*) {
    TLanguageList available;
    ListAvailableLanguages(available, QString(), FSystemCodePageOnly);
    if (!FBuiltInLanguage.isEmpty())
        AddLanguage(FBuiltInLanguage);
    for (const TLanguageEntry& entry : available)
        AddLanguage(entry.Code);
    const QString& wanted = CurrentLanguage.isEmpty() ? FBuiltInLanguage : CurrentLanguage;
    for (int i = 0; i < LanguageCount(); ++i)
        if (LanguageCodeAt(i) == wanted) {
            List->SetItemIndex(i);
            break;
        }
    if (List->ItemIndex() < 0 && LanguageCount() > 0)
        List->SetItemIndex(0);
}

void TLangLanguageDialog::FormDestroy(TObject*) {
    if (!List)
        return;
    for (int i = 0; i < List->Items()->Count(); ++i) {
        delete List->Items()->Objects(i);
        List->Items()->SetObjects(i, nullptr);
    }
}

void TLangLanguageDialog::ListDrawItem(TObject* control, qint32 index, QRect rect,
                                       TOwnerDrawState) {
    DrawLanguageItem(static_cast<TListBox*>(control), index, rect);
}

void TLangLanguageDialog::ListDblClick(TObject*) {
    SetModalResult(mrOk);
}

void DrawLanguageItem(TListBox* list, int index, const QRect& rect) {
    QPainter* canvas = list->Canvas();
    const auto* item = static_cast<const TLanguageListItem*>(list->Items()->Objects(index));
    if (!canvas || !item)
        return;
    // Each row in a font for its own language's script, so that every name shows.
    canvas->setFont(FontForWritingSystem(list->Widget()->font(),
                                         WritingSystemOfCharset(LocaleCharset(item->Locale))));
    const QRect textRect = rect.adjusted(2, 0, -2, 0);
    const Qt::Alignment align =
        list->Widget()->layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
    canvas->drawText(textRect, int(align | Qt::AlignVCenter | Qt::TextSingleLine),
                     item->DisplayName);
}

bool ShowLanguageDialog(QString& chosen, const QString& builtInLanguage,
                        TLanguageDialogOptions options, TPosition position) {
    std::unique_ptr<TLangLanguageDialog> dialog(CreateFormInLanguage<TLangLanguageDialog>());
    dialog->SetPosition(position);
    dialog->FNativeNames = !options.Contains(EnglishNames);
    dialog->FSystemCodePageOnly = options.Contains(SystemCodePageOnly);
    dialog->FBuiltInLanguage = builtInLanguage;
    const bool ok = dialog->ShowModal() == mrOk;
    if (ok)
        chosen = dialog->SelectedLanguage();
    return ok;
}

bool ChooseLanguage(const QString& builtInLanguage, TLanguageDialogOptions dialogOptions,
                    TSwitchOptions switchOptions, TPosition position) {
    QString chosen;
    if (!ShowLanguageDialog(chosen, builtInLanguage, dialogOptions, position))
        return false;
    if (chosen == builtInLanguage)
        chosen.clear();
    return SwitchLanguage(chosen, switchOptions);
}

LUMOTRIX_REGISTER_CLASS(TLangLanguageDialog, TForm) {
    Field("List", &TLangLanguageDialog::List);
    Field("OkButton", &TLangLanguageDialog::OkButton);
    Field("CancelButton", &TLangLanguageDialog::CancelButton);
    Property("OnDestroy", &TLangLanguageDialog::OnDestroy);
    Method("FormCreate", &TLangLanguageDialog::FormCreate);
    Method("FormShow", &TLangLanguageDialog::FormShow);
    Method("FormDestroy", &TLangLanguageDialog::FormDestroy);
    Method("ListDrawItem", &TLangLanguageDialog::ListDrawItem);
    Method("ListDblClick", &TLangLanguageDialog::ListDblClick);
}

} // namespace lumotrix
