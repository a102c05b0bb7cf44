#include "app/Form1.h"

#include "app/SymbolExport.h"
#include "app/SymbolPrint.h"
#include "barcode/Barcode.h"
#include "lang/LangChanger.h"
#include "toolkit/EventGuard.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Menus.h"
#include "toolkit/MessageBox.h"

#include <QClipboard>
#include <QDrag>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <cmath>

// The preview's commands: copy, zoom, print and dragging the symbol out. They are reached through
// the preview's context menu (mouse, menu key, Shift+F10) and their shortcuts.

namespace {

// The largest side of the picture that follows the mouse while dragging.
constexpr int DragPictureSide = 128;

TMenuItem *CreateMenuItem(TForm1 *owner, const char *name, const QString &caption, const QString &hint,
                          const QList<QKeySequence> &keys)
{
    auto *item = new TMenuItem(owner);
    item->SetName(QLatin1String(name));
    item->SetCaption(caption);
    item->SetHint(hint);
    item->Action()->setShortcuts(keys);
    return item;
}

} // namespace

void TForm1::CreatePreviewCommands()
{
    // The preview takes the focus by Tab (it comes after the option panel) and by clicking.
    Image->setFocusPolicy(Qt::StrongFocus);
    Image->SetTabOrder(0);
    Image->SetHint(QStringLiteral("Preview: Ctrl+C copies the symbol, drag it into another program, "
                                  "Ctrl+wheel zooms; the menu key or Shift+F10 shows every command"));

    MenuItemCopy = CreateMenuItem(this, "MenuItemCopy", QStringLiteral("&Copy"),
                                  QStringLiteral("Copies the symbol to the clipboard as a picture and as SVG"),
                                  {QKeySequence::Copy});
    MenuItemZoomIn = CreateMenuItem(this, "MenuItemZoomIn", QStringLiteral("Zoom &in"),
                                    QStringLiteral("Shows the preview larger (also Ctrl+wheel)"),
                                    {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    MenuItemZoomOut = CreateMenuItem(this, "MenuItemZoomOut", QStringLiteral("Zoom &out"),
                                     QStringLiteral("Shows the preview smaller (also Ctrl+wheel)"),
                                     {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    MenuItemZoomFit = CreateMenuItem(this, "MenuItemZoomFit", QStringLiteral("&Fit to window"),
                                     QStringLiteral("Shows the whole symbol, enlarged or reduced by a "
                                                    "whole factor to fill the preview"),
                                     {QKeySequence(Qt::CTRL | Qt::Key_0)});
    MenuItemZoomActual = CreateMenuItem(this, "MenuItemZoomActual", QStringLiteral("&Actual size (1:1)"),
                                        QStringLiteral("Shows every pixel of the symbol on one pixel of the screen"),
                                        {QKeySequence(Qt::CTRL | Qt::Key_1)});
    MenuItemPrint = CreateMenuItem(this, "MenuItemPrint", QStringLiteral("&Print ..."),
                                   QStringLiteral("Prints the symbol at its actual size"), {QKeySequence::Print});
    MenuItemSave = CreateMenuItem(this, "MenuItemSave", QStringLiteral("&Save As ..."),
                                  QStringLiteral("Saves the symbol in the format chosen beside Save As"),
                                  {QKeySequence::Save});
    MenuItemCopyCommandLine = CreateMenuItem(this, "MenuItemCopyCommandLine", QStringLiteral("Copy as co&mmand line"),
                                             QStringLiteral("Copies the command that writes this symbol with the "
                                                            "program's command line"),
                                             {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)});

    // Ctrl+C belongs to the preview only: in the memos and edits it copies their text.
    MenuItemCopy->Action()->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    Image->addAction(MenuItemCopy->Action());
    for (TMenuItem *item : {MenuItemZoomIn, MenuItemZoomOut, MenuItemZoomFit, MenuItemZoomActual, MenuItemPrint,
                            MenuItemSave, MenuItemCopyCommandLine})
        addAction(item->Action());
    MenuItemZoomFit->Action()->setCheckable(true);
    MenuItemZoomActual->Action()->setCheckable(true);
    MenuItemZoomFit->SetChecked(true);

    FPreviewMenu = new QMenu(this);
    FPreviewMenu->setToolTipsVisible(true);
    FPreviewMenu->addAction(MenuItemCopy->Action());
    FPreviewMenu->addSeparator();
    for (TMenuItem *item : {MenuItemZoomIn, MenuItemZoomOut, MenuItemZoomFit, MenuItemZoomActual})
        FPreviewMenu->addAction(item->Action());
    FPreviewMenu->addSeparator();
    FPreviewMenu->addAction(MenuItemPrint->Action());
    FPreviewMenu->addAction(MenuItemSave->Action());
    FPreviewMenu->addAction(MenuItemCopyCommandLine->Action());
    UpdatePreviewCommands();
}

void TForm1::ConnectPreviewHandlers()
{
    ConnectGuarded(MenuItemCopy, &TMenuItem::OnClick, this, &TForm1::MenuItemCopyClick);
    ConnectGuarded(MenuItemZoomIn, &TMenuItem::OnClick, this, &TForm1::MenuItemZoomInClick);
    ConnectGuarded(MenuItemZoomOut, &TMenuItem::OnClick, this, &TForm1::MenuItemZoomOutClick);
    ConnectGuarded(MenuItemZoomFit, &TMenuItem::OnClick, this, &TForm1::MenuItemZoomFitClick);
    ConnectGuarded(MenuItemZoomActual, &TMenuItem::OnClick, this, &TForm1::MenuItemZoomActualClick);
    ConnectGuarded(MenuItemPrint, &TMenuItem::OnClick, this, &TForm1::MenuItemPrintClick);
    ConnectGuarded(MenuItemSave, &TMenuItem::OnClick, this, &TForm1::ButtonSaveClick);
    ConnectGuarded(MenuItemCopyCommandLine, &TMenuItem::OnClick, this, &TForm1::MenuItemCopyCommandLineClick);
    ConnectGuarded(Image, &TImage::OnStartDrag, this, &TForm1::ImageStartDrag);
    ConnectGuarded(Image, &TImage::OnContextPopup, this, &TForm1::ImageContextPopup);
    ConnectGuarded(Image, &TImage::OnZoomChange, this, &TForm1::ImageZoomChange);
}

void TForm1::UpdatePreviewCommands()
{
    if (MenuItemCopy == nullptr)
        return;
    const bool symbol = Image->HasPicture();
    MenuItemCopy->SetEnabled(symbol);
    MenuItemPrint->SetEnabled(symbol);
}

void TForm1::MenuItemCopyClick(QObject *)
{
    if (!Image->HasPicture())
        return;
    // The picture is copied also when the SVG cannot be made; the user learns why it is missing.
    QByteArray svg;
    QString problem;
    try {
        svg = SymbolSvg(*Barcode);
    } catch (const Exception &error) {
        problem = error.Message();
    }
    QGuiApplication::clipboard()->setMimeData(SymbolMimeData(Image->Picture(), svg));
    if (!problem.isEmpty())
        ShowMessage(TranslateMessage(QStringLiteral("The symbol was copied as a picture only; the SVG "
                                                    "could not be made: %1"))
                        .arg(problem));
}

void TForm1::MenuItemZoomInClick(QObject *)
{
    Image->ZoomIn();
}

void TForm1::MenuItemZoomOutClick(QObject *)
{
    Image->ZoomOut();
}

void TForm1::MenuItemZoomFitClick(QObject *)
{
    Image->SetFitToWindow();
    ImageZoomChange(Image); // a second click keeps the mark
}

void TForm1::MenuItemZoomActualClick(QObject *)
{
    Image->SetZoom({1, 1});
    ImageZoomChange(Image);
}

void TForm1::ImageZoomChange(QObject *)
{
    MenuItemZoomFit->SetChecked(Image->FitToWindow());
    MenuItemZoomActual->SetChecked(!Image->FitToWindow() && Image->Zoom() == TZoomFactor{1, 1});
    ShowZoom();
}

void TForm1::ShowZoom()
{
    QString text;
    if (Image->HasPicture()) {
        // In the screen's logical pixels, as the zoom commands count.
        const double ratio = Image->devicePixelRatioF() > 0 ? Image->devicePixelRatioF() : 1.0;
        text = QStringLiteral("%1 %").arg(std::lround(Image->DrawnScale().Value() / ratio * 100));
    }
    if (text != LabelZoom->Caption())
        LabelZoom->SetCaption(text);
}

void TForm1::MenuItemPrintClick(QObject *)
{
    if (!Image->HasPicture())
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!PrintSymbol(printer, Image->Picture(), SymbolPrintDpi(*Barcode)))
        ShowMessage(TranslateMessage(QStringLiteral("The symbol is larger than the printable area of the page "
                                                    "and was printed smaller than its actual size.")));
}

void TForm1::ImageContextPopup(QObject *, const QPoint &Position)
{
    UpdatePreviewCommands();
    FPreviewMenu->popup(Position);
}

QString TForm1::DragFolder()
{
    // Made at the first drag; after a failure, tried again at the next.
    if (FDragFolder == nullptr)
        FDragFolder = MakeTemporaryFolder();
    return FDragFolder->path();
}

void TForm1::ImageStartDrag(QObject *)
{
    if (!Image->HasPicture())
        return;
    const QImage picture = Image->Picture();
    // Programs that take files get a PNG, the others the picture or the SVG; a missing file or
    // SVG leaves the rest to drag.
    QString fileName;
    QString problem;
    try {
        fileName = WriteSymbolFile(picture, DragFolder(), ++FDragCount);
    } catch (const Exception &error) {
        problem = error.Message();
    }
    QByteArray svg;
    try {
        svg = SymbolSvg(*Barcode);
    } catch (const Exception &) {
        // The same failure shows when copying; a drag goes on with the picture.
    }
    auto *drag = new QDrag(Image);
    drag->setMimeData(SymbolMimeData(picture, svg, fileName));
    const QSize side = picture.size().boundedTo(QSize(DragPictureSide, DragPictureSide));
    drag->setPixmap(QPixmap::fromImage(picture.scaled(side, Qt::KeepAspectRatio)));
    drag->exec(Qt::CopyAction);
    if (!problem.isEmpty())
        ShowMessage(TranslateMessage(QStringLiteral("The symbol was dragged without a file: %1")).arg(problem));
}
