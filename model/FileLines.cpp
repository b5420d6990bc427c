// Whole-file reading and writing, bytes unchanged. The program runs on POSIX
// systems; the calls that the standard library lacks (flushing to the disk,
// file locks, telling a pipe from a file before opening blocks) come from
// there, and nothing else of the platform is used.
#include "Baza.h"
#include "FastHash.h"
#include "FileSystemCalls.h"
#include "ReplacingFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kHashPiece = 64 * 1024;

int64_t ModifiedNs(const struct stat& status)
{
    return int64_t(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
}

class TDescriptor
{
public:
    explicit TDescriptor(int fd) : Fd(fd) {}
    ~TDescriptor()
    {
        if (Fd >= 0)
            ::close(Fd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Fd;
};

// Opens a regular file for reading. O_NONBLOCK keeps the open itself from
// waiting for a writer on a named pipe; a regular file ignores it.
int OpenRegularFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("Cannot open file " + path);
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        throw TNotRegularFileError("Cannot open file " + path);
    }
    return fd;
}

class THashPieces
{
public:
    void Add(std::string_view piece)
    {
        Hash = FastHash(piece, Hash);
        Size += piece.size();
    }
    uint64_t Result() const { return Hash ^ Size; }
    uint64_t Bytes() const { return Size; }

private:
    uint64_t Hash = 0;
    uint64_t Size = 0;
};

// Reads until `size` bytes are in or the file ends: the count read, or -1
// with errno telling why not.
ssize_t ReadFully(int fd, char* buffer, size_t size)
{
    size_t filled = 0;
    while (filled < size) {
        const ssize_t count = ::read(fd, buffer + filled, size - filled);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return -1;
        if (count == 0)
            break;
        filled += size_t(count);
    }
    return ssize_t(filled);
}

int RealWrite(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        size -= size_t(written);
    }
    return 0;
}

int RealSync(int fd)
{
    return ::fsync(fd) == 0 ? 0 : errno;
}

const TFileSystemCalls kRealCalls{&RealWrite, &RealSync};

} // namespace

TFileSystemCalls& FileSystemCalls()
{
    static TFileSystemCalls calls = kRealCalls;
    return calls;
}

const TFileSystemCalls& RealFileSystemCalls()
{
    return kRealCalls;
}

uint64_t HashOfBytes(std::string_view bytes)
{
    THashPieces hash;
    for (size_t at = 0; at < bytes.size(); at += kHashPiece)
        hash.Add(bytes.substr(at, kHashPiece));
    return hash.Result();
}

TLines SplitLines(const std::string& bytes)
{
    const char* const end = bytes.data() + std::min(bytes.find('\0'), bytes.size());
    TLines lines;
    const char* lineStart = bytes.data();
    for (const char* at = lineStart; at != end; ++at) {
        if (*at != '\r' && *at != '\n')
            continue;
        lines.emplace_back(lineStart, at);
        // CR LF is one line end; LF CR is two.
        if (*at == '\r' && at + 1 != end && at[1] == '\n')
            ++at;
        lineStart = at + 1;
    }
    if (lineStart != end)
        lines.emplace_back(lineStart, end);
    return lines;
}

TFileBytes LoadBytesFromFile(const std::string& path)
{
    const TDescriptor file(OpenRegularFile(path));
    struct stat status {};
    if (::fstat(file.Fd, &status) != 0)
        throw std::runtime_error("Cannot open file " + path);
    // One read of the size the file has now, into memory that is not
    // cleared first; the loop only goes on should the file have grown.
    size_t capacity = size_t(status.st_size) + 1;
    std::unique_ptr<char[]> data(new char[capacity]);
    size_t size = 0;
    for (;;) {
        const ssize_t count = ReadFully(file.Fd, data.get() + size, capacity - size);
        if (count < 0)
            throw std::runtime_error("Cannot open file " + path);
        size += size_t(count);
        if (size < capacity)
            break;
        capacity *= 2;
        std::unique_ptr<char[]> larger(new char[capacity]);
        std::memcpy(larger.get(), data.get(), size);
        data = std::move(larger);
    }
    if (::fstat(file.Fd, &status) != 0)
        throw std::runtime_error("Cannot open file " + path);

    TFileBytes bytes;
    bytes.Data = std::move(data);
    bytes.Size = size;
    bytes.Stamp.Size = size;
    bytes.Stamp.ModifiedNs = ModifiedNs(status);
    bytes.Stamp.Hash = HashOfBytes(bytes.View());
    return bytes;
}

namespace {

// The bytes of an open file as a reader asks for them, hashed as they go
// by in the pieces that HashOfBytes takes.
class TFileSource : public TByteSource
{
public:
    TFileSource(int fd, const std::string& path) : Fd(fd), Path(path) {}
    size_t Read(char* buffer, size_t size) override
    {
        const ssize_t count = ReadFully(Fd, buffer, size);
        if (count < 0)
            throw std::runtime_error("Cannot open file " + Path);
        const size_t filled = size_t(count);
        // Whole pieces, as long as the reader asks for whole pieces.
        for (size_t at = 0; at < filled; at += kHashPiece)
            Hash.Add({buffer + at, std::min(kHashPiece, filled - at)});
        return filled;
    }
    uint64_t HashOfAll() const { return Hash.Result(); }
    uint64_t Size() const { return Hash.Bytes(); }

private:
    int Fd;
    const std::string& Path;
    THashPieces Hash;
};

} // namespace

TReadOutcome LoadTestFromFile(const std::string& path, TTest& test, TFileStamp& stamp,
                              const std::function<void(const std::string& message)>& showMessage)
{
    const TDescriptor file(OpenRegularFile(path));
    TFileSource source(file.Fd, path);
    const TReadOutcome outcome = test.LoadFromSource(source, showMessage);
    // The stamp describes the whole file, also past where reading ended.
    std::unique_ptr<char[]> piece(new char[kHashPiece]);
    while (source.Read(piece.get(), kHashPiece) == kHashPiece) {
    }
    struct stat status {};
    if (::fstat(file.Fd, &status) != 0)
        throw std::runtime_error("Cannot open file " + path);
    stamp.Size = source.Size();
    stamp.ModifiedNs = ModifiedNs(status);
    stamp.Hash = source.HashOfAll();
    return outcome;
}

TLines LoadLinesFromFile(const std::string& path)
{
    const TFileBytes bytes = LoadBytesFromFile(path);
    const std::string_view view = bytes.View();
    return SplitLines(std::string(view.substr(0, std::min(view.find('\0'), view.size()))));
}

TFileState CompareFileWithStamp(const std::string& path, const TFileStamp& stamp)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return errno == ENOENT ? TFileState::Missing : TFileState::Changed;
    if (!S_ISREG(status.st_mode) || uint64_t(status.st_size) != stamp.Size
        || ModifiedNs(status) != stamp.ModifiedNs)
        return TFileState::Changed;
    // Size and time agree; a file system with coarse times could still hide
    // a change made within the same tick, which the content shows. It is
    // hashed piece by piece, so that a save never holds the old file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return TFileState::Changed;
    const TDescriptor file(fd);
    std::unique_ptr<char[]> piece(new char[kHashPiece]);
    THashPieces hash;
    for (;;) {
        // Whole pieces, as HashOfBytes takes them, however the reads return.
        const ssize_t filled = ReadFully(file.Fd, piece.get(), kHashPiece);
        if (filled < 0)
            return TFileState::Changed;
        if (filled > 0)
            hash.Add({piece.get(), size_t(filled)});
        if (size_t(filled) < kHashPiece)
            break;
    }
    return hash.Result() == stamp.Hash ? TFileState::AsStamped : TFileState::Changed;
}

void SaveLinesToFile(const std::string& path, const TLines& lines)
{
    TReplacingFile file(path);
    std::string piece;
    for (const std::string& line : lines) {
        piece += line;
        piece += "\r\n";
        if (piece.size() >= kHashPiece) {
            file.Write(piece);
            piece.clear();
        }
    }
    file.Write(piece);
    file.Commit();
}

namespace {

// Hands the bytes on in pieces of exactly 64 KiB, the last one shorter, so
// that the hash of what was written is that of the file.
class TPieceSink : public TByteSink
{
public:
    explicit TPieceSink(const std::function<void(std::string_view)>& out) : Out(out)
    {
        Piece.reserve(kHashPiece);
    }
    void Write(std::string_view bytes) override
    {
        // A whole piece goes on as it is, as the test's writer gives them.
        if (Piece.empty() && bytes.size() == kHashPiece) {
            Hash.Add(bytes);
            Out(bytes);
            return;
        }
        while (!bytes.empty()) {
            const size_t taken = std::min(bytes.size(), kHashPiece - Piece.size());
            Piece.append(bytes.data(), taken);
            bytes.remove_prefix(taken);
            if (Piece.size() == kHashPiece)
                Flush();
        }
    }
    void Flush()
    {
        if (Piece.empty())
            return;
        Hash.Add(Piece);
        Out(Piece);
        Piece.clear();
    }
    uint64_t HashOfAll() const { return Hash.Result(); }

private:
    const std::function<void(std::string_view)>& Out;
    std::string Piece;
    THashPieces Hash;
};

} // namespace

TFileStamp SaveTestToFile(const std::string& path, const TTest& test)
{
    TReplacingFile file(path);
    const std::function<void(std::string_view)> out = [&file](std::string_view piece) {
        file.Write(piece);
    };
    TPieceSink sink(out);
    test.SaveToSink(sink);
    sink.Flush();
    TFileStamp stamp = file.Commit();
    stamp.Hash = sink.HashOfAll();
    return stamp;
}

void SaveBytesToFile(const std::string& path, const std::string& content)
{
    TReplacingFile file(path);
    file.Write(content);
    file.Commit();
}
