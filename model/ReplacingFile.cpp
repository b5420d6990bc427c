#include "ReplacingFile.h"

#include "FileSystemCalls.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kTemporaryPrefix[] = ".testarion-";
constexpr char kTemporarySuffix[] = ".tmp";
constexpr size_t kTemporaryDigits = 16;

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a chain of symbolic links ends at; replacing the link itself
// would leave the file it names with the old text. A link to nothing ends
// at the name it holds, which the write then creates.
std::string FollowLinks(std::string path)
{
    for (int depth = 0; depth < 40; ++depth) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return path;
        std::string target(size_t(status.st_size) + 256, '\0');
        const ssize_t length = ::readlink(path.c_str(), &target[0], target.size());
        if (length < 0 || size_t(length) >= target.size())
            return path;
        target.resize(size_t(length));
        path = target.front() == '/' ? target : FolderOf(path) + "/" + target;
    }
    return path;
}

// Our own temporary name: the prefix, 16 hexadecimal digits, the suffix.
bool IsTemporaryName(const char* name)
{
    const size_t prefix = sizeof kTemporaryPrefix - 1;
    const size_t suffix = sizeof kTemporarySuffix - 1;
    if (std::strlen(name) != prefix + kTemporaryDigits + suffix
        || std::strncmp(name, kTemporaryPrefix, prefix) != 0
        || std::strcmp(name + prefix + kTemporaryDigits, kTemporarySuffix) != 0)
        return false;
    for (size_t i = prefix; i < prefix + kTemporaryDigits; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

// A writer holds a lock on its temporary file until it is renamed or
// removed; the system drops the lock when the writer dies. A temporary file
// that can be locked is therefore a leftover of a write that never ended,
// while one being written by another running copy of the program stays.
void RemoveStaleTemporaryFiles(const std::string& folder)
{
    DIR* const dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryName(entry->d_name))
            continue;
        const std::string path = folder + "/" + entry->d_name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat status {};
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)
            && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

std::string RandomTemporaryName()
{
    static std::mt19937_64 random{std::random_device{}()};
    char name[40];
    std::snprintf(name, sizeof name, "%s%016llx%s", kTemporaryPrefix,
                  static_cast<unsigned long long>(random()), kTemporarySuffix);
    return name;
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

TReplacingFile::TReplacingFile(const std::string& path)
    : Path(path), Target(FollowLinks(path))
{
    struct stat target {};
    const bool exists = ::stat(Target.c_str(), &target) == 0;
    if (exists) {
        if (!S_ISREG(target.st_mode))
            Fail("not a regular file");
        // The rename would replace a file whatever its mode, so the mode is
        // checked here; root may write anything, yet a file that no one may
        // write is not replaced either.
        if (::access(Target.c_str(), W_OK) != 0)
            FailWithErrno(errno);
        if ((target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            FailWithErrno(EACCES);
    }
    const std::string folder = FolderOf(Target);
    RemoveStaleTemporaryFiles(folder);

    // Another file may hold the random name by chance, and a cleaner in
    // another copy of the program may remove a new name before it is locked;
    // either way another name is taken.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::string temporary = folder + "/" + RandomTemporaryName();
        // O_EXCL: created here and now, never an existing file taken over.
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            FailWithErrno(errno);
        }
        struct stat opened {};
        struct stat named {};
        if (::flock(fd, LOCK_EX) != 0 || ::fstat(fd, &opened) != 0
            || ::stat(temporary.c_str(), &named) != 0 || !SameFile(opened, named)) {
            ::close(fd);
            continue;
        }
        // A replaced file keeps its permissions.
        if (exists)
            ::fchmod(fd, target.st_mode & 07777);
        Fd = fd;
        Temporary = temporary;
        return;
    }
    Fail("no free temporary name");
}

TReplacingFile::~TReplacingFile()
{
    if (Fd < 0)
        return;
    ::unlink(Temporary.c_str());
    ::close(Fd);
}

void TReplacingFile::Write(std::string_view bytes)
{
    if (bytes.empty())
        return;
    if (const int error = FileSystemCalls().Write(Fd, bytes.data(), bytes.size()))
        FailWithErrno(error);
}

TFileStamp TReplacingFile::Commit()
{
    // Flushed before the rename, so that after a crash the name gives either
    // the old file or the whole new one, never a file still empty on disk.
    if (const int error = FileSystemCalls().Sync(Fd))
        FailWithErrno(error);
    struct stat written {};
    if (::fstat(Fd, &written) != 0)
        FailWithErrno(errno);
    if (::rename(Temporary.c_str(), Target.c_str()) != 0)
        FailWithErrno(errno);
    ::close(Fd);
    Fd = -1;
    // The rename lives in the folder. Should flushing the folder fail, the
    // file is replaced all the same, and saying otherwise would mislead.
    const int folder = ::open(FolderOf(Target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        FileSystemCalls().Sync(folder);
        ::close(folder);
    }
    TFileStamp stamp;
    stamp.Size = uint64_t(written.st_size);
    stamp.ModifiedNs = int64_t(written.st_mtim.tv_sec) * 1000000000 + written.st_mtim.tv_nsec;
    return stamp;
}

void TReplacingFile::Fail(const std::string& reason) const
{
    throw std::runtime_error("Cannot create file " + Path + ": " + reason);
}

void TReplacingFile::FailWithErrno(int error) const
{
    Fail(std::strerror(error));
}

std::string BackUpFile(const std::string& path)
{
    const TFileBytes original = LoadBytesFromFile(path);
    for (int n = 0;; ++n) {
        const std::string backup = path + (n == 0 ? "" : "." + std::to_string(n)) + ".bak";
        const int fd = ::open(backup.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        const auto fail = [&backup](int error) {
            throw std::runtime_error("Cannot create file " + backup + ": " + std::strerror(error));
        };
        if (fd < 0)
            fail(errno);
        const std::string_view bytes = original.View();
        int error = bytes.empty() ? 0 : FileSystemCalls().Write(fd, bytes.data(), bytes.size());
        if (!error)
            error = FileSystemCalls().Sync(fd);
        ::close(fd);
        if (error) {
            ::unlink(backup.c_str());
            fail(error);
        }
        return backup;
    }
}
