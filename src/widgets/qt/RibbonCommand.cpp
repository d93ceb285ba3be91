#include "widgets/qt/RibbonCommand.h"

#include <QActionGroup>

namespace lumotrix {

QString ScreenTipHtml(const TScreenTip& tip, const QKeySequence& shortcut) {
    QString html = QStringLiteral("<div style=\"min-width: 180px\">");
    QString header = tip.Header.toHtmlEscaped();
    if (!shortcut.isEmpty())
        header += QStringLiteral(" (%1)").arg(shortcut.toString(QKeySequence::NativeText));
    if (!header.isEmpty())
        html += QStringLiteral("<b>%1</b>").arg(header);
    if (!tip.Text.isEmpty())
        html +=
            QStringLiteral("<p style=\"margin-left: 8px\">%1</p>").arg(tip.Text.toHtmlEscaped());
    if (!tip.Footer.isEmpty())
        html += QStringLiteral("<hr/><p><i>%1</i></p>").arg(tip.Footer.toHtmlEscaped());
    return html + QStringLiteral("</div>");
}

RibbonCommand::RibbonCommand(const QString& caption, QObject* parent) : QAction(caption, parent) {
    setShortcutContext(Qt::WindowShortcut);
    RefreshToolTip();
}

void RibbonCommand::SetCaption(const QString& caption) {
    setText(caption);
    setIconText(caption);
    RefreshToolTip();
}

void RibbonCommand::SetHint(const QString& hint) {
    FHint = hint;
    RefreshToolTip();
}

void RibbonCommand::SetDescription(const QString& description) {
    FDescription = description;
    setStatusTip(description);
    RefreshToolTip();
}

void RibbonCommand::SetScreenTip(const TScreenTip& tip) {
    FScreenTip = tip;
    RefreshToolTip();
}

void RibbonCommand::SetShortCut(const QKeySequence& key) {
    setShortcut(key);
    RefreshToolTip();
}

void RibbonCommand::SetDown(bool down) {
    if (!isCheckable())
        setCheckable(true);
    setChecked(down);
}

void RibbonCommand::SetGroupIndex(int groupIndex) {
    if (groupIndex == FGroupIndex)
        return;
    if (QActionGroup* old = actionGroup())
        old->removeAction(this);
    FGroupIndex = groupIndex;
    if (groupIndex == 0 || !parent())
        return;
    // The group lives beside its commands, under their common parent, found by name.
    QString name = QStringLiteral("RibbonCommandGroup%1").arg(groupIndex);
    auto* group = parent()->findChild<QActionGroup*>(name, Qt::FindDirectChildrenOnly);
    if (!group) {
        group = new QActionGroup(parent());
        group->setObjectName(name);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    }
    setCheckable(true);
    bool wasDown = isChecked();
    group->addAction(this);
    if (wasDown)
        setChecked(true);
}

QString RibbonCommand::ToolTipText() const {
    if (!FScreenTip.IsEmpty())
        return ScreenTipHtml(FScreenTip, shortcut());
    QString hint = FHint.isEmpty() ? text() : FHint;
    if (!shortcut().isEmpty())
        hint += QStringLiteral(" (%1)").arg(shortcut().toString(QKeySequence::NativeText));
    return hint;
}

void RibbonCommand::RefreshToolTip() {
    setToolTip(ToolTipText());
}

} // namespace lumotrix
