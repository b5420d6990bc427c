// The safe replace of a file: a temporary file beside the target, written,
// flushed to the disk and renamed over it in one step.
#pragma once

#include "Baza.h"

#include <string>
#include <string_view>

class TReplacingFile
{
public:
    // Prepares the replace of `path`: follows symbolic links to the file
    // they name, checks that it is a regular file the user may write (when
    // it exists), removes stale temporary files of earlier interrupted
    // writes from its folder and creates the temporary file. Throws
    // std::runtime_error "Cannot create file <path>: <reason>".
    explicit TReplacingFile(const std::string& path);
    // Removes the temporary file unless Commit succeeded.
    ~TReplacingFile();
    TReplacingFile(const TReplacingFile&) = delete;
    TReplacingFile& operator=(const TReplacingFile&) = delete;

    void Write(std::string_view bytes);
    // Flushes the file, renames it over the target and flushes the folder.
    // The stamp returned has no hash: the caller knows what it wrote.
    TFileStamp Commit();

private:
    [[noreturn]] void Fail(const std::string& reason) const;
    [[noreturn]] void FailWithErrno(int error) const;

    std::string Path;       // as the caller named it, for messages
    std::string Target;     // the file finally replaced, links followed
    std::string Temporary;
    int Fd = -1;
};
