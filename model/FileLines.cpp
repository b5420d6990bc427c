// Whole-file reading and writing of lines, bytes unchanged.
#include "Baza.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string_view>

namespace {

using TFileHandle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

std::string JoinLines(const TLines& lines)
{
    size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string content;
    content.reserve(size);
    for (const std::string& line : lines) {
        content += line;
        content += "\r\n";
    }
    return content;
}

// A fresh name in the target's own folder: renaming within one file system
// replaces the target in one step. The name does not grow with the target's,
// so a long file name still leaves room for it.
std::filesystem::path TemporaryPathBeside(const std::filesystem::path& target)
{
    static std::mt19937_64 random{std::random_device{}()};
    char name[40];
    std::snprintf(name, sizeof name, ".testarion-%016llx.tmp",
                  static_cast<unsigned long long>(random()));
    return target.parent_path() / name;
}

// A replaced file keeps its permissions; should they not carry over, the new
// file simply has the default ones.
void CopyPermissions(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(from, error);
    if (!error && std::filesystem::is_regular_file(status))
        std::filesystem::permissions(to, status.permissions(), error);
}

// Writes the whole content and closes the file, whatever happens; false
// when any of it failed.
bool WriteAndClose(std::FILE* file, const std::string& content)
{
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    // fclose flushes the last buffer, so its failure is a failed write too.
    return std::fclose(file) == 0 && written;
}

} // namespace

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

std::string LoadBytesFromFile(const std::string& path)
{
    const TFileHandle file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        throw std::runtime_error("Cannot open file " + path);
    // One read of the size the file has now; the loop only goes on should
    // the file have grown meanwhile.
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    std::string bytes;
    size_t chunk = error ? 1 << 16 : static_cast<size_t>(size) + 1;
    for (;;) {
        const size_t used = bytes.size();
        bytes.resize(used + chunk);
        const size_t count = std::fread(&bytes[used], 1, chunk, file.get());
        bytes.resize(used + count);
        if (count < chunk)
            break;
        chunk = std::max<size_t>(chunk, 1 << 16);
    }
    // A folder opens but cannot be read; neither can a file on a failing disk.
    if (std::ferror(file.get()))
        throw std::runtime_error("Cannot open file " + path);
    return bytes;
}

TLines LoadLinesFromFile(const std::string& path)
{
    return SplitLines(LoadBytesFromFile(path));
}

void SaveLinesToFile(const std::string& path, const TLines& lines)
{
    SaveBytesToFile(path, JoinLines(lines));
}

void SaveBytesToFile(const std::string& path, const std::string& content)
{
    const std::filesystem::path target(path);
    // Another file may hold the random name by chance; then take another.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::filesystem::path temporary = TemporaryPathBeside(target);
        // "x": created here and now, never an existing file taken over.
        std::FILE* file = std::fopen(temporary.c_str(), "wbx");
        if (!file) {
            if (errno == EEXIST)
                continue;
            break;
        }
        bool saved = WriteAndClose(file, content);
        if (saved) {
            CopyPermissions(target, temporary);
            saved = std::rename(temporary.c_str(), path.c_str()) == 0;
        }
        if (saved)
            return;
        std::remove(temporary.c_str());
        break;
    }
    throw std::runtime_error("Cannot create file " + path);
}
