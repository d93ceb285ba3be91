// Form loading into the test component tree. A refused stream leaves nothing behind; an
// accepted one builds the same tree every time it is read.

#include "FuzzSupport.h"
#include "runtime/FormLoader.h"
#include "runtime/TestComponents.h"

using namespace lumotrix;

namespace {

QString Describe(const TComponent* component) {
    QString text = component->ClassName() + u':' + component->Name() + u'(';
    for (int i = 0; i < component->ComponentCount(); ++i)
        text += Describe(component->Components(i)) + u' ';
    return text + u')';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray stream = fuzz::Bytes(data, size);
    TComponent owner;
    TComponent* form = nullptr;
    if (!fuzz::Accepted([&] { form = CreateComponentFromStream(&owner, stream); })) {
        fuzz::Check(owner.ComponentCount() == 0, "a refused stream left a component behind");
        return 0;
    }
    TComponent otherOwner;
    TComponent* again = nullptr;
    fuzz::Check(fuzz::Accepted([&] { again = CreateComponentFromStream(&otherOwner, stream); }),
                "a stream read once is refused the second time");
    fuzz::Check(Describe(form) == Describe(again), "one stream built two different trees");
    ++fuzz::RoundTrips;
    return 0;
}
