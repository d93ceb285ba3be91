#pragma once

#include <QString>
#include <exception>
#include <string>

namespace lumotrix {

// Every failure the program reports to the user is an Exception carrying a message; the
// application object shows that message in a message box.
class Exception : public std::exception {
public:
    explicit Exception(QString message);
    const QString& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FUtf8.c_str(); }

private:
    QString FMessage;
    std::string FUtf8;
};

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
