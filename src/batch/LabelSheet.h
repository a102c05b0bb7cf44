#pragma once

#include "batch/BatchSummary.h"

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

// Sheets of labels: where each label lies on which page, and where a symbol sits on its label.
// Everything in millimetres, the page's top left corner at 0, 0; no widgets and no printer.

struct TLabelSheet
{
    QSizeF PageMm{210.0, 297.0};
    int Rows = 8;
    int Columns = 3;
    double LeftMm = 0.0; // from the page's left edge to the first column
    double TopMm = 0.5;  // from the page's top edge to the first row
    QSizeF LabelMm{70.0, 37.0};
    double GapXMm = 0.0; // between two columns
    double GapYMm = 0.0; // between two rows
    bool Caption = false; // a line of text under each symbol: the string it encodes
    int StartPosition = 1; // the first label to use on the first page, counted from 1 along the rows

    // From one label's left (top) edge to the next one's.
    double PitchXMm() const { return LabelMm.width() + GapXMm; }
    double PitchYMm() const { return LabelMm.height() + GapYMm; }
    int LabelsPerPage() const { return Rows * Columns; }
};

struct TLabelPreset
{
    const char *Name; // as the list shows it; not translated (sizes and paper names)
    TLabelSheet Sheet;
};

// Common sheets: A4 3 x 8 at 70 x 37 mm, Letter 3 x 10 at 66.7 x 25.4 mm (2 5/8 x 1 inch) and
// A4 2 x 7 at 99.1 x 38.1 mm.
const QList<TLabelPreset> &LabelPresets();

// Paper sizes in millimetres.
constexpr QSizeF PageA4Mm{210.0, 297.0};
constexpr QSizeF PageLetterMm{215.9, 279.4};

// A value that cannot work, named in a message; empty when the sheet can be printed.
QString LabelSheetProblem(const TLabelSheet &sheet, const TTranslate &translate);

struct TLabelPlace
{
    int Page = 0;   // from 0
    int Item = 0;   // which string (from 0)
    QRectF LabelMm; // the label on its page
};

// The labels of `count` strings, one label each, in order along the rows, starting at the
// sheet's start position on the first page and at the top left on every further page. Empty for
// a sheet with a problem.
QList<TLabelPlace> LayOutLabels(const TLabelSheet &sheet, int count);

// How many pages `count` strings need.
int LabelPageCount(const TLabelSheet &sheet, int count);

// Inside a label: a margin all round, and below the symbol the caption's line when there is one.
constexpr double LabelPaddingMm = 1.5;
double LabelCaptionHeightMm(const TLabelSheet &sheet);
// The part of `label` that the symbol may fill.
QRectF LabelSymbolAreaMm(const TLabelSheet &sheet, const QRectF &label);
// The caption's line under the symbol area; empty without a caption.
QRectF LabelCaptionAreaMm(const TLabelSheet &sheet, const QRectF &label);

// The symbol, `modules` modules wide and high, centred in `area` and as large as fits while every
// module is a whole number of device dots (`dotsPerMm` of the printer); never below one dot a
// module. Its module size is ModuleMm.
struct TSymbolFit
{
    QRectF TargetMm;
    double ModuleMm = 0.0;
};
TSymbolFit FitSymbol(const QRectF &areaMm, const QSizeF &modules, double dotsPerMm);
