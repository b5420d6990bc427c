// The Windows-1250 code page the test files are written in, and its
// conversion to and from UTF-8 for the formats of other programs.
#pragma once

#include <string>

// The Unicode character of a Windows-1250 byte. The five bytes the code page
// leaves undefined map to the C1 code points of the same value, so that any
// byte read from a file survives a trip through Unicode unchanged.
char16_t Cp1250ToUnicode(unsigned char byte);
// The Windows-1250 byte of a Unicode character; 0 when the code page has
// none (U+0000 itself is no text either).
unsigned char UnicodeToCp1250(char32_t character);

// Windows-1250 bytes as UTF-8; line breaks are left as they are.
std::string Cp1250ToUtf8(const std::string& bytes);
// UTF-8 as Windows-1250 bytes; line breaks are left as they are. A character
// the code page cannot hold, and every byte that is no valid UTF-8, becomes "?".
std::string Utf8ToCp1250(const std::string& utf8);
// Appends the UTF-8 bytes of a Unicode character (at most U+10FFFF).
void AppendUtf8(std::string& utf8, char32_t character);
// True when the bytes are valid UTF-8 throughout.
bool IsValidUtf8(const std::string& bytes);
