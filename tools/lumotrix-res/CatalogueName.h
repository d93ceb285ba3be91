#pragma once

#include <string>
#include <string_view>

namespace lumotrix {

// The resource-file extension a translation catalogue gives, from the catalogue's file name:
// "de_DE.po" -> "DEU" (the locale's three-letter code), "de.po" -> "DE" (the language alone).
// Empty when the name is no locale or the locale's code is unknown; `error` then says why.
// Plain standard C++, so that the build can ask it at configure time, before anything is built.
std::string ResourceCodeOfCatalogue(std::string_view fileName, std::string& error);

} // namespace lumotrix
