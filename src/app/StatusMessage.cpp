#include "app/StatusMessage.h"

#include "runtime/Exception.h"
#include "widgets/StatusBar.h"

#include <QLabel>

namespace lumotrix {

TStatusMessage::TStatusMessage(TStatusBar& bar) {
    TStatusPanels* panels = bar.Panels();
    for (int i = 0; i < panels->Count() && !FPanel; ++i) {
        TStatusPanel* panel = panels->Panel(i);
        // The narrow empty panels only space the LEDs apart.
        if (!panel->Control() && !panel->Bar() && panel->Width() == 0)
            FPanel = panel;
    }
    if (!FPanel)
        throw Exception(DeveloperText(QStringLiteral("No status panel for messages")));
    FTimer.setSingleShot(true);
    FTimer.setInterval(ShowMilliseconds);
    QObject::connect(&FTimer, &QTimer::timeout, &FTimer, [this] { Put(std::nullopt); });
}

void TStatusMessage::Show(const TMessage& message) {
    Put(message);
    FTimer.start();
}

void TStatusMessage::ShowLasting(const TMessage& message) {
    FTimer.stop();
    Put(message);
}

void TStatusMessage::Clear() {
    FTimer.stop();
    Put(std::nullopt);
}

void TStatusMessage::Retranslate() {
    Put(FMessage);
}

QString TStatusMessage::Text() const {
    return FPanel->Text();
}

QWidget* TStatusMessage::Widget() const {
    return FPanel->Label();
}

void TStatusMessage::Put(const std::optional<TMessage>& message) {
    FMessage = message;
    FPanel->SetText(message ? MessageText(*message) : QString());
}

} // namespace lumotrix
