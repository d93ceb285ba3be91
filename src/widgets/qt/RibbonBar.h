#pragma once

#include "widgets/qt/ApplicationMenu.h"
#include "widgets/qt/ColorScheme.h"
#include "widgets/qt/QuickAccessToolbar.h"
#include "widgets/qt/RibbonTab.h"

#include <QPointer>
#include <QToolButton>
#include <QWidget>

class QHBoxLayout;
class QLabel;
class QMenu;
class QStackedWidget;
class QTabBar;
class QVBoxLayout;

namespace lumotrix {

class RibbonKeyTips;

// The ribbon: application button and menu, quick access toolbar, tabs with groups, colour
// schemes and the "drawn into the frame" mode.
//
// Form mode: Qt cannot paint into a native frame, so in that mode the ribbon asks its window
// to go frameless and draws a caption bar itself (title, quick access toolbar when above,
// minimise / maximise / close); dragging the bar moves the window, a double click maximises,
// and the window is resized from its size grip. With the mode off the window gets its platform
// frame back and the toolbar above sits in a row of its own.
class RibbonBar : public QWidget {
    Q_OBJECT
public:
    enum class TQatPosition { Above, Below };

    explicit RibbonBar(QWidget* parent = nullptr);
    ~RibbonBar() override;

    RibbonTab* AddTab(const QString& caption);
    int TabCount() const;
    RibbonTab* Tab(int index) const;
    int TabIndex(RibbonTab* tab) const;
    QString TabCaption(int index) const;
    void SetTabCaption(int index, const QString& caption);
    void SetTabVisible(int index, bool visible);
    RibbonTab* ActiveTab() const;
    void SetActiveTab(RibbonTab* tab);
    QTabBar* TabBar() const { return FTabs; }

    // Makes the command's shortcut live in the ribbon's window.
    void RegisterCommand(RibbonCommand* command);

    QuickAccessToolbar* Qat() const { return FQat; }
    bool QatVisible() const { return FQatVisible; }
    void SetQatVisible(bool visible);
    TQatPosition QatPosition() const { return FQatPosition; }
    void SetQatPosition(TQatPosition position);

    ApplicationMenu* AppMenu() const { return FAppMenu; }
    QToolButton* AppButton() const { return FAppButton; }
    bool AppButtonVisible() const;
    void SetAppButtonVisible(bool visible);
    void SetAppButtonScreenTip(const TScreenTip& tip);
    // The string-table message holding the application button's key tip (0: none).
    quint16 AppButtonKeyTipId() const { return FAppButtonKeyTipId; }
    void SetAppButtonKeyTipId(quint16 id) { FAppButtonKeyTipId = id; }
    void ShowAppMenu();
    QToolButton* HelpButton() const { return FHelpButton; }
    void SetHelpScreenTip(const TScreenTip& tip);

    QString ColorSchemeName() const { return FScheme; }
    void SetColorSchemeName(const QString& name);
    const TColorScheme& ColorScheme() const;

    bool SupportNonClientDrawing() const { return FFormMode; }
    void SetSupportNonClientDrawing(bool on);
    QWidget* CaptionBar() const { return FCaptionBar; }
    // What the caption bar shows: the window's title and the document's name.
    QString CaptionText() const;
    // The open document's name, shown in the drawn caption after the window's title.
    QString DocumentName() const { return FDocumentName; }
    void SetDocumentName(const QString& name);

    // Minimised, only the tab row stays; clicking a tab shows its groups in a pop-up over the
    // window until a command is chosen or the user clicks elsewhere. A double click on a tab
    // or the context menu's entry restores the ribbon.
    bool Minimized() const { return FMinimized; }
    void SetMinimized(bool minimized);
    void ShowTabPopup(int index);
    QWidget* TabPopup() const;

    // The context menu offered on a right click at `pos` (ribbon coordinates); the caller owns
    // it. Exposed so that it can be driven without a mouse.
    QMenu* CreateContextMenu(const QPoint& pos);

    // Working the ribbon by key tips: Alt alone or F10 starts it.
    RibbonKeyTips* KeyTips() const { return FKeyTips; }

signals:
    void helpClicked();
    // After the ribbon changed its own size or layout (toolbar moved, minimised).
    void sizeChanged();
    void colorSchemeChanged();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The ribbon's own texts, in the language in force; again on every switch.
    void TranslateChrome();
    void PlaceQat();
    void ApplyFrameMode();
    void UpdateCaption();
    void UpdateMaxButtonName();
    void UpdateCaptionGlyphs();
    void LayoutChanged();
    void ClearStaleHover();
    void WatchMenu(QMenu* menu);

    QVBoxLayout* FLayout;
    QWidget* FCaptionBar;
    QHBoxLayout* FCaptionQatSlot;
    QLabel* FCaptionTitle;
    QToolButton* FMinButton;
    QToolButton* FMaxButton;
    QToolButton* FCloseButton;
    QWidget* FQatAboveRow;
    QWidget* FQatBelowRow;
    QWidget* FTabRow;
    QToolButton* FAppButton = nullptr;
    QTabBar* FTabs;
    QToolButton* FHelpButton;
    QStackedWidget* FPages;
    QuickAccessToolbar* FQat;
    ApplicationMenu* FAppMenu = nullptr;
    QFrame* FPopup;
    QString FScheme = QStringLiteral("Blue");
    bool FQatVisible = true;
    TQatPosition FQatPosition = TQatPosition::Above;
    bool FFormMode = false;
    bool FMinimized = false;
    bool FSkipTabClick = false;
    QString FDocumentName;
    QPointer<QWidget> FWatchedWindow;
    // Named by a screen tip of the owner's; otherwise by the ribbon's own text.
    bool FAppButtonNamed = false;
    bool FHelpButtonNamed = false;
    quint16 FAppButtonKeyTipId = 0;
    RibbonKeyTips* FKeyTips;
};

} // namespace lumotrix
