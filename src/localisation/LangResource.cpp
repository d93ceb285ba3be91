#include "localisation/LangResource.h"

#include "localisation/LangCommon.h"
#include "localisation/LangTranslator.h"
#include "runtime/Exception.h"
#include "runtime/FormatSettings.h"
#include "runtime/ModuleList.h"
#include "runtime/Paths.h"
#include "runtime/Registry.h"
#include "runtime/ResourceFile.h"
#include "widgets/ToolkitTranslations.h"

#include <QRegularExpression>

namespace lumotrix {

QString CurrentLanguage;
TLocaleId ResolvedLocale = 0;

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
