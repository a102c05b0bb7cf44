#include "batch/BatchText.h"

#include "toolkit/BoundedFile.h"
#include "toolkit/InputLimits.h"
#include "toolkit/Utf8Check.h"

#include <QStringDecoder>

#include <optional>

namespace {

// Text a person saved ends at its first NUL; NUL characters with more text after them are data.
template <typename View>
bool CutAtNul(View &text, bool &binary)
{
    const qsizetype nul = text.indexOf(decltype(text[0])(0));
    if (nul < 0)
        return true;
    for (qsizetype i = nul; i < text.size(); ++i) {
        if (text[i] != decltype(text[0])(0)) {
            binary = true;
            return false;
        }
    }
    text = text.first(nul);
    return true;
}

TBatchDecoded DecodeUtf16(QByteArrayView bytes, QStringConverter::Encoding encoding)
{
    TBatchDecoded decoded;
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    QStringView view(text);
    if (!CutAtNul(view, decoded.Binary))
        return decoded;
    text.truncate(view.size());
    decoded.Text = std::move(text);
    return decoded;
}

// UTF-16 without a mark: an even number of bytes, and the high bytes of Latin characters are
// zero, in every second byte. Answers the byte order, or nothing when the zero bytes follow no
// such pattern.
std::optional<QStringConverter::Encoding> UnmarkedUtf16(QByteArrayView bytes)
{
    const qsizetype sample = std::min<qsizetype>(bytes.size(), 4096) & ~qsizetype(1);
    const qsizetype units = sample / 2;
    if (units == 0 || bytes.size() % 2 != 0)
        return std::nullopt;
    qsizetype zeroEven = 0;
    qsizetype zeroOdd = 0;
    for (qsizetype i = 0; i < sample; i += 2) {
        zeroEven += bytes[i] == 0 ? 1 : 0;
        zeroOdd += bytes[i + 1] == 0 ? 1 : 0;
    }
    if (2 * zeroOdd >= units && 4 * zeroEven < zeroOdd)
        return QStringConverter::Utf16LE;
    if (2 * zeroEven >= units && 4 * zeroOdd < zeroEven)
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

// UTF-8 bytes from the middle of a file: a U+FEFF there is a character, not a mark to drop.
QString FromUtf8Part(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

// Text without a mark and without the zero bytes of UTF-16. Line breaks are the same bytes in
// UTF-8 and in Latin-1, so each line can be taken in the encoding it is written in.
TBatchDecoded DecodeEightBit(QByteArrayView body)
{
    TBatchDecoded decoded;
    if (!CutAtNul(body, decoded.Binary))
        return decoded;

    const auto *data = reinterpret_cast<const unsigned char *>(body.data());
    const qsizetype size = body.size();
    // The lines that are not UTF-8, with their bytes (the line break included).
    struct TStray
    {
        qsizetype Line;
        qsizetype Begin;
        qsizetype End;
    };
    QList<TStray> strays;
    bool multibyte = false;
    qsizetype line = 0;
    qsizetype start = 0;
    while (start < size) {
        qsizetype stop = start;
        while (stop < size && data[stop] != '\r' && data[stop] != '\n')
            ++stop;
        const bool utf8 = FirstNonUtf8Byte(body.sliced(start, stop - start), &multibyte) < 0;
        if (stop < size)
            stop += (data[stop] == '\r' && stop + 1 < size && data[stop + 1] == '\n') ? 2 : 1;
        ++line;
        if (!utf8)
            strays.append({line, start, stop});
        start = stop;
    }

    if (strays.isEmpty()) {
        decoded.Text = QString::fromUtf8(body);
    } else if (!multibyte) {
        // No UTF-8 anywhere: an 8-bit file, every byte its own character.
        decoded.Text = QString::fromLatin1(body);
    } else {
        decoded.Text.reserve(size);
        qsizetype done = 0;
        for (const TStray &stray : strays) {
            decoded.Text.append(FromUtf8Part(body.sliced(done, stray.Begin - done)));
            decoded.Text.append(QString::fromLatin1(body.sliced(stray.Begin, stray.End - stray.Begin)));
            decoded.StrayLines.append(stray.Line);
            done = stray.End;
        }
        decoded.Text.append(FromUtf8Part(body.sliced(done)));
    }
    return decoded;
}

} // namespace

TBatchDecoded DecodeBatchText(const QByteArray &bytes)
{
    const auto byteAt = [&bytes](int index) { return static_cast<unsigned char>(bytes.at(index)); };
    const QByteArrayView all(bytes);
    if (bytes.size() >= 2 && byteAt(0) == 0xFF && byteAt(1) == 0xFE)
        return DecodeUtf16(all.sliced(2), QStringConverter::Utf16LE);
    if (bytes.size() >= 2 && byteAt(0) == 0xFE && byteAt(1) == 0xFF)
        return DecodeUtf16(all.sliced(2), QStringConverter::Utf16BE);
    if (bytes.size() >= 3 && byteAt(0) == 0xEF && byteAt(1) == 0xBB && byteAt(2) == 0xBF) {
        TBatchDecoded decoded;
        QByteArrayView body = all.sliced(3);
        if (CutAtNul(body, decoded.Binary))
            decoded.Text = QString::fromUtf8(body);
        return decoded;
    }
    if (const auto encoding = UnmarkedUtf16(all))
        return DecodeUtf16(all, *encoding);
    return DecodeEightBit(all);
}

QString DecodeBatchFile(const QByteArray &bytes)
{
    return DecodeBatchText(bytes).Text;
}

namespace {

TBatchFile LoadBatchBytes(const TBoundedRead &read)
{
    TBatchFile file;
    switch (read.Result) {
    case TBoundedRead::Read:
        break;
    case TBoundedRead::TooLarge:
        file.Reason = QStringLiteral("it is larger than %1, the most a batch file may hold").arg(LimitText(MaxTextFileSize));
        return file;
    case TBoundedRead::NotRegular:
    case TBoundedRead::Failed:
        file.Reason = read.Error;
        return file;
    }
    TBatchDecoded decoded = DecodeBatchText(read.Bytes);
    if (decoded.Binary) {
        file.Reason = QStringLiteral("it is not a text file (it holds NUL characters amid its data)");
        return file;
    }
    file.Loaded = true;
    file.Text = std::move(decoded.Text);
    file.StrayLines = std::move(decoded.StrayLines);
    return file;
}

} // namespace

TBatchFile LoadBatchFile(const QString &path)
{
    return LoadBatchBytes(ReadBoundedFile(path, MaxTextFileSize, false));
}

TBatchFile LoadBatchStandardInput()
{
    return LoadBatchBytes(ReadBoundedStandardInput(MaxTextFileSize));
}

QString BatchLineList(const QList<qsizetype> &lines)
{
    constexpr qsizetype Named = 10;
    QStringList numbers;
    for (qsizetype i = 0; i < std::min(Named, lines.size()); ++i)
        numbers.append(QString::number(lines.at(i)));
    if (lines.size() > Named)
        return numbers.join(QStringLiteral(", ")) + QStringLiteral(" and %1 more").arg(lines.size() - Named);
    if (numbers.size() <= 1)
        return numbers.join(QString());
    const QString last = numbers.takeLast();
    return numbers.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
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
