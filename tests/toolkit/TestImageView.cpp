// The picture control on the screen: fit and zoom, scrolling, what a new or the same picture
// repaints, and the requests it passes to its window (menu, drag).
#include "toolkit/ExtCtrls.h"
#include "toolkit/Form.h"

#include <QScrollBar>
#include <QtTest>

Q_DECLARE_METATYPE(TZoomFactor)

namespace {

constexpr QRgb Black = 0xFF000000u, White = 0xFFFFFFFFu;
const QColor Surround(10, 200, 30);

// A picture of `size` in white with a black pixel at every point of `black`.
QImage Picture(QSize size, const QList<QPoint> &black = {})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(White);
    for (const QPoint &point : black)
        image.setPixel(point, Black);
    return image;
}

// A shown window with a picture control of `size` on a container of a known colour.
struct TView
{
    explicit TView(QSize size)
    {
        QPalette palette = Form.palette();
        palette.setColor(QPalette::Window, Surround);
        Form.setPalette(palette);
        Form.SetClientWidth(size.width());
        Form.SetClientHeight(size.height());
        Image = new TImage(&Form, &Form);
        Image->SetAlign(alClient);
        Form.Show();
        QVERIFY(QTest::qWaitForWindowExposed(&Form));
    }
    TForm Form{nullptr};
    TImage *Image = nullptr;
};

class TPaintCounter final : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++Count;
        return false;
    }
    int Count = 0;
};

void SendMouse(QWidget *to, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

void SendWheel(QWidget *to, int angle, Qt::KeyboardModifiers modifiers)
{
    const QPointF at(to->width() / 2.0, to->height() / 2.0);
    QWheelEvent event(at, to->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(to, &event);
}

} // namespace

class TestImageView final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void FitToWindow_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<TZoomFactor>("scale");
        QTest::addColumn<QRect>("placed");
        QTest::newRow("small: enlarged to fill, centred") << QSize(40, 20) << TZoomFactor{4, 1} << QRect(20, 10, 160, 80);
        QTest::newRow("odd size: whole factor, centred") << QSize(30, 40) << TZoomFactor{2, 1} << QRect(70, 10, 60, 80);
        QTest::newRow("too wide: reduced by 3") << QSize(500, 150) << TZoomFactor{1, 3} << QRect(16, 25, 167, 50);
    }

    void FitToWindow()
    {
        QFETCH(QSize, picture);
        QFETCH(TZoomFactor, scale);
        QFETCH(QRect, placed);
        TView view(QSize(200, 100));
        view.Image->SetPicture(Picture(picture));
        QVERIFY(view.Image->FitToWindow());
        QCOMPARE(view.Image->DrawnScale(), scale);
        QCOMPARE(view.Image->PictureRect(), placed);
        QCOMPARE(view.Image->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(view.Image->verticalScrollBar()->maximum(), 0);
    }

    void EnlargedPixelsAreWholeBlocks()
    {
        TView view(QSize(200, 100));
        view.Image->SetPicture(Picture(QSize(4, 3), {QPoint(1, 1), QPoint(3, 0)}));
        view.Image->SetZoom({3, 1});
        QVERIFY(!view.Image->FitToWindow());
        const QRect placed = view.Image->PictureRect();
        QCOMPARE(placed, QRect(94, 45, 12, 9));
        const QImage shot = view.Image->grab().toImage();
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 12; ++x) {
                const bool black = (x / 3 == 1 && y / 3 == 1) || (x / 3 == 3 && y / 3 == 0);
                // White is the picture's bottom-left colour: the container shows there.
                QCOMPARE(shot.pixel(placed.x() + x, placed.y() + y), black ? Black : Surround.rgb());
            }
        }
        // The line around the picture marks its edge; beyond it, the container's colour.
        QVERIFY(shot.pixel(placed.x() - 1, placed.y()) != Surround.rgb());
        QCOMPARE(shot.pixel(placed.x() - 2, placed.y()), Surround.rgb());
    }

    void ZoomInAndOutFromFit()
    {
        TView view(QSize(200, 100));
        QSignalSpy changes(view.Image, &TImage::OnZoomChange);
        view.Image->SetPicture(Picture(QSize(500, 150)));
        QCOMPARE(changes.count(), 1); // the fit reduced the new picture
        changes.clear();
        view.Image->ZoomIn(); // from a fit of 1/3
        QCOMPARE(view.Image->Zoom(), (TZoomFactor{1, 2}));
        QCOMPARE(view.Image->DrawnScale(), (TZoomFactor{1, 2}));
        // 250 pixels wide in a 200 pixel wide control: it scrolls.
        QVERIFY(view.Image->horizontalScrollBar()->maximum() > 0);
        view.Image->ZoomOut();
        view.Image->ZoomOut();
        QCOMPARE(view.Image->Zoom(), (TZoomFactor{1, 4}));
        view.Image->SetFitToWindow();
        QVERIFY(view.Image->FitToWindow());
        QCOMPARE(view.Image->DrawnScale(), (TZoomFactor{1, 3}));
        QCOMPARE(view.Image->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(changes.count(), 4);
        view.Image->SetFitToWindow();
        QCOMPARE(changes.count(), 4);
    }

    void CtrlWheelZoomsPlainWheelScrolls()
    {
        TView view(QSize(200, 100));
        view.Image->SetPicture(Picture(QSize(50, 50)));
        SendWheel(view.Image->viewport(), 120, Qt::ControlModifier);
        QCOMPARE(view.Image->Zoom(), (TZoomFactor{2, 1}));
        // A touchpad's small steps add up to one notch.
        SendWheel(view.Image->viewport(), 60, Qt::ControlModifier);
        QCOMPARE(view.Image->Zoom(), (TZoomFactor{2, 1}));
        SendWheel(view.Image->viewport(), 60, Qt::ControlModifier);
        QCOMPARE(view.Image->Zoom(), (TZoomFactor{3, 1}));
        const int scrolled = view.Image->verticalScrollBar()->value();
        SendWheel(view.Image->viewport(), -120, Qt::NoModifier);
        QCOMPARE(view.Image->Zoom(), (TZoomFactor{3, 1}));
        QVERIFY(view.Image->verticalScrollBar()->value() > scrolled);
    }

    void ScrolledViewShowsTheScrolledPart()
    {
        TView view(QSize(200, 100));
        view.Image->SetPicture(Picture(QSize(100, 100), {QPoint(10, 20)}));
        view.Image->SetZoom({4, 1});
        view.Image->horizontalScrollBar()->setValue(40);
        view.Image->verticalScrollBar()->setValue(80);
        // Picture pixel (10, 20) starts at zoomed (40, 80): now the top-left of the visible area.
        const QImage shot = view.Image->grab().toImage();
        QCOMPARE(shot.pixel(0, 0), Black);
        QCOMPARE(shot.pixel(3, 3), Black);
        QCOMPARE(shot.pixel(4, 4), Surround.rgb());
    }

    void OnlyANewPictureRepaints()
    {
        TView view(QSize(200, 100));
        const QImage first = Picture(QSize(10, 10));
        view.Image->SetPicture(first);
        QCoreApplication::processEvents();
        TPaintCounter counter;
        view.Image->viewport()->installEventFilter(&counter);
        view.Image->SetPicture(first);
        QImage sameData = first;
        view.Image->SetPicture(sameData);
        QCoreApplication::processEvents();
        QCOMPARE(counter.Count, 0);
        view.Image->SetPicture(Picture(QSize(10, 10), {QPoint(1, 1)}));
        QCoreApplication::processEvents();
        QCOMPARE(counter.Count, 1);
    }

    void MenuKeyAndShiftF10AskForTheMenu()
    {
        TView view(QSize(200, 100));
        view.Image->SetPicture(Picture(QSize(10, 10)));
        QSignalSpy popups(view.Image, &TImage::OnContextPopup);
        QTest::keyClick(view.Image, Qt::Key_Menu);
        QTest::keyClick(view.Image, Qt::Key_F10, Qt::ShiftModifier);
        QTest::keyClick(view.Image, Qt::Key_F10);
        QCOMPARE(popups.count(), 2);
        // The menu opens over the picture.
        const QPoint centre = view.Image->viewport()->mapToGlobal(view.Image->PictureRect().center());
        QCOMPARE(popups.at(0).at(1).toPoint(), centre);
    }

    void PullingThePictureStartsADrag()
    {
        TView view(QSize(200, 100));
        view.Image->SetPicture(Picture(QSize(40, 20)));
        QSignalSpy drags(view.Image, &TImage::OnStartDrag);
        QWidget *area = view.Image->viewport();
        const QPoint inside = view.Image->PictureRect().center();
        const int distance = QApplication::startDragDistance();
        SendMouse(area, QEvent::MouseButtonPress, inside, Qt::LeftButton);
        SendMouse(area, QEvent::MouseMove, inside + QPoint(distance - 1, 0), Qt::LeftButton);
        QCOMPARE(drags.count(), 0);
        SendMouse(area, QEvent::MouseMove, inside + QPoint(distance, 0), Qt::LeftButton);
        SendMouse(area, QEvent::MouseMove, inside + QPoint(2 * distance, 0), Qt::LeftButton);
        QCOMPARE(drags.count(), 1);
        SendMouse(area, QEvent::MouseButtonRelease, inside, Qt::NoButton);
        // Beside the picture nothing is pulled.
        SendMouse(area, QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton);
        SendMouse(area, QEvent::MouseMove, QPoint(2 + 3 * distance, 2), Qt::LeftButton);
        QCOMPARE(drags.count(), 1);
    }
};

QTEST_MAIN(TestImageView)
#include "TestImageView.moc"
