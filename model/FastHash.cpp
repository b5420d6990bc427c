#include "FastHash.h"

#include <cstring>

namespace {

constexpr uint64_t P1 = 0x9E3779B185EBCA87ull;
constexpr uint64_t P2 = 0xC2B2AE3D27D4EB4Full;
constexpr uint64_t P3 = 0x165667B19E3779F9ull;
constexpr uint64_t P4 = 0x85EBCA77C2B2AE63ull;
constexpr uint64_t P5 = 0x27D4EB2F165667C5ull;

uint64_t RotateLeft(uint64_t value, int bits)
{
    return (value << bits) | (value >> (64 - bits));
}

uint64_t Read64(const char* at)
{
    uint64_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

uint32_t Read32(const char* at)
{
    uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// The 128-bit product of two words, folded into one.
__extension__ typedef unsigned __int128 TWideProduct;
uint64_t Fold(uint64_t a, uint64_t b)
{
    const TWideProduct product = TWideProduct(a) * b;
    return uint64_t(product) ^ uint64_t(product >> 64);
}

constexpr uint64_t W0 = 0xA0761D6478BD642Full;
constexpr uint64_t W1 = 0xE7037ED1A0B428DBull;
constexpr uint64_t W2 = 0x8EBC6AF09C88C6E3ull;
constexpr uint64_t W3 = 0x589965CC75374CC3ull;

uint64_t Round(uint64_t lane, uint64_t input)
{
    return RotateLeft(lane + input * P2, 31) * P1;
}

uint64_t MergeLane(uint64_t hash, uint64_t lane)
{
    return (hash ^ Round(0, lane)) * P1 + P4;
}

} // namespace

uint64_t FastHash(std::string_view bytes, uint64_t seed)
{
    const char* at = bytes.data();
    const char* const end = at + bytes.size();
    uint64_t hash;
    if (bytes.size() >= 32) {
        uint64_t lanes[4] = {seed + P1 + P2, seed + P2, seed, seed - P1};
        for (; end - at >= 32; at += 32) {
            lanes[0] = Round(lanes[0], Read64(at));
            lanes[1] = Round(lanes[1], Read64(at + 8));
            lanes[2] = Round(lanes[2], Read64(at + 16));
            lanes[3] = Round(lanes[3], Read64(at + 24));
        }
        hash = RotateLeft(lanes[0], 1) + RotateLeft(lanes[1], 7) + RotateLeft(lanes[2], 12)
               + RotateLeft(lanes[3], 18);
        for (const uint64_t lane : lanes)
            hash = MergeLane(hash, lane);
    } else {
        hash = seed + P5;
    }
    hash += uint64_t(bytes.size());
    for (; end - at >= 8; at += 8)
        hash = RotateLeft(hash ^ Round(0, Read64(at)), 27) * P1 + P4;
    if (end - at >= 4) {
        hash = RotateLeft(hash ^ (uint64_t(Read32(at)) * P1), 23) * P2 + P3;
        at += 4;
    }
    for (; at != end; ++at)
        hash = RotateLeft(hash ^ (uint64_t(static_cast<unsigned char>(*at)) * P5), 11) * P1;
    hash ^= hash >> 33;
    hash *= P2;
    hash ^= hash >> 29;
    hash *= P3;
    hash ^= hash >> 32;
    return hash;
}

void TFieldHash::Add(std::string_view text)
{
    const char* at = text.data();
    const size_t size = text.size();
    uint64_t seed = State;
    uint64_t a = 0;
    uint64_t b = 0;
    if (size <= 16) {
        // Up to 16 bytes in two words, read overlapping rather than byte by byte.
        if (size >= 4) {
            const size_t quarter = (size >> 3) << 2;
            a = (uint64_t(Read32(at)) << 32) | Read32(at + quarter);
            b = (uint64_t(Read32(at + size - 4)) << 32) | Read32(at + size - 4 - quarter);
        } else if (size > 0) {
            a = (uint64_t(static_cast<unsigned char>(at[0])) << 16)
                | (uint64_t(static_cast<unsigned char>(at[size >> 1])) << 8)
                | static_cast<unsigned char>(at[size - 1]);
        }
    } else {
        size_t left = size;
        if (left > 48) {
            // Three lanes, so that the multiplications overlap.
            uint64_t second = seed;
            uint64_t third = seed;
            do {
                seed = Fold(Read64(at) ^ W1, Read64(at + 8) ^ seed);
                second = Fold(Read64(at + 16) ^ W2, Read64(at + 24) ^ second);
                third = Fold(Read64(at + 32) ^ W3, Read64(at + 40) ^ third);
                at += 48;
                left -= 48;
            } while (left > 48);
            seed ^= second ^ third;
        }
        for (; left > 16; left -= 16, at += 16)
            seed = Fold(Read64(at) ^ W1, Read64(at + 8) ^ seed);
        a = Read64(at + left - 16);
        b = Read64(at + left - 8);
    }
    State = Fold(Fold(a ^ W1, b ^ seed) ^ W0 ^ size, seed ^ W1);
}
