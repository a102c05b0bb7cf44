// Prints, per case, the processor time of one keystroke in the main window's input memo until the
// preview shows the new picture (typed character, change handler, render through TBarcode, hand-over
// to the preview and its painting), the time of the bare engine's encode and buffer of the same symbol
// (ZBarcode_Create, the window's settings, ZBarcode_Encode, ZBarcode_Buffer, ZBarcode_Delete) and
// their ratio (goal: at most 1.3). Three more columns show where the keystroke's time goes, and the
// last one the lowest ratio that this window could reach: the bare engine's time plus the memo's
// typing and painting of the window, as if the component cost no more than the bare engine and
// the new picture no more to paint than the old one. Where that is above the goal, no component
// and no preview can meet it; only a lighter text box could.
// The keystroke is measured with the scan check off (the table) and on, in alternating rounds; the
// RATIO lines compare the two (goal: on at most 5 % above off, as the reader has its own thread).
// Arguments "scale length" run only that case.
#include "app/Form1.h"
#include "app/ProcessMemory.h"
#include "app/ScanVerdictView.h"
#include "barcode/Barcode.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/MessageBox.h"
#include "toolkit/StdCtrls.h"

#include <zint.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

namespace {

QByteArray Text(int length)
{
    static const char Pattern[] = "Quorvel barcode 0123456789 ABCDEFGHIJ klmnopqrst; ";
    QByteArray text;
    while (text.size() < length)
        text += Pattern;
    return text.left(length);
}

// The record as the main window's barcode fills it: QR Code, border 8, white space 4 and 4.
int RenderBare(const QByteArray &data, float scale)
{
    zint_symbol *symbol = ZBarcode_Create();
    symbol->symbology = BARCODE_QRCODE;
    symbol->height = 50.0f;
    symbol->scale = scale;
    symbol->whitespace_width = 4;
    symbol->whitespace_height = 4;
    symbol->border_width = 8;
    symbol->output_options = 0;
    std::memcpy(symbol->fgcolour, "000000", 7);
    std::memcpy(symbol->bgcolour, "FFFFFF", 7);
    symbol->show_hrt = 1;
    symbol->input_mode = DATA_MODE;
    int result = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char *>(data.constData()),
                                 int(data.size()));
    if (result < ZINT_ERROR)
        result = ZBarcode_Buffer(symbol, 0);
    const int size = symbol->bitmap_width * symbol->bitmap_height;
    ZBarcode_Delete(symbol);
    return result < ZINT_ERROR ? size : -1;
}

// The thread's processor time: on a shared machine, wall-clock time mostly measures the others.
double CpuNs()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
}

template <typename F>
double BestOf(int iterations, F &&f)
{
    const double start = CpuNs();
    for (int i = 0; i < iterations; ++i)
        f(i);
    return (CpuNs() - start) / iterations;
}

// Paints the preview where the picture stands, now, as the screen shows it next. Like the event
// loop's next paint, this paints whatever else the keystroke changed too: the memo's new text.
void PaintPreview(TImage *image)
{
    image->viewport()->repaint(image->PictureRect().adjusted(-2, -2, 2, 2));
}

class TSilentMessages final : public TMessagePresenter
{
public:
    TModalResult Present(const TMessageBoxRequest &request) override
    {
        std::printf("message: %s\n", qPrintable(request.Text));
        return mrOk;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PrepareProcessMemory(); // as the program does
    QApplication application(argc, argv);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, settings.path());
    TSilentMessages messages;
    SetMessagePresenterForTests(&messages);

    std::unique_ptr<TForm1> form(CreateForm1());
    form->Show();
    // Shown on the screen, so that the window really paints.
    if (!QTest::qWaitForWindowExposed(form.get())) {
        std::printf("the window is not shown\n");
        return 1;
    }
    TMemo *memo = form->MemoInputText;

    std::printf("%-28s %12s %9s %7s | %8s %9s %10s %6s\n", "QR Code", "keystroke us", "bare us", "ratio",
                "memo us", "render us", "preview us", "floor");
    bool allMet = true;
    bool checkMet = true;
    QStringList checkLines;
    TCheckBox *scanCheck = form->ScanVerdict->CheckBoxScanCheck;
    // "BenchPreview 8 1000" runs only that scale and length (for profiling one case).
    const float onlyScale = argc > 2 ? QByteArray(argv[1]).toFloat() : 0.0f;
    const int onlyLength = argc > 2 ? QByteArray(argv[2]).toInt() : 0;
    for (const float scale : {1.0f, 4.0f, 8.0f}) {
        if (onlyScale > 0 && scale != onlyScale)
            continue;
        form->EditScale->setText(QString::number(scale));
        for (const int length : {20, 100, 500, 1000}) {
            if (onlyLength > 0 && length != onlyLength)
                continue;
            // Keystrokes alternate between typing a character and deleting it again, so that every
            // one changes the data; the bare engine renders the same two texts in turn.
            const QByteArray shorter = Text(length - 1);
            const QByteArray longer = shorter + 'x';
            memo->setPlainText(QString::fromLatin1(shorter));
            memo->setFocus();
            memo->moveCursor(QTextCursor::End);
            if (!form->StatusBar->SimpleText().isEmpty()) {
                std::printf("error: %s\n", qPrintable(form->StatusBar->SimpleText()));
                return 1;
            }
            auto type = [&](int i) {
                if (i % 2 == 0)
                    QTest::keyClick(memo, 'x');
                else
                    QTest::keyClick(memo, Qt::Key_Backspace);
            };
            // The keystroke ends when the preview has painted the new picture.
            auto keystroke = [&](int i) {
                type(i);
                PaintPreview(form->Image);
                // Verdicts that arrived are shown, as the event loop would.
                QCoreApplication::processEvents();
            };
            // Switching the check hands the reader the current picture: it is done before measuring.
            // Both states wait alike and warm up alike, so that neither starts with cold caches.
            auto setCheck = [&](bool on) {
                scanCheck->SetChecked(on);
                QTest::qWait(300);
                keystroke(0);
                keystroke(1);
            };
            auto bare = [&](int i) { RenderBare(i % 2 == 0 ? longer : shorter, scale); };

            keystroke(0);
            if (form->Barcode->InputText() != QString::fromLatin1(longer)
                || RenderBare(longer, scale) != form->Image->Picture().width() * form->Image->Picture().height()) {
                std::printf("the window and the bare engine disagree at %d characters\n", length);
                return 1;
            }
            keystroke(1);
            const double once = BestOf(2, bare);
            const int iterations = std::max(2, int(2 * std::max(1, int(30e6 / std::max(once, 1.0))) / 2));
            // Where the keystroke's time goes: the memo alone (typing and painting, its change
            // event blocked), the component's render alone, and the preview alone (taking a new
            // picture and painting it).
            auto memoOnly = [&](int i) {
                const QSignalBlocker blocker(memo);
                type(i);
                PaintPreview(form->Image);
            };
            const QString texts[2] = {QString::fromLatin1(longer), QString::fromLatin1(shorter)};
            auto render = [&](int i) {
                form->Barcode->SetInputText(texts[i % 2]);
                form->Barcode->Bitmap();
            };
            QImage pictures[2];
            for (int k = 0; k < 2; ++k) {
                render(k);
                pictures[k] = form->Barcode->Bitmap();
            }
            auto preview = [&](int i) {
                form->Image->SetPicture(pictures[i % 2]);
                PaintPreview(form->Image);
            };
            double windowNs = 1e300, bareNs = 1e300, memoNs = 1e300, renderNs = 1e300, previewNs = 1e300;
            double checkedNs = 1e300;
            for (int round = 0; round < 5; ++round) {
                setCheck(false);
                windowNs = std::min(windowNs, BestOf(iterations, keystroke));
                setCheck(true);
                checkedNs = std::min(checkedNs, BestOf(iterations, keystroke));
                bareNs = std::min(bareNs, BestOf(iterations, bare));
                memoNs = std::min(memoNs, BestOf(iterations, memoOnly));
                renderNs = std::min(renderNs, BestOf(iterations, render));
                previewNs = std::min(previewNs, BestOf(iterations, preview));
            }
            // The memo's text and the component's data are the same again for the next case.
            memo->setPlainText(QString::fromLatin1(shorter));
            const double ratio = windowNs / bareNs;
            allMet = allMet && ratio <= 1.3;
            const QString title = QStringLiteral("%1 characters, scale %2").arg(length).arg(double(scale));
            const double floor = (bareNs + memoNs) / bareNs;
            std::printf("%-28s %12.1f %9.1f %7.3f | %8.1f %9.1f %10.1f %6.2f\n", qPrintable(title), windowNs / 1000,
                        bareNs / 1000, ratio, memoNs / 1000, renderNs / 1000, previewNs / 1000, floor);
            const double checkRatio = checkedNs / windowNs;
            checkMet = checkMet && checkRatio <= 1.05;
            checkLines.append(QStringLiteral("RATIO\tkeystroke, scan check on / off, %1\t%2\t1.05")
                                  .arg(title)
                                  .arg(checkRatio, 0, 'f', 3));
        }
    }
    for (const QString &line : checkLines)
        std::printf("%s\n", qPrintable(line));
    std::printf("%s\n", checkMet ? "scan check goal met" : "scan check goal missed");
    std::printf("%s\n", allMet ? "all goals met" : "some goal missed");
    SetMessagePresenterForTests(nullptr);
    return 0;
}
