#include "LanguageFiles.h"

#include "runtime/FormatSettings.h"
#include "runtime/Paths.h"
#include "runtime/ResourceFile.h"
#include "runtime/TextForm.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lumotrix::test {

void LanguageFilesTest::SetUp() {
    FOldHome = qgetenv("HOME");
    FOldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", FHome.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", FHome.filePath(QStringLiteral(".config")).toUtf8());
    QDir().mkpath(ProgramDir());
    QDir().mkpath(TranslationsDir());
    SetUserDefaultLocale(LocaleEnglishUS);
    SetThreadLocale(0);
    CurrentLanguage.clear();
    ResolvedLocale = 0;
}

void LanguageFilesTest::TearDown() {
    for (TModule* module : FModules)
        TModuleList::Instance().RemoveModule(*module);
    TModuleList::Instance().Head().SetResourceFile(nullptr);
    CurrentLanguage.clear();
    SetThreadLocale(0);
    BuildFormatSettings(0);
    qputenv("HOME", FOldHome);
    qputenv("XDG_CONFIG_HOME", FOldConfig);
}

QString LanguageFilesTest::TranslationsDir() const {
    return GetSpecialFolderPath(CSIDL_PERSONAL) + QStringLiteral("/Translations");
}

TModule& LanguageFilesTest::AddModule(const QString& fileName) {
    const QString path = ProgramDir() + QLatin1Char('/') + fileName;
    WriteFile(path, "module");
    TModule& module = TModuleList::Instance().AddModule(path);
    FModules.append(&module);
    return module;
}

void LanguageFilesTest::WriteResourceFile(const QString& path, const QList<TFormText>& forms) {
    TResourceFile file = FormTextResourceFile(forms);
    file.SetString(1, QFileInfo(path).fileName());
    QDir().mkpath(QFileInfo(path).path());
    file.SaveToFile(path);
}

void LanguageFilesTest::WriteFile(const QString& path, const QByteArray& bytes) {
    WriteFileBytes(path, bytes);
}

QString LanguageFilesTest::ProgramTranslation(const QString& code) const {
    const QString name = QFileInfo(TModuleList::Instance().Head().FileName()).fileName();
    return ChangeFileExt(TranslationsDir() + QLatin1Char('/') + name, QLatin1Char('.') + code);
}

QString LanguageFilesTest::InForce(const TModule& module) {
    return module.UsesOwnResources() ? QStringLiteral("own")
                                     : module.ResourceFile()->LoadString(1).value_or(QString());
}

} // namespace lumotrix::test
