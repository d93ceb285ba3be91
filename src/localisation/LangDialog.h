#pragma once

// The language dialog: the built-in language and every language with resource files, each
// under its display name, the language in force preselected.

#include "localisation/LangResource.h"
#include "widgets/Forms.h"
#include "widgets/ListControls.h"

#include <QFontDatabase>

namespace lumotrix {

class TButton;

enum TLanguageDialogOption { EnglishNames, SystemCodePageOnly };
using TLanguageDialogOptions = TSet<TLanguageDialogOption>;

// The object of each list row.
class TLanguageListItem : public TObject {
public:
    TLanguageListItem(QString code, QString displayName, TLocaleId locale)
        : Code(std::move(code)), DisplayName(std::move(displayName)), Locale(locale) {}
    QString Code;
    QString DisplayName;
    TLocaleId Locale = 0; // what the row is drawn for
};

class TLangLanguageDialog : public TForm {
public:
    explicit TLangLanguageDialog(TComponent* owner = nullptr);
    ~TLangLanguageDialog() override;

    int LanguageCount() const;
    QString LanguageCodeAt(int index) const;
    // Empty when no row is selected.
    QString SelectedLanguage() const;
    void AddLanguage(const QString& code);

    // --- published handlers ---
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormDestroy(TObject* sender);
    void ListDrawItem(TObject* control, qint32 index, QRect rect, TOwnerDrawState state);
    void ListDblClick(TObject* sender);

    // --- published fields ---
    TListBox* List = nullptr;
    TButton* OkButton = nullptr;
    TButton* CancelButton = nullptr;
    TNotifyEvent OnDestroy;

private:
    friend bool ShowLanguageDialog(QString&, const QString&, TLanguageDialogOptions, TPosition);
    bool FSystemCodePageOnly = false;
    QString FBuiltInLanguage;
    bool FNativeNames = false;
};

// Draws one row's display name at its rectangle in a font that covers the row's script.
void DrawLanguageItem(TListBox* list, int index, const QRect& rect);

// The character set of the locale's default code page (0, ANSI, when unknown).
quint8 LocaleCharset(TLocaleId locale);
// Qt fonts carry no character set: the writing system a character set stands for.
QFontDatabase::WritingSystem WritingSystemOfCharset(quint8 charset);

// Runs the dialog; on OK `chosen` becomes the selected row's code (empty when none) and the
// result is true. On Cancel `chosen` is left as it was.
bool ShowLanguageDialog(QString& chosen, const QString& builtInLanguage,
                        TLanguageDialogOptions options, TPosition position);
// Runs the dialog and switches to the language chosen (the built-in one by the empty code);
// true when the user confirmed and the switch took place.
bool ChooseLanguage(const QString& builtInLanguage, TLanguageDialogOptions dialogOptions,
                    TSwitchOptions switchOptions, TPosition position);

} // namespace lumotrix
