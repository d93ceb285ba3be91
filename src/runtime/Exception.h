#pragma once

#include "runtime/Message.h"

#include <QString>
#include <exception>
#include <optional>
#include <string>

namespace lumotrix {

// Every failure the program reports to the user is an Exception carrying a message; the
// application object shows that message in a message box. A failure a user can meet carries a
// TMessage, put into words when it is read, in the language in force then; a plain text is
// for what only a programming error reaches, or for a text already in the user's words.
class Exception : public std::exception {
public:
    explicit Exception(QString message);
    explicit Exception(TMessage message);
    QString Message() const;
    const std::optional<TMessage>& Record() const noexcept { return FRecord; }
    // This failure as the reason inside another message.
    TMessageArg Argument() const;
    const char* what() const noexcept override { return FUtf8.c_str(); }

private:
    QString FText;
    std::optional<TMessage> FRecord;
    std::string FUtf8;
};

// The text of a failure that only a programming error can cause: no user meets it, so it stays
// in the developer's English, outside the string table.
inline QString DeveloperText(QString text) {
    return text;
}

// A value outside the range its destination accepts.
class ERangeError : public Exception {
public:
    using Exception::Exception;
};

// A value that cannot be converted to the type asked for (a text that is no number).
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An object cast to a class it is not.
class EInvalidCast : public Exception {
public:
    using Exception::Exception;
};

// A stream that ends early or holds something its reader does not accept.
class EReadError : public Exception {
public:
    using Exception::Exception;
};

// A write that could not be completed.
class EWriteError : public Exception {
public:
    using Exception::Exception;
};

// A resource or file that cannot be found or opened.
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

// A call to an operation that the object's class does not implement.
class EAbstractError : public Exception {
public:
    using Exception::Exception;
};

} // namespace lumotrix
