#include "batch/BatchText.h"

#include <QStringDecoder>

namespace {

QString DecodeUtf16(const QByteArray &bytes, QStringConverter::Encoding encoding)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(bytes).sliced(2));
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

// Without a mark the locale's encoding decides (UTF-8 on this platform). Bytes that are not
// valid in it would turn into replacement characters and the user's text would be lost, so such
// a file is taken as Latin-1 instead, which keeps every byte as a character.
QString DecodeEightBit(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringConverter::System, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        text = QString::fromLatin1(bytes);
    return text;
}

} // namespace

QString DecodeBatchFile(const QByteArray &bytes)
{
    const auto byteAt = [&bytes](int index) { return static_cast<unsigned char>(bytes.at(index)); };
    if (bytes.size() >= 2 && byteAt(0) == 0xFF && byteAt(1) == 0xFE)
        return DecodeUtf16(bytes, QStringConverter::Utf16LE);
    if (bytes.size() >= 2 && byteAt(0) == 0xFE && byteAt(1) == 0xFF)
        return DecodeUtf16(bytes, QStringConverter::Utf16BE);

    QByteArrayView body(bytes);
    const bool utf8Mark = bytes.size() >= 3 && byteAt(0) == 0xEF && byteAt(1) == 0xBB && byteAt(2) == 0xBF;
    if (utf8Mark)
        body = body.sliced(3);
    // In an 8-bit text the NUL byte is the NUL character: cut before decoding, so that a binary
    // file costs no more than its first zero byte.
    const qsizetype nul = body.indexOf('\0');
    if (nul >= 0)
        body = body.first(nul);
    if (utf8Mark) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        return utf8.decode(body);
    }
    return DecodeEightBit(body);
}

QStringList SplitBatchLines(QStringView text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text = text.first(nul);

    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.sliced(start, i - start).toString());
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    // The text after the last break is a line only when it is not empty.
    if (start < size)
        lines.append(text.sliced(start).toString());
    return lines;
}

QString TrimBatchLine(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= 32)
        ++first;
    while (last > first && text[last - 1].unicode() <= 32)
        --last;
    if (first == 0 && last == text.size())
        return text;
    return text.sliced(first, last - first);
}
