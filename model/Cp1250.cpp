#include "Cp1250.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

// Unicode of the bytes 0x80..0xFF.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// Byte of every character of the Basic Multilingual Plane; 0 where the
// code page has none.
const std::array<unsigned char, 0x10000>& EncodeTable()
{
    static const auto table = [] {
        std::array<unsigned char, 0x10000> t{};
        for (unsigned c = 1; c < 0x80; ++c)
            t[c] = static_cast<unsigned char>(c);
        for (unsigned i = 0; i < kHighHalf.size(); ++i)
            t[kHighHalf[i]] = static_cast<unsigned char>(0x80 + i);
        return t;
    }();
    return table;
}

// The character of the UTF-8 sequence at `at`, advancing past it; an invalid
// sequence (overlong, surrogate, beyond U+10FFFF, cut short) yields
// 0xFFFFFFFF and advances by one byte.
char32_t NextUtf8(const std::string& bytes, std::size_t& at)
{
    constexpr char32_t kInvalid = 0xFFFFFFFF;
    const auto lead = static_cast<unsigned char>(bytes[at]);
    ++at;
    if (lead < 0x80)
        return lead;
    int length = 0;
    char32_t c = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 1;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 2;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 3;
        c = lead & 0x07;
    } else {
        return kInvalid;
    }
    if (bytes.size() - at < static_cast<std::size_t>(length))
        return kInvalid;
    for (int k = 0; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80)
            return kInvalid;
        c = (c << 6) | (next & 0x3F);
    }
    const char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
    if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return kInvalid;
    at += static_cast<std::size_t>(length);
    return c;
}

} // namespace

char16_t Cp1250ToUnicode(unsigned char byte)
{
    return byte < 0x80 ? char16_t(byte) : kHighHalf[byte - 0x80];
}

unsigned char UnicodeToCp1250(char32_t character)
{
    return character < 0x10000 ? EncodeTable()[character] : 0;
}

std::string Cp1250ToUtf8(const std::string& bytes)
{
    std::string utf8;
    utf8.reserve(bytes.size() + bytes.size() / 8);
    for (const char b : bytes)
        AppendUtf8(utf8, Cp1250ToUnicode(static_cast<unsigned char>(b)));
    return utf8;
}

std::string Utf8ToCp1250(const std::string& utf8)
{
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const unsigned char b = UnicodeToCp1250(NextUtf8(utf8, at));
        bytes += b ? static_cast<char>(b) : '?';
    }
    return bytes;
}

void AppendUtf8(std::string& utf8, char32_t character)
{
    const auto c = static_cast<uint32_t>(character);
    if (c < 0x80) {
        utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
        utf8 += static_cast<char>(0xC0 | (c >> 6));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        utf8 += static_cast<char>(0xE0 | (c >> 12));
        utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        utf8 += static_cast<char>(0xF0 | (c >> 18));
        utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsValidUtf8(const std::string& bytes)
{
    for (std::size_t at = 0; at < bytes.size();) {
        if (NextUtf8(bytes, at) == 0xFFFFFFFF)
            return false;
    }
    return true;
}
