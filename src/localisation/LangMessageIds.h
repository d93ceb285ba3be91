#pragma once

#include <QtGlobal>

namespace lumotrix {

// The language dialog's own texts (see runtime/MessageIds.h for the numbering).
enum TLangMessageId : quint16 {
    // What assistive tools call the list of languages.
    msgLanguageList = 64795,
};

} // namespace lumotrix
