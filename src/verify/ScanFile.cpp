#include "verify/ScanFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <algorithm>

namespace {

// SVG is drawn at twice its own size, so that no module falls between two pixels.
constexpr int SvgEnlargement = 2;

QString SuffixOf(const QString &fileName)
{
    return QFileInfo(fileName).suffix().toLower();
}

bool IsSvg(const QString &fileName)
{
    return SuffixOf(fileName) == QLatin1String("svg");
}

// The symbol without its human-readable text: the reader needs no text, and drawing text needs
// the fonts of a graphical session, which the command line does not open.
QByteArray WithoutText(QByteArray svg)
{
    static const QRegularExpression text(QStringLiteral("<text\\b[^>]*(/>|>.*?</text>)"),
                                         QRegularExpression::DotMatchesEverythingOption);
    return QString::fromUtf8(svg).remove(text).toUtf8();
}

QImage DrawnSvg(const QString &fileName, QString &reason)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return {};
    }
    QSvgRenderer renderer(WithoutText(file.readAll()));
    if (!renderer.isValid()) {
        reason = QStringLiteral("the file is not a picture in SVG");
        return {};
    }
    const QSize size = renderer.defaultSize() * SvgEnlargement;
    if (size.isEmpty())
        return {};
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    renderer.render(&painter);
    painter.end();
    return picture;
}

quint16 Word(const QByteArray &bytes, int offset)
{
    return quint16(quint8(bytes[offset]) | (quint8(bytes[offset + 1]) << 8));
}

// PCX, which Qt does not read: the engine's 24-bit files (three planes of 8 bits, run-length
// encoded). Anything else, or a damaged file, gives a null picture and the reason.
QImage ReadPcx(const QString &fileName, QString &reason)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return {};
    }
    const QByteArray bytes = file.readAll();
    constexpr int HeaderSize = 128;
    if (bytes.size() < HeaderSize || bytes[0] != 0x0A || bytes[2] != 1 || bytes[3] != 8 || bytes[65] != 3) {
        reason = QStringLiteral("not a 24-bit PCX picture");
        return {};
    }
    const int width = Word(bytes, 8) - Word(bytes, 4) + 1;
    const int height = Word(bytes, 10) - Word(bytes, 6) + 1;
    const int lineBytes = Word(bytes, 66);
    if (width <= 0 || height <= 0 || lineBytes < width) {
        reason = QStringLiteral("not a 24-bit PCX picture");
        return {};
    }
    QImage picture(width, height, QImage::Format_RGB32);
    if (picture.isNull()) {
        reason = QStringLiteral("the PCX picture is too large");
        return {};
    }
    QByteArray line(3 * lineBytes, '\0');
    qsizetype at = HeaderSize;
    for (int y = 0; y < height; ++y) {
        for (qsizetype filled = 0; filled < line.size();) {
            if (at >= bytes.size()) {
                reason = QStringLiteral("the PCX file is cut short");
                return {};
            }
            const quint8 b = quint8(bytes[at++]);
            qsizetype count = 1;
            quint8 value = b;
            if ((b & 0xC0) == 0xC0) {
                count = b & 0x3F;
                if (at >= bytes.size()) {
                    reason = QStringLiteral("the PCX file is cut short");
                    return {};
                }
                value = quint8(bytes[at++]);
            }
            count = std::min(count, line.size() - filled);
            std::fill_n(line.begin() + filled, count, char(value));
            filled += count;
        }
        auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = qRgb(quint8(line[x]), quint8(line[lineBytes + x]), quint8(line[2 * lineBytes + x]));
    }
    return picture;
}

// Qt's BMP reader fills what a cut file lacks with whatever the memory held: a BMP shorter than
// its header says is cut, whatever the picture would show.
bool CutBmp(const QString &fileName)
{
    if (SuffixOf(fileName) != QLatin1String("bmp"))
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(6);
    if (header.size() < 6)
        return true;
    const quint32 declared = quint32(Word(header, 2)) | (quint32(Word(header, 4)) << 16);
    return qint64(declared) > file.size();
}

bool IsPcx(const QString &fileName)
{
    return SuffixOf(fileName) == QLatin1String("pcx");
}

} // namespace

bool CanReadBackFile(const QString &fileName)
{
    if (IsSvg(fileName) || IsPcx(fileName))
        return true;
    return QImageReader::supportedImageFormats().contains(SuffixOf(fileName).toLatin1());
}

std::optional<TScanVerdict> ReadBackFile(const QString &fileName, const TScanRequest &request)
{
    if (!CanReadBackFile(fileName))
        return std::nullopt;
    QString reason;
    QImage picture;
    if (IsSvg(fileName)) {
        picture = DrawnSvg(fileName, reason);
    } else if (IsPcx(fileName)) {
        picture = ReadPcx(fileName, reason);
    } else if (CutBmp(fileName)) {
        reason = QStringLiteral("the BMP file is cut short");
    } else {
        QImageReader reader(fileName);
        picture = reader.read();
        if (picture.isNull())
            reason = reader.errorString();
    }
    TScanVerdict verdict;
    if (picture.isNull()) {
        verdict.Outcome = TScanOutcome::DoesNotRead;
        verdict.Seen = reason;
        return verdict;
    }
    return ReadBack(picture, request);
}
