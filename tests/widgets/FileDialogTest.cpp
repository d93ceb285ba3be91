#include "support/PrintQString.h"
#include "support/TestApplication.h"
#include "widgets/Dialogs.h"
#include "widgets/FileDialogComponents.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QListView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// The file names the toolkit's own dialog lists in `folder` under `filter`.
QStringList Listed(const QString& folder, const QString& filter, QString* filterShown) {
    QFileDialog dialog(nullptr, QString(), folder, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* model = dialog.findChild<QFileSystemModel*>();
    auto* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
    if (!model || !list)
        return {QStringLiteral("<no list>")};
    QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
    dialog.show();
    loaded.wait(3000);
    QTest::qWait(50);
    if (auto* filters = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        *filterShown = filters->currentText();
    QStringList names;
    for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
        names << list->model()->index(row, 0, list->rootIndex()).data().toString();
    names.sort();
    return names;
}

} // namespace

TEST(FileDialogFilter, ShowsItsTextOnceAndMatchesEitherCase) {
    test::App();
    QTemporaryDir folder;
    for (const char* name : {"acquario.tmr", "VASCA.TMR", "note.txt", "Pacquario"})
        Touch(folder.filePath(QString::fromLatin1(name)));
    const QString filter = TOpenDialog::QtFilter(QStringLiteral("Timer File (*.tmr)|*.TMR"));
    QString shown;
    EXPECT_EQ(Listed(folder.path(), filter, &shown),
              (QStringList{QStringLiteral("VASCA.TMR"), QStringLiteral("acquario.tmr")}));
    EXPECT_EQ(shown, QStringLiteral("Timer File (*.tmr)"));
}
