#include "runtime/TextForm.h"

#include <QStringDecoder>
#include <cstring>

namespace lumotrix {

namespace {

QString DecodeUtf8(const QByteArray& bytes) {
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(body);
    if (!decoder.hasError())
        return text;
    const QList<QByteArray> lines = body.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringDecoder lineDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        (void)QString(lineDecoder(lines[i]));
        if (lineDecoder.hasError())
            throw EParserError(QStringLiteral("Invalid UTF-8 at line %1").arg(i + 1));
    }
    throw EParserError(QStringLiteral("Invalid UTF-8"));
}

} // namespace

QByteArray FormTextToBinary(const QByteArray& utf8Text) {
    return FormTextToBinary(DecodeUtf8(utf8Text));
}

bool IsTextForm(const QByteArray& data) {
    qsizetype i = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < data.size() &&
           (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n'))
        ++i;
    for (const char* word : {"object", "inherited", "inline"}) {
        const qsizetype n = qsizetype(std::strlen(word));
        if (data.size() >= i + n + 1 &&
            data.mid(i, n).compare(QByteArray(word), Qt::CaseInsensitive) == 0) {
            const char after = data[i + n];
            if (after == ' ' || after == '\t' || after == '\r' || after == '\n')
                return true;
        }
    }
    return false;
}

} // namespace lumotrix
