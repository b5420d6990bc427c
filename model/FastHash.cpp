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
