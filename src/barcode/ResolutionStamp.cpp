#include "barcode/PhysicalSize.h"

#include "barcode/BarcodeError.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <cmath>

namespace {

constexpr double MetresPerInch = 0.0254;

[[noreturn]] void Fail(const QString &fileName, const QString &reason)
{
    throw EBarcodeError(QStringLiteral("The resolution of \"%1\" could not be set: %2")
                            .arg(QDir::toNativeSeparators(fileName), reason));
}

template <typename T>
void PutLE(QByteArray &bytes, qsizetype at, T value) { qToLittleEndian(value, bytes.data() + at); }

quint32 PixelsPerMetre(double dpi)
{
    return quint32(std::lround(dpi / MetresPerInch));
}

// BITMAPINFOHEADER (or a later header, which starts alike) right after the 14-byte file header.
bool StampBmp(QByteArray &bytes, double dpi)
{
    if (bytes.size() < 46 || qFromLittleEndian<quint32>(bytes.constData() + 14) < 40)
        return false;
    PutLE(bytes, 38, PixelsPerMetre(dpi)); // biXPelsPerMeter
    PutLE(bytes, 42, PixelsPerMetre(dpi)); // biYPelsPerMeter
    return true;
}

bool StampPcx(QByteArray &bytes, double dpi)
{
    if (bytes.size() < 128 || dpi > 65535)
        return false;
    const quint16 dots = quint16(std::lround(dpi));
    PutLE(bytes, 12, dots); // HDpi
    PutLE(bytes, 14, dots); // VDpi
    return true;
}

// The CRC-32 that PNG chunks carry (ISO 3309, reflected polynomial 0xEDB88320).
quint32 Crc32(const char *data, qsizetype size)
{
    quint32 crc = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < size; ++i) {
        crc ^= uchar(data[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray PngChunk(const char *type, const QByteArray &data)
{
    QByteArray chunk(4, '\0');
    qToBigEndian(quint32(data.size()), chunk.data());
    chunk += QByteArray(type, 4) + data;
    QByteArray tail(4, '\0');
    qToBigEndian(Crc32(chunk.constData() + 4, chunk.size() - 4), tail.data()); // over type and data
    return chunk + tail;
}

// A pHYs chunk (pixels per metre, unit 1) before the first IDAT; any older one is dropped.
bool StampPng(QByteArray &bytes, double dpi)
{
    QByteArray physical(9, '\0');
    qToBigEndian(PixelsPerMetre(dpi), physical.data());
    qToBigEndian(PixelsPerMetre(dpi), physical.data() + 4);
    physical[8] = 1;
    QByteArray result = bytes.left(8);
    bool placed = false;
    for (qsizetype at = 8; at + 12 <= bytes.size();) {
        const qsizetype length = qFromBigEndian<quint32>(bytes.constData() + at);
        if (length > bytes.size() - at - 12)
            return false;
        const QByteArray type = bytes.mid(at + 4, 4);
        if (type == "IDAT" && !placed) {
            result += PngChunk("pHYs", physical);
            placed = true;
        }
        if (type != "pHYs")
            result += bytes.mid(at, length + 12);
        at += length + 12;
    }
    if (!placed)
        return false;
    bytes = result;
    return true;
}

// Patches X/YResolution (RATIONAL) and ResolutionUnit (inch) of the first IFD in place.
bool StampTiff(QByteArray &bytes, double dpi)
{
    const bool little = bytes.startsWith("II");
    auto get16 = [&](qsizetype at) { return little ? qFromLittleEndian<quint16>(bytes.constData() + at) : qFromBigEndian<quint16>(bytes.constData() + at); };
    auto get32 = [&](qsizetype at) { return little ? qFromLittleEndian<quint32>(bytes.constData() + at) : qFromBigEndian<quint32>(bytes.constData() + at); };
    auto put32 = [&](qsizetype at, quint32 v) { little ? qToLittleEndian(v, bytes.data() + at) : qToBigEndian(v, bytes.data() + at); };
    auto put16 = [&](qsizetype at, quint16 v) { little ? qToLittleEndian(v, bytes.data() + at) : qToBigEndian(v, bytes.data() + at); };
    const qsizetype ifd = bytes.size() >= 8 ? qsizetype(get32(4)) : -1;
    if (ifd < 8 || ifd + 2 > bytes.size())
        return false;
    const int count = get16(ifd);
    if (ifd + 2 + 12 * qsizetype(count) > bytes.size())
        return false;
    const bool whole = std::floor(dpi) == dpi;
    int found = 0;
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = ifd + 2 + 12 * i;
        const quint16 tag = get16(entry), type = get16(entry + 2);
        if ((tag == 282 || tag == 283) && type == 5 && get32(entry + 4) == 1) { // X/YResolution
            const qsizetype value = get32(entry + 8);
            if (value < 8 || value + 8 > bytes.size())
                return false;
            put32(value, whole ? quint32(dpi) : quint32(std::lround(dpi * 100)));
            put32(value + 4, whole ? 1u : 100u);
            ++found;
        } else if (tag == 296 && type == 3) { // ResolutionUnit
            put16(entry + 8, 2);
        }
    }
    return found == 2;
}


void CheckDpi(double dpi)
{
    if (!std::isfinite(dpi) || dpi <= 0)
        throw EBarcodeError(QStringLiteral("The resolution must be greater than 0 dpi, not %1").arg(dpi));
    if (dpi > 1e6)
        throw EBarcodeError(QStringLiteral("The resolution of %1 dpi is too large").arg(dpi));
}

} // namespace

bool StampResolutionBytes(QByteArray &bytes, double dpi, const QString &fileName)
{
    CheckDpi(dpi);
    bool stamped;
    if (bytes.startsWith("BM"))
        stamped = StampBmp(bytes, dpi);
    else if (bytes.startsWith("\x0A") && bytes.size() > 2 && bytes[2] == 1)
        stamped = StampPcx(bytes, dpi);
    else if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        stamped = StampPng(bytes, dpi);
    else if (bytes.startsWith(QByteArray("II*\0", 4)) || bytes.startsWith(QByteArray("MM\0*", 4)))
        stamped = StampTiff(bytes, dpi);
    else
        return false;
    if (!stamped)
        Fail(fileName, QStringLiteral("the file is damaged or its format has no room for %1 dpi").arg(dpi));
    return true;
}

bool StampResolution(const QString &fileName, double dpi)
{
    CheckDpi(dpi);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        Fail(fileName, file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        Fail(fileName, file.errorString());
    file.close();
    if (!StampResolutionBytes(bytes, dpi, fileName))
        return false;

    // Written whole or not at all: a failing write leaves the engine's file as it was.
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        Fail(fileName, out.errorString());
    return true;
}
