#include "CatalogueName.h"

#include <algorithm>
#include <cctype>

namespace lumotrix {

namespace {

std::string Upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return out;
}

bool IsLetters(std::string_view text, std::size_t count) {
    return text.size() == count &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isalpha(c); });
}

// Interim: the three-letter codes of the locales whose catalogues are shipped, and a few more.
// The runtime's locale table (locale id -> three-letter code, in enumeration order) replaces
// this list once it lands; only this function needs re-pointing then.
std::string ThreeLetterCode(const std::string& language, const std::string& country) {
    struct TKnown {
        const char* Locale;
        const char* Code;
    };
    static const TKnown known[] = {
        {"IT_IT", "ITA"}, {"DE_DE", "DEU"}, {"EN_US", "ENU"}, {"EN_GB", "ENG"}, {"FR_FR", "FRA"}};
    const std::string locale = language + '_' + country;
    for (const TKnown& k : known)
        if (locale == k.Locale)
            return k.Code;
    return {};
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
    if (underscore == std::string_view::npos)
        return Upper(language);
    const std::string_view country = name.substr(underscore + 1);
    if (!IsLetters(country, 2)) {
        error = "the catalogue's name is no locale such as de_DE or de: " + std::string(fileName);
        return {};
    }
    std::string code = ThreeLetterCode(Upper(language), Upper(country));
    if (code.empty())
        error = "no three-letter code is known for the locale " + std::string(name) +
                "; name the catalogue by its language alone (" + std::string(language) + ".po)";
    return code;
}

} // namespace lumotrix
