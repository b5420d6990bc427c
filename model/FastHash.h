// A fast non-cryptographic 64-bit hash, after the design of XXH64: four
// lanes of eight bytes take 32 bytes a round, so a hash of a whole file
// costs about as much as reading it from memory once. It tells contents
// apart for the program's own checks; it is never stored in a file.
#pragma once

#include <cstdint>
#include <string_view>

uint64_t FastHash(std::string_view bytes, uint64_t seed = 0);
