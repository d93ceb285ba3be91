#include "widgets/Forms.h"

#include "runtime/FormLoader.h"
#include "runtime/FormResources.h"
#include "widgets/Application.h"
#include "widgets/qt/Icons.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace lumotrix {

// Follows the window: the first showing places it, every showing raises OnShow, a close
// request goes through OnCloseQuery.
class TFormFilter : public QObject {
public:
    explicit TFormFilter(TForm* form) : FForm(form) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != FForm->Widget())
            return false;
        if (event->type() == QEvent::Show && !static_cast<QShowEvent*>(event)->spontaneous()) {
            FForm->Fire(FForm->OnShow);
        } else if (event->type() == QEvent::Close) {
            bool canClose = true;
            // A handler that failed (a save that could not write) keeps the window open.
            if (FForm->OnCloseQuery && !Guarded([&] { FForm->OnCloseQuery(FForm, canClose); }))
                canClose = false;
            if (!canClose) {
                event->ignore();
                return true;
            }
        }
        return false;
    }

private:
    TForm* FForm;
};

namespace {

QList<TForm*>& FormList() {
    static QList<TForm*> forms;
    return forms;
}

QList<TDataModule*>& DataModuleList() {
    static QList<TDataModule*> modules;
    return modules;
}

TFormResource RequireFormResource(const TClassInfo* cls) {
    const TFormResource resource = LocateFormResource(cls);
    if (!resource.Data)
        throw EResNotFound(
            DeveloperText(QStringLiteral("Resource %1 not found").arg(cls->ClassName())));
    return resource;
}

} // namespace

QList<TForm*> ScreenForms() {
    return FormList();
}
QList<TDataModule*> ScreenDataModules() {
    return DataModuleList();
}

TDataModule::TDataModule(TComponent* owner) : TComponent(owner) {
    DataModuleList().append(this);
}

TDataModule::~TDataModule() {
    DataModuleList().removeAll(this);
    DestroyComponents();
}

void TDataModule::LoadFromResource() {
    const TFormResource resource = RequireFormResource(ClassType());
    LoadFromStream(*resource.Data, resource.CodePage);
}
void TDataModule::LoadFromStream(const QByteArray& stream, int codePage) {
    LoadComponentFromStream(this, stream, codePage);
}
void TDataModule::DoCreate() {
    if (OnCreate)
        Guarded([&] { OnCreate(this); });
}

LUMOTRIX_REGISTER_CLASS(TDataModule, TComponent) {
    Property("OnCreate", &TDataModule::OnCreate);
}

TFrame::TFrame(TComponent* owner) : TControl(owner) {
    SetWidget(new QWidget);
}

LUMOTRIX_REGISTER_CLASS(TFrame, TControl) {}

namespace {
// A form's window. Escape closes only a modal form, as with a dialog box; a main window
// stays.
class TFormWindow : public QDialog {
public:
    explicit TFormWindow(const TForm* form) : QDialog(nullptr, Qt::Window), Form(form) {}
    const TForm* Form;
    bool Modal = false;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape && !Modal) {
            QWidget::keyPressEvent(event);
            return;
        }
        QDialog::keyPressEvent(event);
    }
};
// Assistive tools take a window for a dialog only when it acts as one: shown modally or with a
// dialog's border. A main window is a frame.
class TFormWindowAccessible : public QAccessibleWidget {
public:
    explicit TFormWindowAccessible(TFormWindow* window) : QAccessibleWidget(window) {}
    QAccessible::Role role() const override {
        const auto* window = static_cast<const TFormWindow*>(widget());
        return window->Modal || window->Form->BorderStyle() == bsDialog ? QAccessible::Dialog
                                                                        : QAccessible::Window;
    }
};

QAccessibleInterface* FormWindowAccessible(const QString& className, QObject* object) {
    // The window class declares no meta-object of its own: it is asked for as a dialog.
    if (className != QLatin1String("QDialog"))
        return nullptr;
    auto* window = dynamic_cast<TFormWindow*>(object);
    return window ? new TFormWindowAccessible(window) : nullptr;
}
} // namespace

TForm::TForm(TComponent* owner)
    : TControl(owner), FConstraints(std::make_unique<TSizeConstraints>()) {
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(FormWindowAccessible);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
    auto* window = new TFormWindow(this);
    window->setSizeGripEnabled(false);
    window->setModal(false);
    SetWidget(window);
    TControl::SetVisible(false);
    FFormFilter = new TFormFilter(this);
    window->installEventFilter(FFormFilter);
    FConstraints->OnChange = [this] { ApplyConstraints(); };
    Screen::Instance().AddForm(window);
    FormList().append(this);
}

TForm::~TForm() {
    FormList().removeAll(this);
    // Components first (their widgets live in the window), then the window itself.
    DestroyComponents();
    if (Widget()) {
        Widget()->removeEventFilter(FFormFilter);
        Screen::Instance().RemoveForm(Widget());
    }
    delete FFormFilter;
}

void TForm::LoadFromResource() {
    const TFormResource resource = RequireFormResource(ClassType());
    LoadFromStream(*resource.Data, resource.CodePage);
}

void TForm::LoadFromStream(const QByteArray& stream, int codePage) {
    LoadComponentFromStream(this, stream, codePage);
    AlignControls();
}

void TForm::DoCreate() {
    Fire(OnCreate);
}

QString TForm::Caption() const {
    return FCaption;
}

void TForm::SetCaption(const QString& caption) {
    FCaption = caption;
    ShowCaption();
}

bool TForm::Modified() const {
    return Widget() && Widget()->isWindowModified();
}

void TForm::SetModified(bool modified) {
    if (!Widget())
        return;
    FMarksModified = true;
    Widget()->setWindowModified(modified);
    ShowCaption();
}

void TForm::ShowCaption() {
    if (!Widget())
        return;
    Widget()->setWindowTitle(FMarksModified ? FCaption + QStringLiteral("[*]") : FCaption);
    Widget()->setAccessibleName(Modified() ? FCaption + QLatin1Char('*') : FCaption);
}

qint32 TForm::ClientWidth() const {
    return Widget() ? Widget()->width() : 0;
}
void TForm::SetClientWidth(qint32 width) {
    if (Widget())
        Widget()->resize(width, Widget()->height());
}
qint32 TForm::ClientHeight() const {
    return Widget() ? Widget()->height() : 0;
}
void TForm::SetClientHeight(qint32 height) {
    if (Widget())
        Widget()->resize(Widget()->width(), height);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    FBorderStyle = style;
    if (!Widget())
        return;
    bool fixed = style == bsDialog || style == bsSingle || style == bsToolWindow;
    Widget()->setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, fixed);
    Widget()->setWindowFlag(Qt::WindowMinMaxButtonsHint, !fixed && style != bsNone);
    Widget()->setWindowFlag(Qt::FramelessWindowHint, style == bsNone);
    if (fixed)
        Widget()->setFixedSize(Widget()->size());
}

void TForm::SetIconName(const QString& name) {
    FIconName = name;
    if (Widget())
        Widget()->setWindowIcon(CommandIcon(name));
}

void TForm::ApplyConstraints() {
    if (!Widget())
        return;
    Widget()->setMinimumSize(FConstraints->MinWidth(), FConstraints->MinHeight());
    Widget()->setMaximumSize(
        FConstraints->MaxWidth() > 0 ? FConstraints->MaxWidth() : QWIDGETSIZE_MAX,
        FConstraints->MaxHeight() > 0 ? FConstraints->MaxHeight() : QWIDGETSIZE_MAX);
}

void TForm::SetModalResult(TModalResult result) {
    FModalResult = result;
    if (result != mrNone && FModal && Widget())
        Widget()->close();
}

void TForm::PlaceWindow() {
    if (FPlaced || !Widget())
        return;
    FPlaced = true;
    QWidget* window = Widget();
    QRect area;
    if (FPosition == poScreenCenter || FPosition == poMainFormCenter ||
        FPosition == poOwnerFormCenter) {
        QWidget* over = nullptr;
        if (FPosition != poScreenCenter && Screen::Instance().FormCount() > 0)
            over = Screen::Instance().Form(0);
        if (over && over != window && over->isVisible())
            area = over->frameGeometry();
        else if (QScreen* screen = QGuiApplication::primaryScreen())
            area = screen->availableGeometry();
        if (area.isValid())
            window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
    } else if (FPosition == poDesigned) {
        window->move(Left(), Top());
    }
    // A place designed for a larger screen (or a form larger than the screen it is centred
    // on) would leave part of the window, title bar included, out of reach.
    if (FPosition != poDefault) {
        QScreen* screen = QGuiApplication::screenAt(window->pos());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen)
            window->move(
                KeepInside(QRect(window->pos(), window->size()), screen->availableGeometry()));
    }
}

QPoint KeepInside(const QRect& window, const QRect& area) {
    const int x = qMax(area.left(), qMin(window.left(), area.right() + 1 - window.width()));
    const int y = qMax(area.top(), qMin(window.top(), area.bottom() + 1 - window.height()));
    return {x, y};
}

void TForm::SetVisible(bool visible) {
    if (visible && !IsLoading())
        PlaceWindow();
    TControl::SetVisible(visible);
}

void TForm::Show() {
    SetVisible(true);
    if (Widget()) {
        Widget()->raise();
        Widget()->activateWindow();
    }
}

TModalResult TForm::ShowModal() {
    QWidget* window = Widget();
    if (!window)
        return mrCancel;
    FModalResult = mrNone;
    window->setProperty("lumotrixModalResult", QVariant());
    FModal = true;
    static_cast<TFormWindow*>(window)->Modal = true;
    window->setWindowModality(Qt::ApplicationModal);
    PlaceWindow();
    QEventLoop loop;
    QObject::connect(static_cast<QDialog*>(window), &QDialog::finished, &loop, &QEventLoop::quit);
    TControl::SetVisible(true);
    // The loop ends when the window hides, whichever way it was closed.
    class HideWatch : public QObject {
    public:
        explicit HideWatch(QEventLoop* loop) : FLoop(loop) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Hide)
                FLoop->quit();
            return false;
        }
        QEventLoop* FLoop;
    } watch(&loop);
    window->installEventFilter(&watch);
    if (window->isVisible())
        loop.exec(QEventLoop::DialogExec);
    window->removeEventFilter(&watch);
    window->setWindowModality(Qt::NonModal);
    FModal = false;
    static_cast<TFormWindow*>(window)->Modal = false;
    TControl::SetVisible(false);
    QVariant byButton = window->property("lumotrixModalResult");
    if (FModalResult == mrNone && byButton.isValid())
        FModalResult = static_cast<TModalResult>(byButton.toInt());
    if (FModalResult == mrNone)
        FModalResult = mrCancel;
    return FModalResult;
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

bool TForm::Close() {
    return Widget() ? Widget()->close() : true;
}

LUMOTRIX_REGISTER_CLASS(TForm, TControl) {
    Property("Caption", &TForm::Caption, &TForm::SetCaption);
    Property("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth);
    Property("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight);
    Property("Position", &TForm::Position, &TForm::SetPosition);
    Property("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle);
    Property("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview);
    Property("Constraints", &TForm::Constraints);
    Property("IconName", &TForm::IconName, &TForm::SetIconName);
    Property("OnCreate", &TForm::OnCreate);
    Property("OnShow", &TForm::OnShow);
    Property("OnCloseQuery", &TForm::OnCloseQuery);
}

} // namespace lumotrix
