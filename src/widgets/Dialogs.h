#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QWidget;

namespace lumotrix {

// Buttons and answers of a message box, as the platform's standard set.
enum class TMsgButton {
    None = 0,
    Ok = 1,
    Cancel = 2,
    Yes = 4,
    No = 8,
    Abort = 16,
    Retry = 32,
    Ignore = 64
};
using TMsgButtons = unsigned;
constexpr TMsgButtons operator|(TMsgButton a, TMsgButton b) {
    return static_cast<unsigned>(a) | static_cast<unsigned>(b);
}
constexpr TMsgButtons operator|(TMsgButtons a, TMsgButton b) {
    return a | static_cast<unsigned>(b);
}
enum class TMsgIcon { None, Information, Question, Warning, Error };

// Questions and notices. The program asks through this interface so that tests can answer.
class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    // Shows `text` with `caption`, the given buttons and icon, `defaultButton` preselected;
    // returns the button chosen (closing the box counts as Cancel when offered, else the
    // default button).
    virtual TMsgButton Ask(const QString& text, const QString& caption, TMsgButtons buttons,
                           TMsgIcon icon, TMsgButton defaultButton) = 0;
    void Show(const QString& text, const QString& caption, TMsgIcon icon = TMsgIcon::None) {
        Ask(text, caption, static_cast<unsigned>(TMsgButton::Ok), icon, TMsgButton::Ok);
    }
};

// File choices. Each returns false when the user cancels, leaving `fileName` untouched.
class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // `filter` in Qt's notation: "Timer (*.tmr);;Tutti i file (*)".
    virtual bool GetOpenFileName(const QString& caption, const QString& directory,
                                 const QString& filter, QString& fileName) = 0;
    // `defaultSuffix` is appended when the user types a name without one.
    virtual bool GetSaveFileName(const QString& caption, const QString& directory,
                                 const QString& filter, const QString& defaultSuffix,
                                 QString& fileName) = 0;
};

class QtMessageBoxes : public IMessageBoxes {
public:
    TMsgButton Ask(const QString& text, const QString& caption, TMsgButtons buttons, TMsgIcon icon,
                   TMsgButton defaultButton) override;
};

class QtFileDialogs : public IFileDialogs {
public:
    bool GetOpenFileName(const QString& caption, const QString& directory, const QString& filter,
                         QString& fileName) override;
    bool GetSaveFileName(const QString& caption, const QString& directory, const QString& filter,
                         const QString& defaultSuffix, QString& fileName) override;
};

// The process-wide dialogs: the Qt ones unless replaced (tests install their own). Setting
// null restores the Qt ones.
IMessageBoxes& MessageBoxes();
void SetMessageBoxes(std::unique_ptr<IMessageBoxes> boxes);
IFileDialogs& FileDialogs();
void SetFileDialogs(std::unique_ptr<IFileDialogs> dialogs);

} // namespace lumotrix
