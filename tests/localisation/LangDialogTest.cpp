#include "LanguageFiles.h"

#include "localisation/LangDialog.h"
#include "runtime/FormatSettings.h"
#include "widgets/Button.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QTimer>

namespace lumotrix::test {
namespace {

struct TDialogView {
    QStringList Rows;
    QStringList Codes;
    QString Selected;
};

class LangDialogTest : public LanguageFilesTest {
protected:
    void InstallLanguage(const char* code) { WriteResourceFile(ProgramTranslation(code)); }

    // Runs `act` on the dialog once it is shown modally.
    static void WhenShown(std::function<void(TLangLanguageDialog*)> act) {
        QTimer::singleShot(0, [act] {
            for (TForm* form : ScreenForms())
                if (auto* dialog = dynamic_cast<TLangLanguageDialog*>(form))
                    if (dialog->Widget()->isVisible()) {
                        act(dialog);
                        return;
                    }
            ADD_FAILURE() << "no language dialog shown";
        });
    }

    static TDialogView View(TLangLanguageDialog* dialog) {
        TDialogView view;
        for (int i = 0; i < dialog->LanguageCount(); ++i) {
            view.Rows.append(dialog->List->Items()->Strings(i));
            view.Codes.append(dialog->LanguageCodeAt(i));
        }
        view.Selected = dialog->SelectedLanguage();
        return view;
    }

    static void Press(TButton* button) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(button->Widget());
        ASSERT_NE(face, nullptr);
        ASSERT_NE(face->actionInterface(), nullptr);
        face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }

    static void Choose(TLangLanguageDialog* dialog, const QString& code) {
        for (int i = 0; i < dialog->LanguageCount(); ++i)
            if (dialog->LanguageCodeAt(i) == code)
                dialog->List->SetItemIndex(i);
    }
};

TEST_F(LangDialogTest, ListsNativeNamesSortedWithTheBuiltInLanguagePreselected) {
    InstallLanguage("ENU");
    InstallLanguage("DEU");
    TDialogView view;
    QSize size;
    WhenShown([&](TLangLanguageDialog* dialog) {
        view = View(dialog);
        size = QSize(dialog->ClientWidth(), dialog->ClientHeight());
        Press(dialog->CancelButton);
    });
    QString chosen = "unchanged";
    EXPECT_FALSE(ShowLanguageDialog(chosen, "IT", {}, poScreenCenter));
    EXPECT_EQ(chosen, "unchanged") << "Cancel leaves the output alone";
    EXPECT_EQ(view.Rows,
              (QStringList{"Deutsch (Deutschland)", "English (United States)", "italiano"}));
    EXPECT_EQ(view.Codes, (QStringList{"DEU", "ENU", "IT"}));
    EXPECT_EQ(view.Selected, "IT");
    EXPECT_EQ(size, QSize(277, 177)) << "a fixed dialog border keeps the designed size";

    WhenShown([&](TLangLanguageDialog* dialog) {
        view = View(dialog);
        Press(dialog->CancelButton);
    });
    ShowLanguageDialog(chosen, "IT", {EnglishNames}, poScreenCenter);
    EXPECT_EQ(view.Rows, (QStringList{"English (United States)", "German (Germany)", "Italian"}));
}

TEST_F(LangDialogTest, ConfirmedChoiceSwitchesAndIsPreselectedNextTime) {
    InstallLanguage("DE");
    WhenShown([&](TLangLanguageDialog* dialog) {
        Choose(dialog, "DE");
        Press(dialog->OkButton);
    });
    EXPECT_TRUE(ChooseLanguage("IT", {}, {}, poMainFormCenter));
    EXPECT_EQ(CurrentLanguage, "DE");
    EXPECT_EQ(GetThreadLocale(), 0x0007u) << "a language file puts the language alone in force";
    EXPECT_EQ(FormatSettings().DecimalSeparator, QChar(','));

    TDialogView view;
    WhenShown([&](TLangLanguageDialog* dialog) {
        view = View(dialog);
        Choose(dialog, "IT");
        // A double click on a row is OK.
        QListWidget* list = dialog->List->List();
        emit list->itemDoubleClicked(list->item(dialog->List->ItemIndex()));
    });
    EXPECT_TRUE(ChooseLanguage("IT", {}, {}, poMainFormCenter));
    EXPECT_EQ(view.Selected, "DE");
    EXPECT_EQ(CurrentLanguage, "") << "the built-in row switches back to the built-in language";
    EXPECT_EQ(GetThreadLocale(), LocaleEnglishUS);
}

TEST_F(LangDialogTest, CancelAndVanishedFilesChangeNothing) {
    InstallLanguage("DEU");
    WhenShown([&](TLangLanguageDialog* dialog) {
        Choose(dialog, "DEU");
        Press(dialog->CancelButton);
    });
    EXPECT_FALSE(ChooseLanguage("IT", {}, {}, poMainFormCenter));
    EXPECT_EQ(CurrentLanguage, "");

    WhenShown([&](TLangLanguageDialog* dialog) {
        Choose(dialog, "DEU");
        QFile::remove(ProgramTranslation("DEU"));
        Press(dialog->OkButton);
    });
    EXPECT_FALSE(ChooseLanguage("IT", {}, {}, poMainFormCenter));
    EXPECT_EQ(CurrentLanguage, "");
    EXPECT_EQ(GetThreadLocale(), LocaleEnglishUS);
}

TEST_F(LangDialogTest, RowsAreDrawnInAFontOfTheirOwnScript) {
    EXPECT_EQ(LocaleCharset(0x0407), 0);
    EXPECT_EQ(LocaleCharset(0x0419), 204);
    EXPECT_EQ(LocaleCharset(0x0408), 161);
    EXPECT_EQ(LocaleCharset(0x0411), 128);
    EXPECT_EQ(LocaleCharset(0x042A), 163);
    EXPECT_EQ(LocaleCharset(0x7777), 0) << "unknown locale: ANSI";
    EXPECT_EQ(WritingSystemOfCharset(204), QFontDatabase::Cyrillic);
    EXPECT_EQ(WritingSystemOfCharset(128), QFontDatabase::Japanese);
    EXPECT_EQ(WritingSystemOfCharset(238), QFontDatabase::Latin);

    InstallLanguage("RUS");
    int inked = 0;
    WhenShown([&](TLangLanguageDialog* dialog) {
        QListWidget* list = dialog->List->List();
        const QImage image = list->viewport()->grab().toImage();
        const QRect row = list->visualItemRect(list->item(0)).intersected(image.rect());
        const QRgb background = image.pixel(row.right() - 1, row.bottom() - 1);
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = row.left(); x <= row.right(); ++x)
                inked += image.pixel(x, y) != background;
        Press(dialog->CancelButton);
    });
    QString chosen;
    ShowLanguageDialog(chosen, "IT", {}, poScreenCenter);
    EXPECT_GT(inked, 20) << "the owner-drawn row shows its name";
}

} // namespace
} // namespace lumotrix::test
