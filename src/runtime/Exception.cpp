#include "runtime/Exception.h"

#include <utility>

namespace lumotrix {

Exception::Exception(QString message)
    : FText(std::move(message)), FUtf8(FText.toUtf8().toStdString()) {}

Exception::Exception(TMessage message)
    : FRecord(std::move(message)), FUtf8(MessageText(*FRecord).toUtf8().toStdString()) {}

QString Exception::Message() const {
    return FRecord ? MessageText(*FRecord) : FText;
}

TMessageArg Exception::Argument() const {
    return FRecord ? TMessageArg(*FRecord) : TMessageArg(FText);
}

} // namespace lumotrix
