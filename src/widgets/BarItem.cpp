#include "widgets/BarItem.h"

#include "runtime/ScopeExit.h"
#include "widgets/Application.h"
#include "widgets/qt/Icons.h"
#include "widgets/qt/StatusBarWidget.h"

namespace lumotrix {

TBarItem::TBarItem(TComponent* owner)
    : TComponent(owner), FCommand(new RibbonCommand(QString())),
      FScreenTip(std::make_unique<TScreenTipProps>()) {
    FScreenTip->OnChange = [this] { FCommand->SetScreenTip(FScreenTip->Tip()); };
    QObject::connect(FCommand, &QAction::triggered, FCommand, [this] {
        if (OnClick)
            Guarded([&] { OnClick(this); });
    });
}

TBarItem::~TBarItem() {
    delete FCommand;
}

void TBarItem::SetCaption(const QString& caption) {
    FCommand->SetCaption(caption);
}

void TBarItem::SetShortCut(qint32 shortCut) {
    FShortCut = shortCut;
    FCommand->SetShortCut(ShortCutToKeySequence(shortCut));
}

void TBarItem::SetIconName(const QString& name) {
    FIconName = name;
    UpdateIcon();
}

void TBarItem::SetImageIndex(qint32 index) {
    FImageIndex = index;
    UpdateIcon();
}

void TBarItem::SetBarManager(TBarManager* manager) {
    if (FBarManager)
        FBarManager->RemoveFreeNotification(this);
    FBarManager = manager;
    if (manager)
        manager->FreeNotification(this);
    UpdateIcon();
}

void TBarItem::UpdateIcon() {
    // The picture by name wins; else the manager's picture for the index.
    QString name = FIconName;
    if (name.isEmpty() && FBarManager)
        name = FBarManager->ImageName(FImageIndex);
    FCommand->setIcon(name.isEmpty() ? QIcon() : CommandIcon(name));
}

void TBarItem::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FBarManager)
        FBarManager = nullptr;
}

QWidget* TBarItem::CreateGroupWidget(RibbonGroup* group, bool large, bool beginGroup,
                                     bool newColumn) {
    if (large)
        return group->AddLargeButton(FCommand, beginGroup);
    return group->AddSmallButton(FCommand, beginGroup, newColumn);
}

LUMOTRIX_REGISTER_CLASS(TBarItem, TComponent) {
    Property("Caption", &TBarItem::Caption, &TBarItem::SetCaption);
    Property("Hint", &TBarItem::Hint, &TBarItem::SetHint);
    Property("Description", &TBarItem::Description, &TBarItem::SetDescription);
    Property("ShortCut", &TBarItem::ShortCut, &TBarItem::SetShortCut);
    Property("Enabled", &TBarItem::Enabled, &TBarItem::SetEnabled);
    Property("Visible", &TBarItem::Visible, &TBarItem::SetVisible);
    Property("IconName", &TBarItem::IconName, &TBarItem::SetIconName);
    Property("ImageIndex", &TBarItem::ImageIndex, &TBarItem::SetImageIndex);
    Property("BarManager", &TBarItem::BarManager, &TBarItem::SetBarManager);
    Property("ScreenTip", &TBarItem::ScreenTip);
    Property("OnClick", &TBarItem::OnClick);
}

TBarButton::TBarButton(TComponent* owner) : TBarItem(owner) {
    QObject::connect(Command(), &QAction::toggled, Command(), [this](bool down) { Toggled(down); });
}

void TBarButton::Toggled(bool down) {
    if (FGroupIndex == 0 || FReleasing)
        return;
    if (!down) {
        // A click on the pressed button of a group leaves it pressed.
        FReleasing = true;
        const TScopeExit released([this] { FReleasing = false; });
        Command()->setChecked(true);
        return;
    }
    if (!Owner())
        return;
    for (int i = 0; i < Owner()->ComponentCount(); ++i) {
        auto* other = dynamic_cast<TBarButton*>(Owner()->Components(i));
        if (other && other != this && other->FGroupIndex == FGroupIndex && other->Down()) {
            other->FReleasing = true;
            const TScopeExit released([other] { other->FReleasing = false; });
            other->Command()->setChecked(false);
        }
    }
}

void TBarButton::SetButtonStyle(TBarButtonStyle style) {
    FStyle = style;
    Command()->SetCheckStyle(style == bsChecked);
}

void TBarButton::SetDown(bool down) {
    // Only a check-style button stays down; code may release a grouped one.
    if (FStyle != bsChecked)
        return;
    FReleasing = !down;
    Command()->SetDown(down);
    FReleasing = false;
}

void TBarButton::SetGroupIndex(qint32 index) {
    FGroupIndex = index;
    if (index != 0)
        Command()->SetCheckStyle(true);
}

LUMOTRIX_REGISTER_CLASS(TBarButton, TBarItem) {
    Property("ButtonStyle", &TBarButton::ButtonStyle, &TBarButton::SetButtonStyle);
    Property("GroupIndex", &TBarButton::GroupIndex, &TBarButton::SetGroupIndex);
    Property("Down", &TBarButton::Down, &TBarButton::SetDown);
}

LUMOTRIX_REGISTER_CLASS(TBarLargeButton, TBarButton) {}

TBarEdit::TBarEdit(TComponent* owner) : TBarItem(owner) {}

void TBarEdit::SetText(const QString& text) {
    if (FText == text)
        return;
    FText = text;
    for (const QPointer<RibbonEditItem>& editor : FEditors)
        if (editor && editor->Text() != text)
            editor->SetText(text);
    if (OnChange)
        Guarded([&] { OnChange(this); });
}

void TBarEdit::SetWidth(qint32 width) {
    FWidth = width;
    for (const QPointer<RibbonEditItem>& editor : FEditors)
        if (editor)
            editor->SetEditWidth(width);
}

void TBarEdit::SetCaption(const QString& caption) {
    TBarItem::SetCaption(caption);
    for (const QPointer<RibbonEditItem>& editor : FEditors)
        if (editor)
            editor->SetCaption(caption);
}

void TBarEdit::SetKeyTipId(quint16 id) {
    TBarItem::SetKeyTipId(id);
    for (RibbonEditItem* editor : Editors())
        editor->SetKeyTipId(id);
}

QWidget* TBarEdit::CreateGroupWidget(RibbonGroup* group, bool, bool beginGroup, bool newColumn) {
    RibbonEditItem* editor = group->AddEditItem(Caption(), FWidth, beginGroup, newColumn);
    editor->SetText(FText);
    editor->SetKeyTipId(KeyTipId());
    // Hint, screen tip and enabled state follow the command, also when a translation sets them.
    const auto followCommand = [this, editor] {
        editor->SetHint(Hint());
        if (!ScreenTip()->Tip().IsEmpty())
            editor->SetScreenTip(ScreenTip()->Tip());
        editor->setEnabled(Enabled());
    };
    followCommand();
    QObject::connect(Command(), &QAction::changed, editor, followCommand);
    QObject::connect(editor, &RibbonEditItem::changed, editor,
                     [this, editor] { SetText(editor->Text()); });
    FEditors.append(editor);
    return editor;
}

QList<RibbonEditItem*> TBarEdit::Editors() const {
    QList<RibbonEditItem*> editors;
    for (const QPointer<RibbonEditItem>& editor : FEditors)
        if (editor)
            editors.append(editor);
    return editors;
}

LUMOTRIX_REGISTER_CLASS(TBarEdit, TBarItem) {
    Property("Text", &TBarEdit::Text, &TBarEdit::SetText);
    Property("Width", &TBarEdit::Width, &TBarEdit::SetWidth);
    Property("OnChange", &TBarEdit::OnChange);
}

void TBarStatic::SetCaption(const QString& caption) {
    TBarItem::SetCaption(caption);
    Sync();
}

void TBarStatic::SetImageIndex(qint32 index) {
    TBarItem::SetImageIndex(index);
    Sync();
}

void TBarStatic::Sync() {
    QString image = IconName();
    if (image.isEmpty() && BarManager())
        image = BarManager()->ImageName(ImageIndex());
    for (const QPointer<StatusItem>& widget : FWidgets)
        if (widget) {
            widget->SetCaption(Caption());
            widget->SetImage(ImageIndex() < 0 && IconName().isEmpty() ? QString() : image);
        }
}

StatusItem* TBarStatic::CreateStatusWidget() {
    auto* widget = new StatusItem;
    FWidgets.append(widget);
    Sync();
    return widget;
}

QWidget* TBarStatic::CreateGroupWidget(RibbonGroup* group, bool, bool beginGroup, bool newColumn) {
    StatusItem* widget = CreateStatusWidget();
    group->AddItem(widget, false, beginGroup, newColumn);
    return widget;
}

LUMOTRIX_REGISTER_CLASS(TBarStatic, TBarItem) {}
LUMOTRIX_REGISTER_CLASS(TBarSeparator, TBarItem) {}

} // namespace lumotrix
