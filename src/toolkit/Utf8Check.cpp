#include "toolkit/Utf8Check.h"

qsizetype FirstNonUtf8Byte(QByteArrayView bytes, bool *multibyte)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype at = 0;
    while (at < size) {
        const unsigned char lead = data[at];
        if (lead < 0x80) {
            ++at;
            continue;
        }
        int more = 0;
        char32_t least = 0;
        char32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1, least = 0x80, code = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2, least = 0x800, code = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3, least = 0x10000, code = lead & 0x07u;
        } else {
            return at;
        }
        if (size - at < more + 1)
            return at;
        for (int i = 1; i <= more; ++i) {
            if ((data[at + i] & 0xC0) != 0x80)
                return at;
            code = (code << 6) | (data[at + i] & 0x3Fu);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return at;
        if (multibyte != nullptr)
            *multibyte = true;
        at += more + 1;
    }
    return -1;
}
