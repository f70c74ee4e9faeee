#include "saver/engine/SharedActivation.h"

#include <QFile>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace lumera::saver {

namespace {

int openFile(const QString& path) {
    return ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

std::int32_t readMode(int fd) {
    char text[16] = {};
    const ssize_t got = ::pread(fd, text, sizeof text - 1, 0);
    bool ok = false;
    const int mode = got > 0 ? QByteArray(text, int(got)).trimmed().toInt(&ok) : 0;
    return ok ? mode : 0;
}

void writeMode(int fd, std::int32_t mode) {
    const QByteArray text = QByteArray::number(mode) + '\n';
    if (::ftruncate(fd, 0) == 0) [[maybe_unused]]
        const ssize_t written = ::pwrite(fd, text.constData(), text.size(), 0);
}

} // namespace

SharedActivation::SharedActivation(QString path) : path_(std::move(path)) {}

SharedActivation::~SharedActivation() {
    if (running_ >= 0)
        ::close(running_);
}

std::int32_t SharedActivation::join(const std::function<std::int32_t()>& chooseNew) {
    if (path_.isEmpty())
        return chooseNew();
    // One copy at a time decides; the others wait the moment that takes.
    const int deciding = openFile(path_ + QStringLiteral(".choosing"));
    running_ = openFile(path_);
    if (deciding < 0 || running_ < 0) {
        if (deciding >= 0)
            ::close(deciding);
        return chooseNew();
    }
    ::flock(deciding, LOCK_EX);
    std::int32_t mode = 0;
    if (::flock(running_, LOCK_EX | LOCK_NB) == 0) {
        // Nobody runs: a new activation.
        mode = chooseNew();
        writeMode(running_, mode);
    } else {
        mode = readMode(running_);
        if (mode == 0) {
            mode = chooseNew();
            writeMode(running_, mode);
        }
    }
    ::flock(running_, LOCK_SH);
    ::close(deciding);
    return mode;
}

} // namespace lumera::saver
