#include "verify/ScanFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

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

} // namespace

bool CanReadBackFile(const QString &fileName)
{
    if (IsSvg(fileName))
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
