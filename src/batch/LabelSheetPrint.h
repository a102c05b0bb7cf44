#pragma once

#include "barcode/Barcode.h"
#include "barcode/SymbolVector.h"
#include "batch/LabelSheet.h"

#include <QHash>
#include <QStringList>

#include <memory>

class QPagedPaintDevice;
class QPainter;

// The symbols of a label sheet, one per string, drawn with the settings of the component that
// the sheet was opened from. Each is made when first needed and kept.
class TLabelSymbols final
{
public:
    // `strings` in label order; `settings` is copied, so it may change afterwards.
    TLabelSymbols(const TBarcode &settings, QStringList strings);
    ~TLabelSymbols();
    TLabelSymbols(const TLabelSymbols &) = delete;
    TLabelSymbols &operator=(const TLabelSymbols &) = delete;

    int Count() const { return int(FStrings.size()); }
    // Other strings; the symbols made so far are kept for them.
    void SetStrings(QStringList strings) { FStrings = std::move(strings); }
    const QString &Text(int item) const { return FStrings.at(item); }
    // The symbol of string `item`; EBarcodeError (the engine's message) when it cannot be made.
    const TSymbolVector &Symbol(int item);
    // Its size in modules (quiet zones and text included).
    QSizeF Modules(int item);
    // Makes every symbol; the strings that fail, one line each ("3: message"), the first few only.
    QStringList Failures(int most = 5);

private:
    std::unique_ptr<TBarcode> FBarcode;
    QStringList FStrings;
    QHash<QString, TSymbolVector> FMade; // by string: a sheet of one symbol makes it once
};

// Draws page `page` (from 0) of the labels in `places` onto `painter`, whose units are
// `devicePerMm` to the millimetre from the page's top left corner. Symbols are fitted at
// `fitDotsPerMm`, the dots of the printer the page goes to. With `outlines` each label's edge is
// drawn too (for the preview). Symbols that cannot be made are left out.
void PaintLabelPage(QPainter &painter, const TLabelSheet &sheet, const QList<TLabelPlace> &places,
                    TLabelSymbols &symbols, int page, double devicePerMm, double fitDotsPerMm, bool outlines);

// Every page onto `device` (a printer, a PDF writer), whose page size and margins are set to the
// sheet's. Exception when the device cannot start or a symbol cannot be made (then nothing was
// drawn: the symbols are made first).
void PrintLabelSheet(QPagedPaintDevice &device, const TLabelSheet &sheet, TLabelSymbols &symbols);

// The sheet as a PDF file, written whole into a new file that then replaces `fileName`: a
// failure leaves the earlier file as it was. Exception with the reason.
void SaveLabelSheetPdf(const QString &fileName, const TLabelSheet &sheet, TLabelSymbols &symbols);

// The resolution a PDF sheet's modules are fitted to: the usual laser printer's.
constexpr double LabelPdfDpi = 600.0;
