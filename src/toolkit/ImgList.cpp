#include "toolkit/ImgList.h"

TImageList::TImageList(QObject *AOwner)
    : TComponent(AOwner)
{
}

void TImageList::SetWidth(int value)
{
    if (value <= 0 || value == FWidth)
        return;
    FWidth = value;
    // The toolkit empties an image list whose size changes.
    Clear();
}

void TImageList::SetHeight(int value)
{
    if (value <= 0 || value == FHeight)
        return;
    FHeight = value;
    Clear();
}

int TImageList::Add(const QImage &image)
{
    QImage stored = image.convertToFormat(QImage::Format_ARGB32);
    if (!stored.isNull() && stored.size() != QSize(FWidth, FHeight))
        stored = stored.scaled(FWidth, FHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    FImages.append(stored);
    Q_EMIT Changed();
    return int(FImages.size()) - 1;
}

void TImageList::Clear()
{
    if (FImages.isEmpty())
        return;
    FImages.clear();
    Q_EMIT Changed();
}

QImage TImageList::Image(int index) const
{
    return index >= 0 && index < FImages.size() ? FImages.at(index) : QImage();
}

QPixmap TImageList::Pixmap(int index) const
{
    const QImage image = Image(index);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QIcon TImageList::Icon(int index) const
{
    const QPixmap pixmap = Pixmap(index);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}
