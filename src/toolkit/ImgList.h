#pragma once

#include "toolkit/Component.h"

#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>

// A list of same-sized pictures that buttons and lists pick by index.
class TImageList final : public TComponent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TImageList)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)

public:
    explicit TImageList(QObject *AOwner);

    int Width() const { return FWidth; }
    void SetWidth(int value);
    int Height() const { return FHeight; }
    void SetHeight(int value);

    int Count() const { return int(FImages.size()); }
    // Adds a picture, scaled to the list's size when it differs; answers its index.
    int Add(const QImage &image);
    void Clear();
    // The picture at `index`; a null image when out of range.
    QImage Image(int index) const;
    QPixmap Pixmap(int index) const;
    QIcon Icon(int index) const;

Q_SIGNALS:
    void Changed();

private:
    int FWidth = 16;
    int FHeight = 16;
    QList<QImage> FImages;
};
