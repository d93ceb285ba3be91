#include "widgets/qt/Accessibility.h"

#include "widgets/qt/ApplicationMenu.h"
#include "widgets/qt/RibbonBar.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>

namespace lumotrix {

void SetAccessibleNameWithParts(QWidget* widget, const QString& name) {
    widget->setAccessibleName(name);
    if (auto* box = qobject_cast<QComboBox*>(widget)) {
        if (box->lineEdit())
            box->lineEdit()->setAccessibleName(name);
        if (box->view())
            box->view()->setAccessibleName(name);
    }
}

QString NameFromLabel(QString caption) {
    caption.remove(QLatin1Char('&'));
    caption = caption.trimmed();
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption.trimmed();
}

namespace {

RibbonBar* RibbonOf(QObject* object) {
    for (QObject* o = object ? object->parent() : nullptr; o; o = o->parent())
        if (auto* ribbon = qobject_cast<RibbonBar*>(o))
            return ribbon;
    return nullptr;
}

// The application button: a button with a menu, whose one child is that menu.
class AppButtonAccessible : public QAccessibleWidget {
public:
    AppButtonAccessible(QToolButton* button, RibbonBar* ribbon)
        : QAccessibleWidget(button, QAccessible::ButtonMenu), FRibbon(ribbon) {}

    int childCount() const override { return Menu() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 && Menu() ? QAccessible::queryAccessibleInterface(Menu()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && Menu() && child->object() == Menu() ? 0 : -1;
    }
    QStringList actionNames() const override { return {pressAction(), showMenuAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() || action == showMenuAction())
            static_cast<QToolButton*>(widget())->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    // Asked each time: the ribbon makes its menu after the button.
    ApplicationMenu* Menu() const { return FRibbon ? FRibbon->AppMenu() : nullptr; }
    QPointer<RibbonBar> FRibbon;
};

// The menu itself: a pop-up menu whose parent is the button, not the application.
class AppMenuAccessible : public QAccessibleWidget {
public:
    AppMenuAccessible(ApplicationMenu* menu, QToolButton* button)
        : QAccessibleWidget(menu, QAccessible::PopupMenu), FButton(button) {}

    QAccessibleInterface* parent() const override {
        return FButton ? QAccessible::queryAccessibleInterface(FButton)
                       : QAccessibleWidget::parent();
    }

private:
    QPointer<QToolButton> FButton;
};

// A drop-down read by its name and, apart from it, its value. Qt's own reads a drop-down that
// shows a value by that value on this platform, whatever its name.
class ComboAccessible : public QAccessibleWidget {
public:
    explicit ComboAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return Box()->lineEdit() ? Box()->lineEdit()->text() : Box()->currentText();
        const QString text = QAccessibleWidget::text(t);
        // Nothing names it: its value is all there is to tell it by.
        if (t == QAccessible::Name && text.isEmpty())
            return this->text(QAccessible::Value);
        return text;
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = Box()->view() && Box()->view()->isVisible();
        s.editable = Box()->isEditable();
        return s;
    }
    // The pop-up list first, then the field typed into, as Qt's own orders them.
    int childCount() const override { return int(Parts().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> parts = Parts();
        return index >= 0 && index < parts.size()
                   ? QAccessible::queryAccessibleInterface(parts[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? int(Parts().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) {
            if (Box()->view() && Box()->view()->isVisible())
                Box()->hidePopup();
            else
                Box()->showPopup();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }
    QList<QWidget*> Parts() const {
        QList<QWidget*> parts;
        if (Box()->view())
            parts.append(Box()->view());
        if (Box()->lineEdit())
            parts.append(Box()->lineEdit());
        return parts;
    }
};

QAccessibleInterface* WidgetAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("QComboBox"))
        return new ComboAccessible(static_cast<QComboBox*>(object));
    if (className == QLatin1String("lumotrix::ApplicationMenu")) {
        auto* menu = static_cast<ApplicationMenu*>(object);
        if (RibbonBar* ribbon = RibbonOf(menu); ribbon && ribbon->AppMenu() == menu)
            return new AppMenuAccessible(menu, ribbon->AppButton());
    } else if (className == QLatin1String("QToolButton")) {
        if (RibbonBar* ribbon = RibbonOf(object); ribbon && ribbon->AppButton() == object)
            return new AppButtonAccessible(ribbon->AppButton(), ribbon);
    }
    return nullptr;
}

} // namespace

void InstallAccessibles() {
    static const bool installed = [] {
        QAccessible::installFactory(WidgetAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace lumotrix
