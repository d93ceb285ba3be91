#include "CatalogueName.h"

#include "runtime/Locales.h"

#include <QStringList>

#include <algorithm>
#include <cctype>

namespace lumotrix {

namespace {

bool IsLetters(std::string_view text, std::size_t count) {
    return text.size() == count &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isalpha(c); });
}

// The locale table is the runtime's: the catalogue names the locale the way the environment
// does (de_DE), and the locale's abbreviated language name is the file's code. A locale the
// table lacks gives nothing rather than another country's code.
std::string ThreeLetterCode(std::string_view language, std::string_view country) {
    const QString name = QString::fromLatin1(language.data(), qsizetype(language.size())) + u'_' +
                         QString::fromLatin1(country.data(), qsizetype(country.size()));
    const TLocaleId locale = LocaleOfPosixName(name);
    const QStringList parts = IcuLocaleName(locale).split(u'_');
    if (locale == 0 || parts.size() < 2 ||
        name.compare(parts.first() + u'_' + parts.last(), Qt::CaseInsensitive) != 0)
        return {};
    return GetLocaleStr(locale, LOCALE_SABBREVLANGNAME, QString()).toStdString();
}

// The language alone: its default locale's code without the letter that names the country
// (ja -> JPN -> JP, not the ISO letters).
std::string TwoLetterCode(std::string_view language) {
    const QString name = QString::fromLatin1(language.data(), qsizetype(language.size()));
    const TLocaleId locale = LocaleOfPosixName(name);
    if (locale == 0 ||
        IcuLocaleName(locale).section(u'_', 0, 0).compare(name, Qt::CaseInsensitive) != 0)
        return {};
    return GetLocaleStr(locale, LOCALE_SABBREVLANGNAME, QString()).chopped(1).toStdString();
}

} // namespace

std::string ResourceCodeOfCatalogue(std::string_view fileName, std::string& error) {
    std::string_view name = fileName;
    if (const std::size_t slash = name.find_last_of("/\\"); slash != std::string_view::npos)
        name.remove_prefix(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos)
        name = name.substr(0, dot);

    const std::size_t underscore = name.find('_');
    const std::string_view language = name.substr(0, underscore);
    if (!IsLetters(language, 2)) {
        error = "the catalogue's name is no locale such as de_DE or de: " + std::string(fileName);
        return {};
    }
    if (underscore == std::string_view::npos) {
        std::string code = TwoLetterCode(language);
        if (code.empty())
            error = "no locale is known for the language " + std::string(language);
        return code;
    }
    const std::string_view country = name.substr(underscore + 1);
    if (!IsLetters(country, 2)) {
        error = "the catalogue's name is no locale such as de_DE or de: " + std::string(fileName);
        return {};
    }
    std::string code = ThreeLetterCode(language, country);
    if (code.empty())
        error = "no three-letter code is known for the locale " + std::string(name) +
                "; name the catalogue by its language alone (" + std::string(language) + ".po)";
    return code;
}

} // namespace lumotrix
