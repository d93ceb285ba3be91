#pragma once

#include <string>
#include <string_view>

namespace lumotrix {

// The resource-file extension a translation catalogue gives, from the catalogue's file name:
// "de_DE.po" -> "DEU" (the locale's three-letter code), "de.po" -> "DE" (the language alone,
// the three-letter code of its default locale without the last letter: "ja.po" -> "JP").
// Empty when the name is no locale or the runtime's locale table has none for it; `error` then
// says why.
std::string ResourceCodeOfCatalogue(std::string_view fileName, std::string& error);

} // namespace lumotrix
