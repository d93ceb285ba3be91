#include "widgets/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace lumotrix {

namespace {

struct TButtonMap {
    TMsgButton Ours;
    QMessageBox::StandardButton Qt;
};
constexpr TButtonMap ButtonMap[] = {
    {TMsgButton::Ok, QMessageBox::Ok},         {TMsgButton::Cancel, QMessageBox::Cancel},
    {TMsgButton::Yes, QMessageBox::Yes},       {TMsgButton::No, QMessageBox::No},
    {TMsgButton::Abort, QMessageBox::Abort},   {TMsgButton::Retry, QMessageBox::Retry},
    {TMsgButton::Ignore, QMessageBox::Ignore},
};

bool Has(TMsgButtons buttons, TMsgButton button) {
    return (buttons & static_cast<unsigned>(button)) != 0;
}

std::unique_ptr<IMessageBoxes>& BoxesSlot() {
    static std::unique_ptr<IMessageBoxes> slot;
    return slot;
}

std::unique_ptr<IFileDialogs>& FilesSlot() {
    static std::unique_ptr<IFileDialogs> slot;
    return slot;
}

QWidget* DialogParent() {
    QWidget* parent = QApplication::activeModalWidget();
    return parent ? parent : QApplication::activeWindow();
}

} // namespace

TMsgButton QtMessageBoxes::Ask(const QString& text, const QString& caption, TMsgButtons buttons,
                               TMsgIcon icon, TMsgButton defaultButton) {
    if (buttons == 0)
        buttons = static_cast<unsigned>(TMsgButton::Ok);
    QMessageBox box(DialogParent());
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case TMsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case TMsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case TMsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case TMsgIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case TMsgIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    QMessageBox::StandardButtons standard;
    for (const TButtonMap& map : ButtonMap)
        if (Has(buttons, map.Ours))
            standard |= map.Qt;
    box.setStandardButtons(standard);
    for (const TButtonMap& map : ButtonMap)
        if (map.Ours == defaultButton && Has(buttons, map.Ours))
            box.setDefaultButton(map.Qt);
    int result = box.exec();
    for (const TButtonMap& map : ButtonMap)
        if (result == map.Qt)
            return map.Ours;
    return Has(buttons, TMsgButton::Cancel) ? TMsgButton::Cancel : defaultButton;
}

bool QtFileDialogs::GetOpenFileName(const QString& caption, const QString& directory,
                                    const QString& filter, QString& fileName) {
    QString chosen = QFileDialog::getOpenFileName(DialogParent(), caption, directory, filter);
    if (chosen.isEmpty())
        return false;
    fileName = chosen;
    return true;
}

bool QtFileDialogs::GetSaveFileName(const QString& caption, const QString& directory,
                                    const QString& filter, const QString& defaultSuffix,
                                    QString& fileName) {
    QFileDialog dialog(DialogParent(), caption, directory, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    fileName = dialog.selectedFiles().constFirst();
    return true;
}

IMessageBoxes& MessageBoxes() {
    if (!BoxesSlot())
        BoxesSlot() = std::make_unique<QtMessageBoxes>();
    return *BoxesSlot();
}

void SetMessageBoxes(std::unique_ptr<IMessageBoxes> boxes) {
    BoxesSlot() = std::move(boxes);
}

IFileDialogs& FileDialogs() {
    if (!FilesSlot())
        FilesSlot() = std::make_unique<QtFileDialogs>();
    return *FilesSlot();
}

void SetFileDialogs(std::unique_ptr<IFileDialogs> dialogs) {
    FilesSlot() = std::move(dialogs);
}

} // namespace lumotrix
