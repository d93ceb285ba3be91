#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <functional>

class QAction;
class QKeyEvent;
class QLabel;
class QWidget;

namespace lumotrix {

class RibbonBar;

// The ribbon worked from the keyboard. Alt pressed and released on its own, or F10, puts a
// letter on the application button, on each tab and a number on each quick access button;
// typing one opens that tab or the application menu, whose commands then show theirs, or runs
// the item. Esc goes back a level and out; a click, leaving the window, or Alt or F10 again
// ends it. Alt together with another key stays that key's shortcut.
//
// The letters are string-table messages, so that each language has letters of its own; a
// letter may be longer than one character, typed one after the other.
class RibbonKeyTips : public QObject {
    Q_OBJECT
public:
    enum class TLevel { Off, Root, Tab, AppMenu };

    struct TKeyTip {
        QPointer<QWidget> Target;
        QPoint At;      // where the badge's middle goes, in the target's coordinates
        quint16 Id = 0; // the letter's message; 0 for a number by position
        QString Text;   // what is shown and typed, in the language in force
        bool Enabled = true;
        std::function<void()> Run;
    };

    explicit RibbonKeyTips(RibbonBar* ribbon);
    ~RibbonKeyTips() override;

    TLevel Level() const { return FLevel; }
    // The tab whose commands show their tips, at the tab level.
    int TabIndex() const { return FTab; }
    void Start();
    void Stop();

    // The tips of each level, whether shown or not.
    QList<TKeyTip> RootTips() const;
    QList<TKeyTip> TabTips(int index) const;
    QList<TKeyTip> AppMenuTips() const;
    // The badges on show, with the tips still matching what was typed.
    QList<QLabel*> Badges() const;

signals:
    void levelChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Ours(QObject* watched) const;
    bool KeyPress(QKeyEvent* event);
    void ShowLevel(TLevel level, int tab = -1);
    void Back();
    // Ends the mode from the keyboard, closing the menu or pop-up it opened.
    void Leave();
    void Typed(const QString& text);
    void ShowBadges();
    void ClearBadges();
    // Runs the command as a click would, the mode ended first (it may open a dialog).
    std::function<void()> RunCommand(QAction* command);

    RibbonBar* FRibbon;
    TLevel FLevel = TLevel::Off;
    int FTab = -1;
    // Alt is down and nothing else was pressed since.
    bool FAltAlone = false;
    QString FTyped;
    QList<TKeyTip> FTips;
    QList<QPointer<QLabel>> FBadges;
};

} // namespace lumotrix
