#pragma once

// The numbers of the locale items, below both the locale database and the ICU reader that fills
// its items.

namespace lumotrix {

// The locale items this program reads, under their platform numbers.
enum TLocaleItem : int {
    LOCALE_SABBREVLANGNAME = 0x03,
    LOCALE_SNATIVELANGNAME = 0x04,
    LOCALE_SNATIVECTRYNAME = 0x08,
    LOCALE_SLIST = 0x0C,
    LOCALE_SDECIMAL = 0x0E,
    LOCALE_STHOUSAND = 0x0F,
    LOCALE_SCURRENCY = 0x14,
    LOCALE_ICURRDIGITS = 0x19,
    LOCALE_ICURRENCY = 0x1B,
    LOCALE_INEGCURR = 0x1C,
    LOCALE_SDATE = 0x1D,
    LOCALE_STIME = 0x1E,
    LOCALE_SSHORTDATE = 0x1F,
    LOCALE_SLONGDATE = 0x20,
    LOCALE_ITIME = 0x23,
    LOCALE_ITLZERO = 0x25,
    LOCALE_S1159 = 0x28,
    LOCALE_S2359 = 0x29,
    LOCALE_SDAYNAME1 = 0x2A,       // Monday; +6 is Sunday
    LOCALE_SABBREVDAYNAME1 = 0x31, // Monday; +6 is Sunday
    LOCALE_SMONTHNAME1 = 0x38,     // January; +11 is December
    LOCALE_SABBREVMONTHNAME1 = 0x44,
    // With a month name item: the form a date gives it ("8 декабря"), not the stand-alone one.
    LOCALE_RETURN_GENITIVE_NAMES = 0x10000000,
    LOCALE_SENGLANGUAGE = 0x1001,
    LOCALE_SENGCOUNTRY = 0x1002,
    LOCALE_IDEFAULTANSICODEPAGE = 0x1004,
    LOCALE_ITIMEMARKPOSN = 0x1005,
    LOCALE_ICALENDARTYPE = 0x1009,
    LOCALE_IOPTIONALCALENDAR = 0x100B,
};

// Calendar types as the locale items give them.
constexpr int CAL_GREGORIAN = 1;
constexpr int CAL_JAPAN = 3;
constexpr int CAL_TAIWAN = 4;
constexpr int CAL_KOREA = 5;

} // namespace lumotrix
