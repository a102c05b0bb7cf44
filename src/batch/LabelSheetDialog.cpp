#include "batch/LabelSheetDialog.h"

#include "batch/LabelSheetPreview.h"
#include "batch/LabelSheetPrint.h"
#include "toolkit/Exception.h"
#include "toolkit/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The page list: A4, Letter, then the sizes typed in.
enum TPageChoice { PageA4, PageLetter, PageCustom };

QDoubleSpinBox *Millimetres(QWidget *parent, const char *name, double minimum)
{
    auto *spin = new QDoubleSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(minimum, 2000.0);
    spin->setDecimals(2);
    spin->setSingleStep(0.5);
    spin->setSuffix(QStringLiteral(" mm"));
    return spin;
}

} // namespace

TLabelSheetDialog::TLabelSheetDialog(QWidget *parent, const TBarcode &settings, const QStringList &strings,
                                     TFill fill, const TTranslate &translate)
    : QDialog(parent)
    , FTranslate(translate)
    , FFill(fill)
    , FStrings(strings)
    , FSymbols(std::make_unique<TLabelSymbols>(settings, QStringList()))
{
    setObjectName(QStringLiteral("LabelSheet"));
    setWindowTitle(translate(QStringLiteral("Label sheet")) + QStringLiteral(" \u2013 ") + ApplicationTitle());

    ComboBoxPreset = new QComboBox(this);
    ComboBoxPreset->setObjectName(QStringLiteral("ComboBoxPreset"));
    for (const TLabelPreset &preset : LabelPresets())
        ComboBoxPreset->addItem(QString::fromUtf8(preset.Name));
    ComboBoxPreset->addItem(translate(QStringLiteral("Own measures")));
    ComboBoxPreset->setToolTip(translate(QStringLiteral("Common label sheets; changing a measure makes it your own")));

    ComboBoxPage = new QComboBox(this);
    ComboBoxPage->setObjectName(QStringLiteral("ComboBoxPage"));
    ComboBoxPage->addItems({QStringLiteral("A4 (210 \u00D7 297 mm)"), QStringLiteral("Letter (215.9 \u00D7 279.4 mm)"),
                            translate(QStringLiteral("Custom"))});
    ComboBoxPage->setToolTip(translate(QStringLiteral("The paper the labels are on")));
    EditPageWidth = Millimetres(this, "EditPageWidth", 0.0);
    EditPageWidth->setToolTip(translate(QStringLiteral("The paper's width")));
    EditPageHeight = Millimetres(this, "EditPageHeight", 0.0);
    EditPageHeight->setToolTip(translate(QStringLiteral("The paper's height")));

    const auto count = [this](const char *name, const QString &hint) {
        auto *spin = new QSpinBox(this);
        spin->setObjectName(QLatin1String(name));
        spin->setRange(0, 1000);
        spin->setToolTip(hint);
        return spin;
    };
    EditRows = count("EditRows", translate(QStringLiteral("Labels from top to bottom")));
    EditColumns = count("EditColumns", translate(QStringLiteral("Labels from left to right")));
    EditLeft = Millimetres(this, "EditLeft", 0.0);
    EditLeft->setToolTip(translate(QStringLiteral("From the paper's left edge to the first column")));
    EditTop = Millimetres(this, "EditTop", 0.0);
    EditTop->setToolTip(translate(QStringLiteral("From the paper's top edge to the first row")));
    EditLabelWidth = Millimetres(this, "EditLabelWidth", 0.0);
    EditLabelWidth->setToolTip(translate(QStringLiteral("One label's width")));
    EditLabelHeight = Millimetres(this, "EditLabelHeight", 0.0);
    EditLabelHeight->setToolTip(translate(QStringLiteral("One label's height")));
    EditGapX = Millimetres(this, "EditGapX", 0.0);
    EditGapX->setToolTip(translate(QStringLiteral("Between two columns; the pitch is the label's width plus this")));
    EditGapY = Millimetres(this, "EditGapY", 0.0);
    EditGapY->setToolTip(translate(QStringLiteral("Between two rows; the pitch is the label's height plus this")));
    CheckBoxCaption = new QCheckBox(translate(QStringLiteral("Caption under each sym&bol")), this);
    CheckBoxCaption->setObjectName(QStringLiteral("CheckBoxCaption"));
    CheckBoxCaption->setToolTip(translate(QStringLiteral("The encoded text in a line under the symbol")));
    EditStart = count("EditStart", translate(QStringLiteral("Labels already used on the first sheet are skipped: 1 is the top left, counted along the rows")));

    auto *form = new QFormLayout;
    const auto row = [&](const QString &caption, QWidget *field) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row(translate(QStringLiteral("&Preset:")), ComboBoxPreset);
    row(translate(QStringLiteral("Page si&ze:")), ComboBoxPage);
    row(translate(QStringLiteral("Page &width:")), EditPageWidth);
    row(translate(QStringLiteral("Page &height:")), EditPageHeight);
    row(translate(QStringLiteral("&Rows:")), EditRows);
    row(translate(QStringLiteral("&Columns:")), EditColumns);
    row(translate(QStringLiteral("&Left margin:")), EditLeft);
    row(translate(QStringLiteral("&Top margin:")), EditTop);
    row(translate(QStringLiteral("Label wi&dth:")), EditLabelWidth);
    row(translate(QStringLiteral("Label h&eight:")), EditLabelHeight);
    row(translate(QStringLiteral("Gap &across:")), EditGapX);
    row(translate(QStringLiteral("Gap d&own:")), EditGapY);
    row(translate(QStringLiteral("&Start at label:")), EditStart);
    form->addRow(CheckBoxCaption);

    FPreview = new TLabelSheetPreview(this, *FSymbols);
    FPreview->setObjectName(QStringLiteral("LabelSheetPreview"));
    FPreview->setToolTip(translate(QStringLiteral("The first page as it will print")));
    FPages = new QLabel(this);
    FPages->setObjectName(QStringLiteral("LabelPages"));
    auto *previewColumn = new QVBoxLayout;
    previewColumn->addWidget(FPreview, 1);
    previewColumn->addWidget(FPages);

    auto *top = new QHBoxLayout;
    top->addLayout(form);
    top->addLayout(previewColumn, 1);

    FProblem = new QLabel(this);
    FProblem->setObjectName(QStringLiteral("LabelProblem"));
    FProblem->setWordWrap(true);
    QPalette warning = FProblem->palette();
    warning.setColor(QPalette::WindowText, QColor(0xB0, 0x00, 0x00));
    FProblem->setPalette(warning);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(translate(QStringLiteral("Close")));
    ButtonPrint = buttons->addButton(translate(QStringLiteral("Pr&int ...")), QDialogButtonBox::ActionRole);
    ButtonPrint->setToolTip(translate(QStringLiteral("Prints every page of labels")));
    ButtonSavePdf = buttons->addButton(translate(QStringLiteral("Save as PD&F ...")), QDialogButtonBox::ActionRole);
    ButtonSavePdf->setToolTip(translate(QStringLiteral("Saves every page of labels as a PDF file")));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ButtonPrint, &QPushButton::clicked, this, &TLabelSheetDialog::AskAndPrint);
    connect(ButtonSavePdf, &QPushButton::clicked, this, &TLabelSheetDialog::AskAndSave);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(FProblem);
    layout->addWidget(buttons);

    SetSheet(LabelPresets().first().Sheet);
    connect(ComboBoxPreset, &QComboBox::currentIndexChanged, this, &TLabelSheetDialog::PresetChosen);
    connect(ComboBoxPage, &QComboBox::currentIndexChanged, this, &TLabelSheetDialog::PageChosen);
    for (QDoubleSpinBox *spin : {EditPageWidth, EditPageHeight, EditLeft, EditTop, EditLabelWidth, EditLabelHeight,
                                 EditGapX, EditGapY})
        connect(spin, &QDoubleSpinBox::valueChanged, this, &TLabelSheetDialog::Refresh);
    for (QSpinBox *spin : {EditRows, EditColumns, EditStart})
        connect(spin, &QSpinBox::valueChanged, this, &TLabelSheetDialog::Refresh);
    connect(CheckBoxCaption, &QCheckBox::toggled, this, &TLabelSheetDialog::Refresh);
}

TLabelSheetDialog::~TLabelSheetDialog() = default;

TLabelSheet TLabelSheetDialog::Sheet() const
{
    TLabelSheet sheet;
    sheet.PageMm = {EditPageWidth->value(), EditPageHeight->value()};
    sheet.Rows = EditRows->value();
    sheet.Columns = EditColumns->value();
    sheet.LeftMm = EditLeft->value();
    sheet.TopMm = EditTop->value();
    sheet.LabelMm = {EditLabelWidth->value(), EditLabelHeight->value()};
    sheet.GapXMm = EditGapX->value();
    sheet.GapYMm = EditGapY->value();
    sheet.Caption = CheckBoxCaption->isChecked();
    sheet.StartPosition = EditStart->value();
    return sheet;
}

void TLabelSheetDialog::SetSheet(const TLabelSheet &sheet)
{
    FSetting = true;
    EditPageWidth->setValue(sheet.PageMm.width());
    EditPageHeight->setValue(sheet.PageMm.height());
    EditRows->setValue(sheet.Rows);
    EditColumns->setValue(sheet.Columns);
    EditLeft->setValue(sheet.LeftMm);
    EditTop->setValue(sheet.TopMm);
    EditLabelWidth->setValue(sheet.LabelMm.width());
    EditLabelHeight->setValue(sheet.LabelMm.height());
    EditGapX->setValue(sheet.GapXMm);
    EditGapY->setValue(sheet.GapYMm);
    CheckBoxCaption->setChecked(sheet.Caption);
    EditStart->setValue(sheet.StartPosition);
    FSetting = false;
    Refresh();
}

QStringList TLabelSheetDialog::Strings(const TLabelSheet &sheet) const
{
    if (FFill == TFill::OnePerString || FStrings.isEmpty())
        return FStrings;
    const int rest = sheet.LabelsPerPage() - sheet.StartPosition + 1;
    return rest > 0 ? QStringList(qsizetype(rest), FStrings.first()) : QStringList();
}

QString TLabelSheetDialog::Problem() const
{
    return FProblem->text();
}

int TLabelSheetDialog::LabelCount() const
{
    return FSymbols->Count();
}

int TLabelSheetDialog::PageCount() const
{
    return LabelPageCount(Sheet(), FSymbols->Count());
}

void TLabelSheetDialog::Refresh()
{
    if (FSetting)
        return;
    const TLabelSheet sheet = Sheet();
    // The lists follow the measures: a preset or a paper size that they no longer match is
    // shown as one's own.
    {
        const QSignalBlocker blockPreset(ComboBoxPreset);
        const QSignalBlocker blockPage(ComboBoxPage);
        int preset = int(LabelPresets().size());
        for (int i = 0; i < LabelPresets().size(); ++i) {
            TLabelSheet known = LabelPresets().at(i).Sheet;
            known.Caption = sheet.Caption;
            known.StartPosition = sheet.StartPosition;
            const auto same = [](double a, double b) { return qAbs(a - b) < 0.005; };
            if (same(known.PageMm.width(), sheet.PageMm.width()) && same(known.PageMm.height(), sheet.PageMm.height())
                && known.Rows == sheet.Rows && known.Columns == sheet.Columns && same(known.LeftMm, sheet.LeftMm)
                && same(known.TopMm, sheet.TopMm) && same(known.LabelMm.width(), sheet.LabelMm.width())
                && same(known.LabelMm.height(), sheet.LabelMm.height()) && same(known.GapXMm, sheet.GapXMm)
                && same(known.GapYMm, sheet.GapYMm))
                preset = i;
        }
        ComboBoxPreset->setCurrentIndex(preset);
        const auto isPage = [&](const QSizeF &page) {
            return qAbs(page.width() - sheet.PageMm.width()) < 0.005 && qAbs(page.height() - sheet.PageMm.height()) < 0.005;
        };
        ComboBoxPage->setCurrentIndex(isPage(PageA4Mm) ? PageA4 : isPage(PageLetterMm) ? PageLetter : PageCustom);
    }
    FSymbols->SetStrings(Strings(sheet));
    QString problem = LabelSheetProblem(sheet, FTranslate);
    if (problem.isEmpty() && FSymbols->Count() == 0)
        problem = FTranslate(QStringLiteral("There are no strings to put on labels."));
    FProblem->setText(problem);
    FProblem->setVisible(!problem.isEmpty());
    ButtonPrint->setEnabled(problem.isEmpty());
    ButtonSavePdf->setEnabled(problem.isEmpty());
    FPreview->SetSheet(sheet, problem.isEmpty() ? FSymbols->Count() : 0);
    FPages->setText(problem.isEmpty() ? FTranslate(QStringLiteral("%1 labels on %2 pages"))
                                            .arg(FSymbols->Count())
                                            .arg(LabelPageCount(sheet, FSymbols->Count()))
                                      : QString());
}

void TLabelSheetDialog::PresetChosen()
{
    const int index = ComboBoxPreset->currentIndex();
    if (index < 0 || index >= LabelPresets().size())
        return;
    TLabelSheet sheet = LabelPresets().at(index).Sheet;
    const TLabelSheet current = Sheet();
    sheet.Caption = current.Caption;
    sheet.StartPosition = current.StartPosition;
    SetSheet(sheet);
}

void TLabelSheetDialog::PageChosen()
{
    const int index = ComboBoxPage->currentIndex();
    if (index == PageCustom)
        return;
    const QSizeF page = index == PageA4 ? PageA4Mm : PageLetterMm;
    FSetting = true;
    EditPageWidth->setValue(page.width());
    EditPageHeight->setValue(page.height());
    FSetting = false;
    Refresh();
}

bool TLabelSheetDialog::SymbolsCanBeMade()
{
    const QStringList failures = FSymbols->Failures();
    if (failures.isEmpty())
        return true;
    ShowMessage(FTranslate(QStringLiteral("These strings cannot be encoded (line: message); nothing was printed:"))
                + QLatin1Char('\n') + failures.join(QLatin1Char('\n')));
    return false;
}

bool TLabelSheetDialog::Print(QPrinter &printer)
{
    if (!SymbolsCanBeMade())
        return false;
    // Measured from the paper's corner, not from where the printer's margins begin: a label
    // sheet's measures are the paper's.
    printer.setFullPage(true);
    try {
        PrintLabelSheet(printer, Sheet(), *FSymbols);
    } catch (const Exception &error) {
        ShowMessage(error.Message());
        return false;
    }
    return true;
}

bool TLabelSheetDialog::SavePdf(const QString &fileName)
{
    if (!SymbolsCanBeMade())
        return false;
    try {
        SaveLabelSheetPdf(fileName, Sheet(), *FSymbols);
    } catch (const Exception &error) {
        ShowMessage(error.Message());
        return false;
    }
    return true;
}

void TLabelSheetDialog::AskAndPrint()
{
    if (!Problem().isEmpty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        Print(printer);
}

void TLabelSheetDialog::AskAndSave()
{
    if (!Problem().isEmpty())
        return;
    const QString fileName = QFileDialog::getSaveFileName(this, FTranslate(QStringLiteral("Save as PDF")), QString(),
                                                          QStringLiteral("Portable Document Format (*.pdf)"));
    if (!fileName.isEmpty())
        SavePdf(fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) ? fileName : fileName + QStringLiteral(".pdf"));
}
