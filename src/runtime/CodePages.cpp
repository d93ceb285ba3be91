#include "runtime/CodePages.h"

#include "runtime/CodePage.h"

#include <array>
#include <memory>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>

namespace lumotrix {
namespace {

struct TConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using TConverter = std::unique_ptr<UConverter, TConverterCloser>;

TConverter OpenConverter(int codePage) {
    UErrorCode status = U_ZERO_ERROR;
    const QByteArray name = "windows-" + QByteArray::number(codePage);
    TConverter converter(ucnv_open(name.constData(), &status));
    if (U_FAILURE(status))
        return nullptr;
    return converter;
}

// Code pages by their font-signature bit; 0 marks a bit without one.
constexpr std::array<int, 23> CodePageOfBit = {1252, 1250, 1251, 1253, 1254, 1255, 1256, 1257,
                                               0,    0,    0,    0,    0,    0,    0,    0,
                                               874,  932,  936,  949,  950,  1361, 1258};

} // namespace

std::optional<TCodePageInfo> CodePageInfo(int codePage) {
    const TConverter converter = OpenConverter(codePage);
    if (!converter)
        return std::nullopt;
    TCodePageInfo info;
    info.MaxCharSize = ucnv_getMaxCharSize(converter.get());
    if (info.MaxCharSize < 2)
        return info;
    UBool starters[256] = {};
    UErrorCode status = U_ZERO_ERROR;
    ucnv_getStarters(converter.get(), starters, &status);
    if (U_FAILURE(status))
        return info;
    for (int b = 0; b < 256; ++b) {
        if (!starters[b])
            continue;
        if (!info.LeadByteRanges.isEmpty() && info.LeadByteRanges.last().second == b - 1)
            info.LeadByteRanges.last().second = quint8(b);
        else
            info.LeadByteRanges.append({quint8(b), quint8(b)});
    }
    return info;
}

QString DecodeCodePage(const QByteArray& bytes, int codePage) {
    if (codePage == CodePageWindows1252)
        return FromAnsi(bytes);
    const TConverter converter = OpenConverter(codePage);
    if (!converter || bytes.isEmpty())
        return FromAnsi(bytes);
    QString text(bytes.size(), Qt::Uninitialized); // at most one unit per byte
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        ucnv_toUChars(converter.get(), reinterpret_cast<UChar*>(text.data()), int32_t(text.size()),
                      bytes.constData(), int32_t(bytes.size()), &status);
    if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING)
        return FromAnsi(bytes);
    text.truncate(length);
    return text;
}

QByteArray EncodeCodePage(const QString& text, int codePage) {
    if (codePage == CodePageWindows1252)
        return ToAnsi(text);
    const TConverter converter = OpenConverter(codePage);
    if (!converter || text.isEmpty())
        return ToAnsi(text);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setSubstChars(converter.get(), "?", 1, &status);
    const int32_t capacity = int32_t(text.size()) * ucnv_getMaxCharSize(converter.get());
    QByteArray bytes(capacity, Qt::Uninitialized);
    status = U_ZERO_ERROR;
    const int32_t length = ucnv_fromUChars(converter.get(), bytes.data(), capacity,
                                           reinterpret_cast<const UChar*>(text.constData()),
                                           int32_t(text.size()), &status);
    if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING)
        return ToAnsi(text);
    bytes.truncate(length);
    return bytes;
}

bool CodePageHasRightToLeft(int codePage) {
    const TConverter converter = OpenConverter(codePage);
    if (!converter)
        return false;
    // Byte by byte, so that a lead byte cannot swallow its neighbour.
    for (int b = 128; b < 256; ++b) {
        const char byte = char(b);
        UChar text[4];
        UErrorCode status = U_ZERO_ERROR;
        ucnv_reset(converter.get());
        const int32_t length = ucnv_toUChars(converter.get(), text, 4, &byte, 1, &status);
        for (int32_t i = 0; U_SUCCESS(status) && i < length; ++i) {
            const UCharDirection direction = u_charDirection(text[i]);
            if (direction == U_RIGHT_TO_LEFT || direction == U_RIGHT_TO_LEFT_ARABIC)
                return true;
        }
    }
    return false;
}

int FontSignatureBitOfCodePage(int codePage) {
    if (codePage == 0)
        return -1;
    for (std::size_t bit = 0; bit < CodePageOfBit.size(); ++bit)
        if (CodePageOfBit[bit] == codePage)
            return int(bit);
    return -1;
}

} // namespace lumotrix
