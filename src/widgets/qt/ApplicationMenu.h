#pragma once

#include "widgets/qt/RibbonCommand.h"

#include <QFrame>
#include <QStringList>

class QAbstractButton;
class QLabel;
class QToolButton;
class QVBoxLayout;

namespace lumotrix {

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
    // The buttons of the commands, in order; each has its command as default action.
    QList<QToolButton*> CommandButtons() const;
    void Popup(const QPoint& globalPos);

signals:
    void recentFileClicked(const QString& fileName);

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

} // namespace lumotrix
