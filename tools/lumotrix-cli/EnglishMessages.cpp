#include "EnglishMessages.h"

#include "runtime/ResourceFile.h"

#include <cstddef>

// The program's resources translated with the English catalogue, written by the build.
extern const unsigned char lumotrix_english_resources[];
extern const std::size_t lumotrix_english_resources_size;

namespace lumotrix {

QString EnglishMessageText(quint16 id) {
    static const TResourceFile english = TResourceFile::FromImage(
        QByteArray::fromRawData(reinterpret_cast<const char*>(lumotrix_english_resources),
                                static_cast<qsizetype>(lumotrix_english_resources_size)),
        QStringLiteral("English messages"));
    return english.LoadString(id).value_or(QString());
}

} // namespace lumotrix
