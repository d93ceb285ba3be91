#include "localisation/LangFiles.h"

#include "localisation/LangCommon.h"
#include "localisation/TranslationLimits.h"
#include "runtime/Exception.h"
#include "runtime/FormatSettings.h"
#include "runtime/ModuleList.h"
#include "runtime/Paths.h"
#include "runtime/ResourceFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace lumotrix {

QString ProgramFilePath() {
    return TModuleList::Instance().Head().FileName();
}

bool FileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

// Language files are named by hand: "lumotrix.deu" beside "lumotrix.DEU" on a Windows copy.
QString LanguageFilePath(const QString& path) {
    if (FileExists(path))
        return path;
    const QFileInfo info(path);
    QStringList names = info.dir().entryList(QDir::Files | QDir::Hidden | QDir::System);
    std::sort(names.begin(), names.end());
    for (const QString& name : std::as_const(names))
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return info.dir().filePath(name);
    return {};
}

QString TranslationsFolderPath(const QString& path) {
    return GetSpecialFolderPath(CSIDL_PERSONAL) + QStringLiteral("/Translations/") +
           QFileInfo(path).fileName();
}

std::unique_ptr<TResourceFile> OpenResourceFile(const QString& name) {
    const QString path = LanguageFilePath(name);
    if (path.isEmpty())
        return nullptr;
    try {
        auto file = std::make_unique<TResourceFile>(TResourceFile::LoadFromFile(path));
        CheckTranslationBounds(*file);
        return file;
    } catch (const Exception& error) {
        // A damaged or foreign file must not stop the program; the next candidate may serve.
        qWarning("%s is not used: %s", qUtf8Printable(path), qUtf8Printable(error.Message()));
        return nullptr;
    }
}

namespace {

// Appends (code, locale) when the base path's file for the code exists and the filters allow.
void OfferLanguage(TLanguageList& list, const QString& basePath, const QString& code,
                   TLocaleId locale, bool systemCodePageOnly, bool checkDuplicate) {
    if (code.isEmpty() ||
        LanguageFilePath(ChangeFileExt(basePath, QLatin1Char('.') + code)).isEmpty())
        return;
    if (systemCodePageOnly && !UsesSystemCodePage(locale))
        return;
    if (checkDuplicate &&
        std::any_of(list.cbegin(), list.cend(), [&](const auto& e) { return e.Code == code; }))
        return;
    list.append({code, locale});
}

void EnumLanguages(TLanguageList& list, const QString& basePath, bool systemCodePageOnly) {
    EnumSystemLocales([&](TLocaleId locale) {
        const QString abbr = GetLocaleStr(locale, LOCALE_SABBREVLANGNAME, QString());
        OfferLanguage(list, basePath, abbr, locale, systemCodePageOnly, false);
        OfferLanguage(list, basePath, abbr.chopped(abbr.isEmpty() ? 0 : 1),
                      PrimaryLanguageOf(locale), systemCodePageOnly, true);
        return true;
    });
}

} // namespace

int ListAvailableLanguages(TLanguageList& list, const QString& programPath,
                           bool systemCodePageOnly) {
    const QString path = programPath.isEmpty() ? ProgramFilePath() : programPath;
    EnumLanguages(list, path, systemCodePageOnly);
    // The documents folder serves only when nothing at all is installed beside the program.
    if (list.isEmpty())
        EnumLanguages(list, TranslationsFolderPath(path), systemCodePageOnly);
    return list.size();
}

int CountAvailableLanguages(const QString& programPath, bool systemCodePageOnly) {
    TLanguageList list;
    return ListAvailableLanguages(list, programPath, systemCodePageOnly);
}

void RequireResourceFiles() {
    if (CountAvailableLanguages(QString(), false) == 0)
        throw Exception(
            QStringLiteral("In order to change language you must first create resource files."));
}

QString FindResourceLanguage(const QString& path, const QString& code, bool tryShorter) {
    if (code.isEmpty())
        return {};
    if (!LanguageFilePath(ChangeFileExt(path, QLatin1Char('.') + code)).isEmpty())
        return code;
    if (tryShorter || code.size() > 2) {
        const QString shorter = code.chopped(1);
        if (!shorter.isEmpty() &&
            !LanguageFilePath(ChangeFileExt(path, QLatin1Char('.') + shorter)).isEmpty())
            return shorter;
    }
    return {};
}

} // namespace lumotrix
