#include "localisation/LangResource.h"

#include "localisation/LangCommon.h"
#include "localisation/LangTranslator.h"
#include "localisation/TranslationLimits.h"
#include "runtime/Exception.h"
#include "runtime/FormatSettings.h"
#include "runtime/ModuleList.h"
#include "runtime/Paths.h"
#include "runtime/Registry.h"
#include "runtime/ResourceFile.h"
#include "widgets/ToolkitTranslations.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace lumotrix {

QString CurrentLanguage;
TLocaleId ResolvedLocale = 0;

namespace {

QString ProgramFilePath() {
    return TModuleList::Instance().Head().FileName();
}

bool FileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

// The language file at `path`: that name, else the first name in sorted order that differs
// from it only in letter case (files are named by hand, "lumotrix.deu" beside "lumotrix.DEU"
// on a Windows copy); empty when there is none.
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

// documents/Translations/<file name of path>
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

TLocaleId LocaleOfLanguageCode(const QString& code) {
    if (code.isEmpty())
        return 0;
    ResolvedLocale = FindLanguageCodeLocale(code.startsWith(QLatin1Char('.')) ? code.mid(1) : code);
    return ResolvedLocale;
}

std::unique_ptr<TResourceFile> LoadResourceFile(const QString& moduleFile, const QString& ext) {
    const QString ownName = ChangeFileExt(moduleFile, ext);
    std::unique_ptr<TResourceFile> file = OpenResourceFile(ownName);
    if (!file)
        file = OpenResourceFile(TranslationsFolderPath(ownName));
    if (file)
        CurrentLanguage = ext.mid(1);
    return file;
}

const TResourceFile* LoadResourceModules(const QString& code) {
    const QList<TModule*> modules = TModuleList::Instance().Modules();
    if (code.isEmpty()) {
        for (TModule* module : modules)
            if (!module->UsesOwnResources())
                module->SetResourceFile(nullptr);
        CurrentLanguage.clear();
        return &modules.last()->OwnResources();
    }
    const TResourceFile* first = nullptr;
    for (TModule* module : modules) {
        const QString path = module->FileName();
        if (!FileExists(path))
            continue;
        std::unique_ptr<TResourceFile> file = LoadResourceFile(path, QLatin1Char('.') + code);
        if (!file && code.size() == 3)
            file = LoadResourceFile(path, QLatin1Char('.') + code.left(2));
        if (!file)
            continue;
        if (!first)
            first = file.get();
        module->SetResourceFile(std::move(file));
    }
    return first;
}

namespace {

// The toolkit's catalogue for a locale (0: the built-in Italian).
void LoadToolkitLanguageOf(TLocaleId locale) {
    const TLocaleId specific = locale != 0 ? ResolveLocale(locale) : 0;
    LoadToolkitTranslations(specific != 0 ? IcuLocaleName(specific) : BuiltInLanguage.toLower());
}

} // namespace

bool SwitchLanguage(const QString& code, TSwitchOptions options) {
    if (!LoadResourceModules(code))
        return false;
    const TLocaleId locale = LocaleOfLanguageCode(code);
    if (!options.Contains(KeepThreadLocale))
        SetThreadLocale(locale);
    if (!options.Contains(KeepFormatSettings))
        BuildFormatSettings(locale);
    // The toolkit's texts and the widgets' own wording change before the forms are re-read: a
    // re-translation that fails half-way must not leave the window's chrome in the old language.
    LoadToolkitLanguageOf(locale);
    AnnounceLanguageChange();
    TLangTranslator::TranslateAllForms();
    return true;
}

void LoadToolkitLanguage(const QString& code) {
    LoadToolkitLanguageOf(code.isEmpty() ? 0 : FindLanguageCodeLocale(code));
}

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

QString ReadLanguageOverride(const QString& programPath) {
    const QString path = programPath.isEmpty() ? ProgramFilePath() : programPath;
    if (path.isEmpty())
        return {};
    try {
        TRegistry registry;
        if (registry.OpenKeyReadOnly(LanguageOverrideKey) && registry.ValueExists(path)) {
            // The code becomes part of a file name: a path or wildcard in it must find nothing.
            const QString code = registry.ReadString(path);
            static const QRegularExpression languageCode(QStringLiteral("^[A-Za-z]{2,3}$"));
            if (code.isEmpty() || languageCode.match(code).hasMatch())
                return code;
            qWarning("Language override %s ignored: a language code has 2 or 3 letters",
                     qUtf8Printable(code));
        }
    } catch (const Exception& error) {
        // A damaged store never stops the start: the locale's rule decides instead.
        qWarning("Language override not read: %s", qUtf8Printable(error.Message()));
    }
    return {};
}

void DetectStartupLanguage(const QString& programPath) {
    const QString path = programPath.isEmpty() ? ProgramFilePath() : programPath;
    if (path.isEmpty())
        return;
    CurrentLanguage = FindResourceLanguage(path, ReadLanguageOverride(path), false);
    if (!CurrentLanguage.isEmpty())
        return;
    CurrentLanguage = FindResourceLanguage(path, LanguageCodeOfLocale(GetThreadLocale()), true);
}

void LoadStartupLanguage() {
    if (CurrentLanguage.isEmpty())
        return;
    if (!LoadResourceModules(CurrentLanguage))
        CurrentLanguage.clear();
}

} // namespace lumotrix
