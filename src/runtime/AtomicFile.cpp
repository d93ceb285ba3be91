#include "runtime/AtomicFile.h"

#include "runtime/SystemReason.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumotrix {
namespace {

TSaveStepHook saveStepHook = nullptr;

// The temporary file's name: the target's, this tag, the process and a random number.
constexpr char TemporaryTag[] = ".tmp-";

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

bool WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

QByteArray TemporaryName(const QString& path) {
    return Native(path) + TemporaryTag + QByteArray::number(::getpid()) + '-' +
           QByteArray::number(QRandomGenerator::global()->generate(), 16);
}

} // namespace

QString TemporarySuffixPattern() {
    return QRegularExpression::escape(QLatin1String(TemporaryTag)) +
           QStringLiteral("[0-9]+-[0-9a-f]{1,8}");
}

void SetSaveStepHook(TSaveStepHook hook) {
    saveStepHook = hook;
}

void SaveStep() {
    if (saveStepHook)
        saveStepHook();
}

bool SyncFolderOf(const QString& path) {
    SaveStep();
    const int fd = ::open(Native(QFileInfo(path).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

namespace {

// The write itself; 0, or the system's error number.
int WriteAtomically(const QString& path, const QByteArray& bytes) {
    QByteArray temporary;
    int fd = -1;
    // A fresh name each time: a crash may have left an earlier temporary file behind, and a
    // forked process starts from its parent's random numbers.
    for (int tries = 0; fd < 0 && tries < 64; ++tries) {
        temporary = TemporaryName(path);
        SaveStep();
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return errno;
    bool ok = true;
    int reason = 0;
    auto fail = [&] {
        if (ok)
            reason = errno != 0 ? errno : EIO;
        ok = false;
    };
    // A replaced file keeps who may read it.
    struct stat old {};
    if (::stat(Native(path).constData(), &old) == 0 && S_ISREG(old.st_mode))
        (void)::fchmod(fd, old.st_mode & 07777);
    SaveStep();
    if (!WriteAll(fd, bytes))
        fail();
    SaveStep();
    if (ok && ::fsync(fd) != 0)
        fail();
    if (::close(fd) != 0)
        fail();
    if (ok) {
        SaveStep();
        if (::rename(temporary.constData(), Native(path).constData()) != 0)
            fail();
    }
    if (!ok) {
        ::unlink(temporary.constData());
        return reason;
    }
    if (!SyncFolderOf(path))
        return errno != 0 ? errno : EIO;
    return 0;
}

} // namespace

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, TMessage& reason) {
    const int error = WriteAtomically(path, bytes);
    if (error != 0)
        reason = SystemReason(error);
    return error == 0;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& error) {
    const int number = WriteAtomically(path, bytes);
    if (number != 0)
        error = QString::fromLocal8Bit(std::strerror(number));
    return number == 0;
}

} // namespace lumotrix
