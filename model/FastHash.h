// A fast non-cryptographic 64-bit hash, after the design of XXH64: four
// lanes of eight bytes take 32 bytes a round, so a hash of a whole file
// costs about as much as reading it from memory once. It tells contents
// apart for the program's own checks; it is never stored in a file.
#pragma once

#include <cstdint>
#include <string_view>

uint64_t FastHash(std::string_view bytes, uint64_t seed = 0);

// Hashes a run of texts, each told apart by its length, at a cost per text
// of a few multiplications, after the design of wyhash: for the many short
// fields of a test, where FastHash's set-up and finish for each would cost
// more than their bytes.
class TFieldHash
{
public:
    void Add(std::string_view text);
    uint64_t Result() const { return State; }

private:
    uint64_t State = 0x243F6A8885A308D3ull;
};
