#pragma once

// What the port tests share: the application object, the event loop and a pseudo-terminal.

#include <QApplication>
#include <QElapsedTimer>
#include <QString>
#include <QThread>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

namespace lumotrix::comport_test {

inline QApplication& App() {
    static int argc = 1;
    static char name[] = "comport_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// Runs the event loop until `done` or `ms` have passed.
template <typename F> bool SpinUntil(F done, int ms = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return done();
}

inline void Spin(int ms) {
    SpinUntil([] { return false; }, ms);
}

// The other end of a pseudo-terminal, played by the test.
struct TPty {
    int Master = -1;
    QString Path;
    TPty() {
        Master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (Master >= 0 && ::grantpt(Master) == 0 && ::unlockpt(Master) == 0)
            Path = QString::fromLocal8Bit(::ptsname(Master));
    }
    ~TPty() {
        if (Master >= 0)
            ::close(Master);
    }
    TPty(const TPty&) = delete;
    TPty& operator=(const TPty&) = delete;
    void Write(const QByteArray& bytes) const {
        ASSERT_EQ(::write(Master, bytes.constData(), size_t(bytes.size())), bytes.size());
    }
    QByteArray Read(int ms = 2000) const {
        QByteArray all;
        pollfd p{Master, POLLIN, 0};
        while (::poll(&p, 1, all.isEmpty() ? ms : 50) > 0) {
            char buffer[4096];
            const ssize_t n = ::read(Master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            all.append(buffer, n);
        }
        return all;
    }
};

} // namespace lumotrix::comport_test
