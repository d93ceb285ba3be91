#include "widgets/ToolkitTranslations.h"

#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>
#include <QWidget>

namespace lumotrix {

namespace {

QPointer<QTranslator>& Installed() {
    static QPointer<QTranslator> translator;
    return translator;
}

// The toolkit's installation first; then a folder beside the program, where a build that
// ships its own copy of the catalogues puts them.
QStringList CatalogueFolders() {
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
            QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
}

} // namespace

bool LoadToolkitTranslations(const QString& locale) {
    auto* app = QCoreApplication::instance();
    if (!app)
        return false;
    if (QTranslator* old = Installed()) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    if (locale.isEmpty())
        return false;
    // QLocale("xx") falls back to C: that would pick whatever catalogue matches the system.
    const QLocale language(locale);
    if (language.language() == QLocale::C)
        return false;
    auto* translator = new QTranslator(app);
    for (const QString& folder : CatalogueFolders()) {
        if (translator->load(language, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            Installed() = translator;
            return true;
        }
    }
    delete translator;
    return false;
}

void AnnounceLanguageChange() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    // A widget passes the event on to its children; popups and dialogs are windows of their own.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window, &change);
    }
}

} // namespace lumotrix
