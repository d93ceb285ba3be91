// Prints how long rebuilding the format settings takes on a language switch: the first time a
// locale is used (its data read from ICU) and again later. A switch as a whole must stay well
// under 30 ms.

#include "runtime/FormatSettings.h"

#include <chrono>
#include <cstdio>

using namespace lumotrix;

namespace {

double MillisecondsOf(TLocaleId locale) {
    const auto start = std::chrono::steady_clock::now();
    BuildFormatSettings(locale);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main() {
    const TLocaleId locales[] = {0x0410, 0x0407, 0x0409, 0x040C, 0x0411, 0x0401, 0x0419, 0x0804};
    double worstFirst = 0;
    double worstAgain = 0;
    for (TLocaleId locale : locales) {
        const double first = MillisecondsOf(locale);
        const double again = MillisecondsOf(locale);
        worstFirst = std::max(worstFirst, first);
        worstAgain = std::max(worstAgain, again);
        std::printf("BuildFormatSettings 0x%04X: first %.2f ms, again %.3f ms\n", locale, first,
                    again);
    }
    std::printf("worst: first %.2f ms, again %.3f ms (target: under 30 ms)\n", worstFirst,
                worstAgain);
    return 0;
}
