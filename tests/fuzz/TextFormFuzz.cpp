// The text form compiler: what it compiles its own reader must read, and the text written from
// that must compile to the same bytes.

#include "FuzzSupport.h"
#include "runtime/TextForm.h"

using namespace lumotrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray binary;
    if (!fuzz::Accepted([&] { binary = FormTextToBinary(fuzz::Bytes(data, size)); }))
        return 0;
    QString text;
    fuzz::Check(fuzz::Accepted([&] { text = FormBinaryToText(binary); }),
                "a compiled stream does not read back");
    QByteArray again;
    fuzz::Check(fuzz::Accepted([&] { again = FormTextToBinary(text); }),
                "the text written from a compiled stream does not compile");
    fuzz::Check(again == binary, "text -> stream -> text -> stream changed the stream");
    ++fuzz::RoundTrips;
    return 0;
}
