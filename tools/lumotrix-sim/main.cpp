// lumotrix-sim: a virtual controller on a pseudo-terminal. The first line it prints is the
// device to use as the serial port; it then reports every transfer it receives and answers
// the line "dump" on standard input with its configuration dump. "quit" or end of input ends it;
// "hangup" ends it by dropping the line, as a controller switched off or a cable pulled does.

#include "link/Framing.h"
#include "lumotrix-cli/EnglishMessages.h"
#include "lumotrix-sim/VirtualController.h"
#include "runtime/Exception.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>

using namespace lumotrix;

namespace {

// The STX goes out alone, and the dump only after a pause, so that the PC reads it as a
// batch of its own (as the controller does).
constexpr useconds_t PauseAfterStx = 200 * 1000;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "lumotrix-sim: %s: %s\n", what, std::strerror(errno));
    std::exit(1);
}

void Print(const QStringList& lines) {
    for (const QString& line : lines)
        std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

bool WriteAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN) {
                pollfd p{fd, POLLOUT, 0};
                ::poll(&p, 1, 1000);
                continue;
            }
            return false;
        }
        done += n;
    }
    return true;
}

void Usage() {
    std::fprintf(
        stderr, "usage: lumotrix-sim [--load FILE] [--save FILE]\n"
                "  --load FILE  start with the configuration of a transfer kept in FILE\n"
                "  --save FILE  keep every good transfer in FILE\n"
                "stdin: \"dump\" sends the configuration dump, \"dump --partial N\" its first N\n"
                "bytes and then hangs up; \"hangup\" drops the line at once, \"hangup --after N\"\n"
                "once N more bytes have come in; \"quit\" ends\n");
}

// "WORD" or "WORD OPTION N": the count, or -1 for the bare word; false for anything else.
bool Command(const std::string& line, const std::string& word, const std::string& option,
             long& count) {
    count = -1;
    if (line == word)
        return true;
    const std::string prefix = word + " " + option + " ";
    if (line.rfind(prefix, 0) != 0)
        return false;
    const std::string number = line.substr(prefix.size());
    char* end = nullptr;
    count = std::strtol(number.c_str(), &end, 10);
    return !number.empty() && *end == '\0' && count >= 0;
}

} // namespace

int main(int argc, char** argv) {
    // Like the command-line tool, the simulator reports in English.
    SetMessageTexts(&EnglishMessageText);
    QString loadFile, saveFile;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--load" || arg == "--save") && i + 1 < argc) {
            (arg == "--load" ? loadFile : saveFile) = QString::fromLocal8Bit(argv[++i]);
        } else {
            Usage();
            return 2;
        }
    }

    TVirtualController controller;
    if (!loadFile.isEmpty()) {
        QFile file(loadFile);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "lumotrix-sim: cannot read %s\n", qPrintable(loadFile));
            return 1;
        }
        try {
            controller.SetConfig(ParseTransfer(file.readAll()).Config);
        } catch (const Exception& e) {
            std::fprintf(stderr, "lumotrix-sim: %s: %s\n", qPrintable(loadFile), e.what());
            return 1;
        }
    }

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        Fail("posix_openpt");
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0)
        Fail("grantpt/unlockpt");
    const char* name = ::ptsname(master);
    if (!name)
        Fail("ptsname");
    const std::string path = name;
    // Holding the slave open keeps the line up between the PC's opens and closes, and sets
    // raw mode before the first client arrives.
    const int slave = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    if (slave < 0)
        Fail("open slave");
    termios tio{};
    if (::tcgetattr(slave, &tio) != 0)
        Fail("tcgetattr");
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    if (::tcsetattr(slave, TCSANOW, &tio) != 0)
        Fail("tcsetattr");
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);

    std::printf("%s\n", path.c_str());
    std::fflush(stdout);

    std::string input;
    bool running = true;
    // Bytes still to come from the PC before "hangup --after" drops the line; -1: not asked.
    long hangUpAfter = -1;
    // Closing the master hangs up every open end of the slave: the PC reads end of file.
    const auto hangUp = [&] {
        ::close(slave);
        ::close(master);
        Print({QStringLiteral("hung up")});
        running = false;
    };
    while (running) {
        pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {master, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            Fail("poll");
        }
        if (fds[1].revents & POLLIN) {
            char buffer[4096];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n > 0) {
                const int good = controller.GoodTransfers();
                const QStringList report = controller.Feed(QByteArray(buffer, n));
                if (controller.GoodTransfers() != good && !saveFile.isEmpty()) {
                    QFile file(saveFile);
                    if (!file.open(QIODevice::WriteOnly) ||
                        file.write(controller.LastTransfer()) != controller.LastTransfer().size())
                        std::fprintf(stderr, "lumotrix-sim: cannot write %s\n",
                                     qPrintable(saveFile));
                }
                Print(report);
                if (hangUpAfter >= 0 && (hangUpAfter -= long(n)) <= 0) {
                    hangUp();
                    return 0;
                }
            }
        }
        if (fds[0].revents & (POLLIN | POLLHUP)) {
            char buffer[256];
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0) {
                running = false;
                continue;
            }
            input.append(buffer, size_t(n));
            std::string::size_type eol;
            while (running && (eol = input.find('\n')) != std::string::npos) {
                std::string line = input.substr(0, eol);
                input.erase(0, eol + 1);
                while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
                    line.pop_back();
                long count = -1;
                if (line == "quit") {
                    running = false;
                } else if (Command(line, "hangup", "--after", count)) {
                    if (count <= 0) {
                        hangUp();
                        return 0;
                    }
                    hangUpAfter = count;
                } else if (Command(line, "dump", "--partial", count)) {
                    QByteArray dump;
                    try {
                        dump = controller.Dump();
                    } catch (const Exception& e) {
                        Print({QStringLiteral("dump error: %1").arg(e.Message())});
                        continue;
                    }
                    const bool partial = count >= 0;
                    if (partial)
                        dump.truncate(qMin<qsizetype>(count, dump.size()));
                    if (!WriteAll(master, QByteArray(1, STX)))
                        Fail("write");
                    ::usleep(PauseAfterStx);
                    if (!WriteAll(master, dump))
                        Fail("write");
                    Print({QStringLiteral("dump sent: %1 bytes").arg(dump.size())});
                    if (partial) {
                        // Bytes the PC has not read yet are lost with the line.
                        ::usleep(PauseAfterStx);
                        hangUp();
                        return 0;
                    }
                } else if (!line.empty()) {
                    Print(
                        {QStringLiteral("unknown command: %1").arg(QString::fromStdString(line))});
                }
            }
        }
    }
    ::close(slave);
    ::close(master);
    return 0;
}
