// The binary form-stream reader, through the generic walk and through the text writer, which
// reads every value by its tag. What reads as text must compile back to a stream that gives
// the same text.

#include "FuzzSupport.h"
#include "runtime/FormStream.h"
#include "runtime/TextForm.h"

using namespace lumotrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray stream = fuzz::Bytes(data, size);
    fuzz::Accepted([&] {
        TReader reader(stream);
        reader.ReadSignature();
        reader.SkipComponent();
    });
    QString text;
    if (!fuzz::Accepted([&] { text = FormBinaryToText(stream); }))
        return 0;
    QByteArray again;
    fuzz::Check(fuzz::Accepted([&] { again = FormTextToBinary(text); }),
                "the text written from a stream does not compile");
    QString textAgain;
    fuzz::Check(fuzz::Accepted([&] { textAgain = FormBinaryToText(again); }),
                "the recompiled stream does not read");
    fuzz::Check(textAgain == text, "stream -> text -> stream changed the text");
    ++fuzz::RoundTrips;
    return 0;
}
