#include "runtime/Exception.h"

#include <utility>

namespace lumotrix {

Exception::Exception(QString message)
    : FMessage(std::move(message)), FUtf8(FMessage.toUtf8().toStdString()) {}

} // namespace lumotrix
