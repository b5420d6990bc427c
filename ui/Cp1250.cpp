#include "Cp1250.h"

#include "model/Cp1250.h"

QString FromCp1250(const std::string& bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            text.append(QChar('\n'));
        } else if (b < 0x80) {
            text.append(QChar(b));
        } else {
            text.append(QChar(Cp1250ToUnicode(b)));
        }
    }
    return text;
}

std::string ToCp1250(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == '\n' || c == 0x2028 || c == 0x2029) {
            bytes += "\r\n";
        } else if (QChar::isHighSurrogate(c)) {
            // One character outside the code page, however many units it takes.
            if (i + 1 < text.size() && QChar::isLowSurrogate(text.at(i + 1).unicode()))
                ++i;
            bytes += '?';
        } else {
            const unsigned char b = UnicodeToCp1250(c);
            bytes += b ? static_cast<char>(b) : '?';
        }
    }
    return bytes;
}
