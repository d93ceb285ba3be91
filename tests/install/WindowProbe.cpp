// A Qt generic plugin that the install test loads into the installed program (through
// QT_PLUGIN_PATH and QT_QPA_GENERIC_PLUGINS), so that the program is checked as it is installed,
// with no test hook of its own. When a top-level window has painted for the first time it
// prints, on standard output, the window and the names the window exposes to accessibility
// tools, then ends the program with exit status 0.
//     window<TAB>title<TAB>width x height
//     name<TAB>accessible name     (one line each, in tree order)

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

void PrintNames(QAccessibleInterface* node, int depth) {
    if (!node || depth > 64)
        return;
    const QString name = node->text(QAccessible::Name).simplified();
    if (!name.isEmpty() && !node->state().invisible)
        std::printf("name\t%s\n", name.toUtf8().constData());
    for (int i = 0; i < node->childCount(); ++i)
        PrintNames(node->child(i), depth + 1);
}

class TWindowProbe : public QObject {
public:
    // Unparented: the application deletes the generic plugins' objects itself.
    TWindowProbe() { QCoreApplication::instance()->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || FReported)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !widget->isWindow() || !widget->isVisible())
            return false;
        FReported = true;
        // Reported after the paint, once the events it posted have run.
        QTimer::singleShot(0, this, [widget] {
            std::printf("window\t%s\t%dx%d\n", widget->windowTitle().toUtf8().constData(),
                        widget->width(), widget->height());
            PrintNames(QAccessible::queryAccessibleInterface(widget), 0);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
        return false;
    }

private:
    bool FReported = false;
};

} // namespace

class TWindowProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "WindowProbe.json")

public:
    QObject* create(const QString& key, const QString&) override {
        return key == QLatin1String("lumotrixprobe") ? new TWindowProbe : nullptr;
    }
};

#include "WindowProbe.moc"
