#include "runner/ResultsFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString Reason(int code)
{
    switch (code) {
    case EACCES:
    case EPERM:
        return QStringLiteral("brak uprawnień do zapisu");
    case EROFS:
        return QStringLiteral("nośnik jest tylko do odczytu");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("brak miejsca na dysku");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("folder nie istnieje");
    case EISDIR:
        return QStringLiteral("to jest folder");
    default:
        return QString::fromLocal8Bit(std::strerror(code));
    }
}

// Closes the descriptor on every way out.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

} // namespace

bool AppendResultLine(const QString& path, const std::string& header, const std::string& line,
                      QString& error)
{
    const QByteArray name = QFile::encodeName(path);
    const Descriptor file(::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
    auto fail = [&](int code) {
        error = QStringLiteral("Nie można zapisać wyników w pliku „%1”: %2.").arg(path, Reason(code));
        return false;
    };
    if (file.get() < 0)
        return fail(errno);
    // Another runner finishing at the same moment waits here, so that the
    // header is written once and no two lines interleave.
    while (::flock(file.get(), LOCK_EX) != 0)
        if (errno != EINTR)
            return fail(errno);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        return fail(errno);

    std::string bytes;
    if (status.st_size == 0) {
        bytes = header;
    } else {
        // A last line without its end (a file edited by hand, say) must not
        // swallow the new one.
        char last = '\n';
        const Descriptor reader(::open(name.constData(), O_RDONLY | O_CLOEXEC));
        if (reader.get() >= 0 && ::pread(reader.get(), &last, 1, status.st_size - 1) == 1
            && last != '\n')
            bytes = "\r\n";
    }
    bytes += line;
    if (!WriteAll(file.get(), bytes) || ::fsync(file.get()) != 0) {
        const int code = errno;
        // Takes back a part of the line, so that the file holds whole lines.
        if (::ftruncate(file.get(), status.st_size) == 0)
            ::fsync(file.get());
        return fail(code);
    }
    return true;
}
