#pragma once

// Checks on the messages failures carry: by id, not by the words of one language.

#include "runtime/Exception.h"

#include <QStringList>

namespace lumotrix::test {

// True when `message`, or a message among its arguments, has the id `id`.
inline bool Holds(const TMessage& message, quint16 id) {
    if (message.Id == id)
        return true;
    for (const TMessageArg& arg : message.Args)
        if (arg.Message() && Holds(*arg.Message(), id))
            return true;
    return false;
}

inline bool Holds(const Exception& error, quint16 id) {
    return error.Record() && Holds(*error.Record(), id);
}

// The plain-text arguments of `message` and of the messages inside it, in order.
inline QStringList TextArguments(const TMessage& message) {
    QStringList texts;
    for (const TMessageArg& arg : message.Args)
        texts << (arg.Message() ? TextArguments(*arg.Message()) : QStringList{arg.Text()});
    return texts;
}

} // namespace lumotrix::test
