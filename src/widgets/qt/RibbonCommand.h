#pragma once

#include <QAction>
#include <QKeySequence>
#include <QString>

namespace lumotrix {

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

    // The string-table message holding the command's key tip (0: none).
    quint16 KeyTipId() const { return FKeyTipId; }
    void SetKeyTipId(quint16 id) { FKeyTipId = id; }

private:
    void RefreshToolTip();

    QString FHint;
    QString FDescription;
    TScreenTip FScreenTip;
    int FGroupIndex = 0;
    quint16 FKeyTipId = 0;
};

} // namespace lumotrix
