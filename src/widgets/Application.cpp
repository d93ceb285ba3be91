#include "widgets/Application.h"

#include "runtime/Exception.h"
#include "widgets/Dialogs.h"
#include "widgets/qt/WidgetMessageIds.h"

#include <QWidget>

namespace lumotrix {

namespace {
QString& TitleSlot() {
    static QString title;
    return title;
}
} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

Application::~Application() = default;

Application* Application::Instance() {
    return qobject_cast<Application*>(QCoreApplication::instance());
}

void Application::SetTitle(const QString& title) {
    FTitle = title;
    TitleSlot() = title;
    setApplicationDisplayName(title);
}

void Application::ShowException(const Exception& error) {
    lumotrix::ShowException(error);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const Exception& error) {
        ShowException(error);
    } catch (const std::bad_alloc&) {
        ShowException(Exception(TMessage(msgOutOfMemory)));
    } catch (const std::exception& error) {
        // Not one of ours, but the window must survive it just the same.
        ShowException(Exception(QString::fromLocal8Bit(error.what())));
    }
    return false;
}

void Application::Terminate() {
    QCoreApplication::exit(0);
}

QString ApplicationTitle() {
    if (Application* app = Application::Instance())
        return app->Title();
    return TitleSlot();
}

void ShowException(const Exception& error) {
    MessageBoxes().Ask(error.Message(), ApplicationTitle(), static_cast<unsigned>(TMsgButton::Ok),
                       TMsgIcon::Error, TMsgButton::Ok);
}

bool Guarded(const std::function<void()>& fn) {
    try {
        fn();
        return true;
    } catch (const Exception& error) {
        ShowException(error);
    } catch (const std::exception& error) {
        ShowException(Exception(QString::fromLocal8Bit(error.what())));
    }
    return false;
}

Screen& Screen::Instance() {
    static Screen screen;
    return screen;
}

void Screen::AddForm(QWidget* form) {
    if (form && !Forms().contains(form))
        FForms.append(form);
}

void Screen::RemoveForm(QWidget* form) {
    FForms.removeIf([form](const QPointer<QWidget>& f) { return f.isNull() || f == form; });
}

int Screen::FormCount() const {
    return static_cast<int>(Forms().size());
}

QWidget* Screen::Form(int index) const {
    QList<QWidget*> forms = Forms();
    if (index < 0 || index >= forms.size())
        throw ERangeError(DeveloperText(QStringLiteral("No form %1").arg(index)));
    return forms[index];
}

QList<QWidget*> Screen::Forms() const {
    QList<QWidget*> forms;
    for (const QPointer<QWidget>& form : FForms)
        if (form)
            forms.append(form);
    return forms;
}

} // namespace lumotrix
