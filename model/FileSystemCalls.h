// The system calls through which files are written. A full disk or a failing
// flush cannot be had on demand, so tests put functions of their own here to
// make those steps fail; the program never changes them.
#pragma once

#include <cstddef>

struct TFileSystemCalls
{
    // Writes every byte or fails; 0, or the errno value of the failure.
    int (*Write)(int fd, const char* data, std::size_t size);
    // Flushes a file or folder to the disk; 0, or the errno value.
    int (*Sync)(int fd);
};

// The calls in use; they start as the real ones.
TFileSystemCalls& FileSystemCalls();
// The real calls, for a test to restore or to wrap.
const TFileSystemCalls& RealFileSystemCalls();
