#pragma once

#include "runtime/Message.h"

#include <QTimer>
#include <optional>

namespace lumotrix {

class TStatusBar;
class TStatusPanel;

// The status bar's message panel: what the last command did, for a few seconds, or what the
// window waits for, for as long as it waits. Assistive tools read the panel by its name, which
// is its text, and are told when it changes.
class TStatusMessage {
public:
    static constexpr int ShowMilliseconds = 5000;

    // The bar's first empty text panel that takes the remaining room.
    explicit TStatusMessage(TStatusBar& bar);

    // Shown for ShowMilliseconds.
    void Show(const TMessage& message);
    // Shown until another message or Clear.
    void ShowLasting(const TMessage& message);
    void Clear();
    // The message shown, in the language now in force.
    void Retranslate();

    QString Text() const;
    // The panel's widget, as assistive tools meet it.
    QWidget* Widget() const;
    // What takes a message away again.
    QTimer& Timer() { return FTimer; }

private:
    void Put(const std::optional<TMessage>& message);

    TStatusPanel* FPanel = nullptr;
    std::optional<TMessage> FMessage;
    QTimer FTimer;
};

} // namespace lumotrix
