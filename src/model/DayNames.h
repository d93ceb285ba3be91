#pragma once

// The eight day texts shared by the timer grid, the controller link and start-up. They are
// fixed literals, never translated; the controller knows a day only by its code, index - 1.

#include "runtime/CodePage.h"

#include <array>

namespace lumotrix {

constexpr int DayNameCount = 8;
constexpr int NoDayCode = 8; // the code sent for a text that is none of the eight

// "Lunedì" .. "Domenica", "Tutti i giorni" as Windows-1252 bytes, in index order.
const std::array<AnsiString, DayNameCount>& StandardDayNames();

class TDayNames {
public:
    // Empty until filled, as before the main window has been created.
    void Fill();
    bool IsFilled() const { return FFilled; }

    // Index 1..8; ERangeError otherwise.
    const AnsiString& operator[](int index) const;
    static bool IsValidIndex(int index) { return index >= 1 && index <= DayNameCount; }
    // Exact, case-sensitive; 1..8, or 0 when the text is none of the eight.
    int IndexOf(const AnsiString& text) const;
    // Controller day code of a text: index - 1, or NoDayCode.
    int CodeOf(const AnsiString& text) const;
    // Text of a controller day code 0..7; ERangeError otherwise.
    const AnsiString& TextOfCode(int code) const { return (*this)[code + 1]; }

private:
    std::array<AnsiString, DayNameCount> FNames;
    bool FFilled = false;
};

} // namespace lumotrix
