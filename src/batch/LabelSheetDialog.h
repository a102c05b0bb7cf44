#pragma once

#include "batch/LabelSheet.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPrinter;
class QPushButton;
class QSpinBox;
class TBarcode;
class TLabelSheetPreview;
class TLabelSymbols;

// Label sheets: the paper, rows and columns, margins and gaps (or a preset), a caption and where
// to start; a preview of the first page; printing and saving as PDF. A value that cannot work is
// named under the fields, and nothing can be printed until it is mended.
class TLabelSheetDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TLabelSheetDialog)

public:
    // OnePerString: a label for each string (the batch list). FillPage: the first string on every
    // label of one page from the start position on (the main window's symbol).
    enum class TFill { OnePerString, FillPage };
    TLabelSheetDialog(QWidget *parent, const TBarcode &settings, const QStringList &strings, TFill fill,
                      const TTranslate &translate);
    ~TLabelSheetDialog() override;

    TLabelSheet Sheet() const;
    // Shows `sheet` in the fields.
    void SetSheet(const TLabelSheet &sheet);
    // Why the sheet cannot be printed; empty when it can.
    QString Problem() const;
    int LabelCount() const;
    int PageCount() const;

    // Print and Save as PDF after their dialogs. False after a failure, which has been shown.
    bool Print(QPrinter &printer);
    bool SavePdf(const QString &fileName);

    QComboBox *ComboBoxPreset;
    QComboBox *ComboBoxPage;
    QDoubleSpinBox *EditPageWidth;
    QDoubleSpinBox *EditPageHeight;
    QSpinBox *EditRows;
    QSpinBox *EditColumns;
    QDoubleSpinBox *EditLeft;
    QDoubleSpinBox *EditTop;
    QDoubleSpinBox *EditLabelWidth;
    QDoubleSpinBox *EditLabelHeight;
    QDoubleSpinBox *EditGapX;
    QDoubleSpinBox *EditGapY;
    QCheckBox *CheckBoxCaption;
    QSpinBox *EditStart;
    QPushButton *ButtonPrint;
    QPushButton *ButtonSavePdf;

private:
    void Refresh();
    // Makes every symbol; false, with a message naming the strings that fail, when any does.
    bool SymbolsCanBeMade();
    void PresetChosen();
    void PageChosen();
    void AskAndPrint();
    void AskAndSave();
    QStringList Strings(const TLabelSheet &sheet) const;

    TTranslate FTranslate;
    TFill FFill;
    QStringList FStrings;
    std::unique_ptr<TLabelSymbols> FSymbols;
    TLabelSheetPreview *FPreview;
    QLabel *FPages;
    QLabel *FProblem;
    bool FSetting = false; // the fields are being filled: no refresh in between
};
