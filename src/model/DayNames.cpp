#include "model/DayNames.h"

#include "runtime/Exception.h"

namespace lumotrix {

const std::array<AnsiString, DayNameCount>& StandardDayNames() {
    // Written as bytes: the "ì" must be the single byte 0xEC whatever the source encoding.
    static const std::array<AnsiString, DayNameCount> names = {
        AnsiString("Luned\xEC"),  AnsiString("Marted\xEC"),    AnsiString("Mercoled\xEC"),
        AnsiString("Gioved\xEC"), AnsiString("Venerd\xEC"),    AnsiString("Sabato"),
        AnsiString("Domenica"),   AnsiString("Tutti i giorni")};
    return names;
}

void TDayNames::Fill() {
    FNames = StandardDayNames();
    FFilled = true;
}

const AnsiString& TDayNames::operator[](int index) const {
    if (!IsValidIndex(index))
        throw ERangeError(DeveloperText(
            QStringLiteral("Day index %1 is outside 1 to %2").arg(index).arg(DayNameCount)));
    return FNames[static_cast<std::size_t>(index - 1)];
}

int TDayNames::IndexOf(const AnsiString& text) const {
    if (!FFilled)
        return 0;
    for (int i = 0; i < DayNameCount; ++i)
        if (FNames[static_cast<std::size_t>(i)] == text)
            return i + 1;
    return 0;
}

int TDayNames::CodeOf(const AnsiString& text) const {
    const int index = IndexOf(text);
    return index == 0 ? NoDayCode : index - 1;
}

} // namespace lumotrix
