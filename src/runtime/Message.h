#pragma once

#include <QList>
#include <QString>
#include <concepts>
#include <memory>

namespace lumotrix {

struct TMessage;

// One argument of a message: a text shown as it is (a file name, a value the user typed), a
// number, or a message of its own (the reason inside "cannot write %1: %2").
class TMessageArg {
public:
    TMessageArg(QString text) : FText(std::move(text)) {}
    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char>) TMessageArg(T number)
        : FText(QString::number(number)) {}
    TMessageArg(double number) : FText(QString::number(number)) {}
    TMessageArg(TMessage message);

    const QString& Text() const { return FText; }
    const TMessage* Message() const { return FMessage.get(); }

private:
    QString FText;
    std::shared_ptr<const TMessage> FMessage;
};

// A message a user may see, kept as its string-table id and its arguments, so that it is put
// into words only where it is shown: by the window in the language in force, by the
// command-line tool in its own English. The text for an id holds %1, %2 ... for the arguments.
struct TMessage {
    TMessage() = default;
    TMessage(quint16 id, QList<TMessageArg> args = {}) : Id(id), Args(std::move(args)) {}

    quint16 Id = 0;
    QList<TMessageArg> Args;
};

// Where the texts for the ids come from. By default the string table in force (the program's
// own, or the loaded translation's); a program without that table installs its own.
using TMessageTexts = QString (*)(quint16 id);
void SetMessageTexts(TMessageTexts texts);
// The string table's texts: the table in force, and the program's own for when reading the one
// in force fails. The module list, which holds both, installs them.
void SetStringTableTexts(TMessageTexts inForce, TMessageTexts builtIn);

// The message in words. An id without a text still shows its number and arguments, so that
// nothing the user should read is lost.
QString MessageText(const TMessage& message);

// Puts `args` into %1 ... %99 of `pattern` in one pass: a file name holding "%2" stays as it is.
QString FillArguments(const QString& pattern, const QStringList& args);

} // namespace lumotrix
