#pragma once

#include "widgets/qt/ColorScheme.h"

#include <QAction>
#include <QFrame>
#include <QIcon>
#include <QKeySequence>
#include <QPointer>
#include <QStringList>
#include <QToolButton>
#include <QWidget>
#include <functional>

class QAbstractButton;
class QActionGroup;
class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QStackedWidget;
class QTabBar;
class QVBoxLayout;

namespace lumotrix {

class ElidedLabel;

// A rich tooltip: a bold header, a text and, under a rule, a footer line.
struct TScreenTip {
    QString Header;
    QString Text;
    QString Footer;
    bool IsEmpty() const { return Header.isEmpty() && Text.isEmpty() && Footer.isEmpty(); }
};
QString ScreenTipHtml(const TScreenTip& tip, const QKeySequence& shortcut = {});

// One command of the ribbon. A command may be shown at several places at once (a ribbon
// group, the quick access toolbar, the application menu); every place is a button bound to it,
// so caption, enabled and checked state stay in step everywhere.
class RibbonCommand : public QAction {
    Q_OBJECT
public:
    explicit RibbonCommand(const QString& caption, QObject* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);
    // The hint is the plain tooltip, used when there is no screen tip; empty means the caption.
    QString Hint() const { return FHint; }
    void SetHint(const QString& hint);
    // Shown under the caption in the application menu.
    QString Description() const { return FDescription; }
    void SetDescription(const QString& description);
    TScreenTip ScreenTip() const { return FScreenTip; }
    void SetScreenTip(const TScreenTip& tip);
    void SetShortCut(const QKeySequence& key);

    // Check-style commands: Down is the checked state. Commands with the same non-zero group
    // index under the same parent form an exclusive group: pressing one releases the others.
    void SetCheckStyle(bool checkStyle) { setCheckable(checkStyle); }
    bool Down() const { return isChecked(); }
    void SetDown(bool down);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int groupIndex);

    // The text the tooltip shows now: the screen tip's HTML, else the hint, else the caption.
    QString ToolTipText() const;

private:
    void RefreshToolTip();

    QString FHint;
    QString FDescription;
    TScreenTip FScreenTip;
    int FGroupIndex = 0;
};

// A button bound to a command. Large: 32 px picture above the caption (wrapped on two lines);
// small: 16 px picture beside the caption; IconOnly: the quick access toolbar's look.
class RibbonButton : public QToolButton {
    Q_OBJECT
public:
    enum class TSize { Large, Small, IconOnly };
    RibbonButton(RibbonCommand* command, TSize size, QWidget* parent = nullptr);
    RibbonCommand* Command() const { return FCommand; }
    TSize Size() const { return FSize; }
    // A group that runs short of room shows its buttons smaller.
    void SetSize(TSize size);
    static QString WrapCaption(const QString& caption);
    // A button never lays out narrower than its caption needs.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void actionEvent(QActionEvent* event) override;
    void checkStateSet() override;

private:
    void ApplySize();
    void SyncText();
    RibbonCommand* FCommand;
    TSize FSize;
};

// A caption followed by a one-line text field.
class RibbonEditItem : public QWidget {
    Q_OBJECT
public:
    RibbonEditItem(const QString& caption, int editWidth, QWidget* parent = nullptr);
    QString Caption() const;
    void SetCaption(const QString& caption);
    QString Text() const;
    void SetText(const QString& text);
    void SetHint(const QString& hint);
    void SetScreenTip(const TScreenTip& tip);
    void SetEditWidth(int width);
    QLineEdit* Edit() const { return FEdit; }
    QLabel* CaptionLabel() const { return FCaption; }
    std::function<void()> OnChange;

private:
    QLabel* FCaption;
    QLineEdit* FEdit;
};

// A captioned group of items on a ribbon tab. Items flow in columns: a large button takes a
// column of its own, small items stack three to a column; `beginGroup` draws a separator
// before the item and `newColumn` starts a fresh column.
//
// Short of room, a group is reduced rather than cut: at reduction 1 its large buttons become
// small ones with their captions, stacked like the small items; at reduction 2 every button
// shows its picture only (the caption stays its tooltip and accessible name). The group's own
// caption never widens it beyond what its items need: it is cut with "…" first.
class RibbonGroup : public QFrame {
    Q_OBJECT
public:
    explicit RibbonGroup(const QString& caption, QWidget* parent = nullptr);
    QString Caption() const;
    void SetCaption(const QString& caption);
    RibbonButton* AddLargeButton(RibbonCommand* command, bool beginGroup = false);
    RibbonButton* AddSmallButton(RibbonCommand* command, bool beginGroup = false,
                                 bool newColumn = false);
    RibbonEditItem* AddEditItem(const QString& caption, int editWidth, bool beginGroup = false,
                                bool newColumn = false);
    void AddItem(QWidget* item, bool large, bool beginGroup, bool newColumn);
    QList<RibbonButton*> Buttons() const;
    static constexpr int MaxReduction = 2;
    int Reduction() const { return FReduction; }
    void SetReduction(int reduction);

private:
    struct TItem {
        QWidget* Widget;
        bool Large, BeginGroup, NewColumn;
    };
    void Place(const TItem& item);
    void Relayout();

    ElidedLabel* FCaption;
    QHBoxLayout* FColumns;
    QVBoxLayout* FCurrentColumn = nullptr;
    int FCurrentColumnCount = 0;
    QList<TItem> FItems;
    int FReduction = 0;
};

// One tab page of the ribbon: groups side by side. When the page is narrower than its groups
// need, groups are reduced from the right; room to spare goes to the last group.
class RibbonTab : public QWidget {
    Q_OBJECT
public:
    explicit RibbonTab(QWidget* parent = nullptr);
    RibbonGroup* AddGroup(const QString& caption);
    void AddGroup(RibbonGroup* group);
    void ClearGroups();
    QList<RibbonGroup*> Groups() const;
    // Reduces the groups just as far as the page's width asks.
    void FitGroups();
    // Fits the groups once the events in hand are handled.
    void RequestFit();
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QHBoxLayout* FLayout;
    bool FFitting = false;
    bool FFitRequested = false;
};

// The quick access toolbar: small picture-only buttons and a customise menu.
class QuickAccessToolbar : public QFrame {
    Q_OBJECT
public:
    explicit QuickAccessToolbar(QWidget* parent = nullptr);
    RibbonButton* AddCommand(RibbonCommand* command);
    void RemoveCommand(RibbonCommand* command);
    void Clear();
    bool Contains(RibbonCommand* command) const;
    QList<RibbonCommand*> Commands() const;
    QToolButton* CustomizeButton() const { return FCustomize; }
    void SetArrowColor(const QColor& color);

protected:
    void changeEvent(QEvent* event) override;

private:
    void TranslateChrome();
    QHBoxLayout* FLayout;
    QToolButton* FCustomize;
};

// The pop-up of the application button: command items with caption and description on the
// left, recently used files on the right, most recent first.
class ApplicationMenu : public QFrame {
    Q_OBJECT
public:
    explicit ApplicationMenu(QWidget* parent = nullptr);
    void AddCommand(RibbonCommand* command);
    void AddSeparator();
    void ClearCommands();
    QList<RibbonCommand*> Commands() const;
    QString RecentCaption() const;
    void SetRecentCaption(const QString& caption);
    QStringList RecentFiles() const { return FRecentFiles; }
    void SetRecentFiles(const QStringList& files);
    // Puts the file first; a file already listed moves up; the list keeps MaxRecentFiles.
    void AddRecentFile(const QString& fileName);
    void SetMaxRecentFiles(int count);
    int MaxRecentFiles() const { return FMaxRecent; }
    QList<QAbstractButton*> RecentFileButtons() const;
    std::function<void(const QString&)> OnRecentFileClick;
    void Popup(const QPoint& globalPos);

protected:
    void changeEvent(QEvent* event) override;

private:
    void TranslateChrome();
    void RebuildRecent();
    QVBoxLayout* FItems;
    QVBoxLayout* FRecent;
    QLabel* FRecentTitle;
    QList<RibbonCommand*> FCommands;
    QStringList FRecentFiles;
    int FMaxRecent = 9;
    // Set by the owner; otherwise the title is the menu's own and follows the language.
    bool FRecentCaptionGiven = false;
};

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
    QToolButton* HelpButton() const { return FHelpButton; }
    void SetHelpScreenTip(const TScreenTip& tip);
    std::function<void()> OnHelpClick;

    QString ColorSchemeName() const { return FScheme; }
    void SetColorSchemeName(const QString& name);
    const TColorScheme& ColorScheme() const;

    bool SupportNonClientDrawing() const { return FFormMode; }
    void SetSupportNonClientDrawing(bool on);
    QWidget* CaptionBar() const { return FCaptionBar; }
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

    // Raised after the ribbon changed its own size or layout (toolbar moved, minimised).
    std::function<void()> OnResize;
    std::function<void()> OnColorSchemeChanged;

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
    void ShowAppMenu();
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
    QToolButton* FAppButton;
    QTabBar* FTabs;
    QToolButton* FHelpButton;
    QStackedWidget* FPages;
    QuickAccessToolbar* FQat;
    ApplicationMenu* FAppMenu;
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
};

} // namespace lumotrix
