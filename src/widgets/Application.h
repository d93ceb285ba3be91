#pragma once

#include <QApplication>
#include <QList>
#include <QPointer>
#include <functional>

namespace lumotrix {

class Exception;

// The application object. Every event the loop delivers passes through notify(), which
// catches the program's exceptions: the message is shown in a message box captioned with the
// application title and the window stays usable. Code entered from elsewhere (a timer, a
// callback) uses Guarded() for the same effect.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    ~Application() override;

    static Application* Instance();

    QString Title() const { return FTitle; }
    void SetTitle(const QString& title);

    // Shows the exception's message (caption: the title) through MessageBoxes().
    void ShowException(const Exception& error);
    bool notify(QObject* receiver, QEvent* event) override;

    // Ends the program at once: the event loop quits after the current handler.
    void Terminate();

private:
    QString FTitle;
};

// The application title wherever there is an application object, else an empty text.
QString ApplicationTitle();
// Shows the message of an exception as the top-level handler does; works without an
// Application instance (caption: ApplicationTitle()).
void ShowException(const Exception& error);
// Runs `fn`, reporting an Exception it raises instead of letting it escape. Returns true
// when `fn` completed.
bool Guarded(const std::function<void()>& fn);
// Wraps an event handler for connecting to a Qt signal, so that an exception it raises is
// reported right there and never unwinds through Qt's own frames.
template <typename Fn> auto GuardedHandler(Fn fn) {
    return [fn = std::move(fn)](auto&&... args) {
        Guarded([&] { fn(std::forward<decltype(args)>(args)...); });
    };
}

// The screen: the program's open forms, in the order they were created.
class Screen {
public:
    static Screen& Instance();
    void AddForm(QWidget* form);
    void RemoveForm(QWidget* form);
    int FormCount() const;
    QWidget* Form(int index) const;
    QList<QWidget*> Forms() const;

private:
    QList<QPointer<QWidget>> FForms;
};

} // namespace lumotrix
