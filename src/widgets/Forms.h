#pragma once

#include "runtime/CodePage.h"
#include "widgets/Button.h"
#include "widgets/Control.h"

namespace lumotrix {

enum TPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter, poOwnerFormCenter };
LUMOTRIX_ENUM_NAMES(TPosition, "poDesigned", "poDefault", "poScreenCenter", "poMainFormCenter",
                    "poOwnerFormCenter")
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
LUMOTRIX_ENUM_NAMES(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog",
                    "bsToolWindow", "bsSizeToolWin")

using TCloseQueryEvent = TEvent<TObject*, bool&>;
template <> struct TEventTypeName<TCloseQueryEvent> {
    static const char* Name() { return "TCloseQueryEvent"; }
};

// A top-level window whose components come from its form description. A form class's
// description is the RCDATA resource named after the class, found through the module list, so
// it follows the language in force. Construction does not read it: CreateForm<T>() constructs,
// reads (the derived class exists by then, so handlers bind to its published methods) and
// raises OnCreate. Forms are listed on the Screen while they exist.
class TForm : public TControl {
public:
    explicit TForm(TComponent* owner = nullptr);
    ~TForm() override;

    // Reads the form description resource named after the class (EResNotFound when missing),
    // its 8-bit strings in the code page of the resource source it is found in.
    void LoadFromResource();
    // Reads a binary form stream ("TPF0") into this form.
    void LoadFromStream(const QByteArray& stream, int codePage = CodePageWindows1252);
    // Runs OnCreate; CreateForm calls it after reading.
    void DoCreate();

    QString Caption() const;
    void SetCaption(const QString& caption);
    // Unsaved changes: the title shows a "*" after the caption (the toolkit's convention, so the
    // window manager and assistive tools show it too).
    bool Modified() const;
    void SetModified(bool modified);
    qint32 ClientWidth() const;
    void SetClientWidth(qint32 width);
    qint32 ClientHeight() const;
    void SetClientHeight(qint32 height);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition position) { FPosition = position; }
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool on) { FKeyPreview = on; }
    TSizeConstraints* Constraints() const { return FConstraints.get(); }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult result);
    QString IconName() const { return FIconName; }
    void SetIconName(const QString& name);

    void SetVisible(bool visible) override;
    // Places the window as Position says, then shows it.
    void Show();
    // Shows the window modally and returns how it was closed (mrCancel when simply closed).
    TModalResult ShowModal();
    // Asks to close: OnCloseQuery may refuse. Returns whether the window closed.
    bool Close();
    bool CloseQuery();

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TCloseQueryEvent OnCloseQuery;

private:
    friend class TFormFilter;
    void PlaceWindow();
    void ApplyConstraints();

    void ShowCaption();
    QString FCaption;
    bool FMarksModified = false; // the title carries the modified mark's place
    TPosition FPosition = poDesigned;
    TFormBorderStyle FBorderStyle = bsSizeable;
    bool FKeyPreview = false;
    bool FModal = false;
    bool FPlaced = false;
    TModalResult FModalResult = mrNone;
    QString FIconName;
    std::unique_ptr<TSizeConstraints> FConstraints;
    QObject* FFormFilter = nullptr;
};

// A non-visual container of components (tables, dialogs) read from its own description like a
// form.
class TDataModule : public TComponent {
public:
    explicit TDataModule(TComponent* owner = nullptr);
    ~TDataModule() override;
    void LoadFromResource();
    void LoadFromStream(const QByteArray& stream, int codePage = CodePageWindows1252);
    void DoCreate();
    TNotifyEvent OnCreate;
};

// A reusable group of controls, placed on a form like a panel.
class TFrame : public TControl {
public:
    explicit TFrame(TComponent* owner = nullptr);
};

// The forms and data modules that exist now, in creation order: what a language switch walks
// to re-translate everything that is open.
QList<TForm*> ScreenForms();
QList<TDataModule*> ScreenDataModules();

// Constructs a form of class T, reads its description resource and runs OnCreate.
template <typename T> T* CreateForm(TComponent* owner = nullptr) {
    auto form = std::make_unique<T>(owner);
    form->LoadFromResource();
    form->DoCreate();
    return form.release();
}

template <typename T> T* CreateDataModule(TComponent* owner = nullptr) {
    auto module = std::make_unique<T>(owner);
    module->LoadFromResource();
    module->DoCreate();
    return module.release();
}

// Where a window of this place and size goes so that it lies inside area, moved as little
// as possible; one larger than the area keeps its top-left corner (and title bar) inside.
QPoint KeepInside(const QRect& window, const QRect& area);

} // namespace lumotrix
