#include "app/SymbologyOptionsView.h"

#include "barcode/BarcodeOptions.h"
#include "barcode/RecordFields.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/LocaleNumbers.h"
#include "toolkit/StdCtrls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int FieldsPerRow = 3;

// "secure" -> "Secure": the part of a control's name that names its option.
QString NamePart(const TBarcodeOption &option)
{
    QString name = QLatin1String(option.Name);
    name[0] = name[0].toUpper();
    return name;
}

bool IsList(const TBarcodeOption &option)
{
    return option.Kind == TOptionKind::Choice || option.Kind == TOptionKind::Integer;
}

} // namespace

TSymbologyOptionsView::TSymbologyOptionsView(QObject *owner, TPanel *panel, TTranslate translate)
    : QObject(owner)
    , FPanel(panel)
    , FTranslate(std::move(translate))
{
    FGrid = new QGridLayout;
    FGrid->setContentsMargins(0, 0, 0, 0);
    FGrid->setHorizontalSpacing(6);
    FGrid->setVerticalSpacing(2);
    for (int column = 1; column < 2 * FieldsPerRow; column += 2)
        FGrid->setColumnStretch(column, 1);
    auto *switches = new QHBoxLayout;
    switches->setSpacing(12);
    // Every row gets its control, also those the engine lacks (they stay hidden), so that a
    // language file means the same window whatever the engine.
    QList<QWidget *> switchBoxes;
    for (const TBarcodeOption *option : EveryBarcodeOption()) {
        if (option->Place != TOptionPlace::Symbology)
            continue;
        Create(*option);
        QWidget *control = FControls.value(QLatin1String(option->Name));
        if (option->Kind == TOptionKind::Switch) {
            switches->addWidget(control);
            switchBoxes << control;
            continue;
        }
        FFields.append(QLatin1String(option->Name));
    }
    PlaceFields();
    // Tab goes as the eye does: the fields row by row, then the switches below them.
    for (const QString &key : FFields)
        dynamic_cast<TControl *>(FControls.value(key))->SetTabOrder(FTabOrder++);
    for (QWidget *box : switchBoxes)
        dynamic_cast<TControl *>(box)->SetTabOrder(FTabOrder++);

    ButtonResetOptions = new TButton(owner, panel);
    ButtonResetOptions->SetName(QStringLiteral("ButtonResetOptions"));
    ButtonResetOptions->SetCaption(QStringLiteral("Reset to defaults"));
    ButtonResetOptions->SetHint(QStringLiteral("Puts the look and every symbology's options back to the program's defaults; "
                                               "the symbology and the data stay"));
    ButtonResetOptions->SetTabOrder(FTabOrder++);
    connect(ButtonResetOptions, &TButton::OnClick, this, [this] { Q_EMIT OnReset(); });
    switches->addStretch(1);
    switches->addWidget(ButtonResetOptions);

    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(FGrid);
    layout->addLayout(switches);
}

void TSymbologyOptionsView::Create(const TBarcodeOption &option)
{
    const QString key = QLatin1String(option.Name);
    const QString caption = QString::fromUtf8(option.Caption);
    const QString hint = QString::fromUtf8(option.Hint);
    QWidget *control = nullptr;
    if (option.Kind == TOptionKind::Switch) {
        auto *box = new TCheckBox(parent(), FPanel);
        box->SetName(QStringLiteral("CheckBox") + NamePart(option));
        box->SetCaption(caption);
        box->SetHint(hint);
        connect(box, &TCheckBox::OnClick, this, [this, &option] { Changed(option); });
        control = box;
    } else {
        auto *label = new TLabel(parent(), FPanel);
        label->SetName(QStringLiteral("Label") + NamePart(option));
        label->SetCaption(caption);
        FLabels.insert(key, label);
        if (IsList(option)) {
            auto *box = new TComboBox(parent(), FPanel);
            box->SetName(QStringLiteral("ComboBox") + NamePart(option));
            box->SetStyle(csDropDownList);
            box->SetHint(hint);
            box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            box->setMinimumContentsLength(6);
            connect(box, &TComboBox::OnChange, this, [this, &option] { Changed(option); });
            control = box;
        } else {
            auto *edit = new TEdit(parent(), FPanel);
            edit->SetName(QStringLiteral("Edit") + NamePart(option));
            edit->SetHint(hint);
            connect(edit, &TEdit::OnChange, this, [this, &option] { Changed(option); });
            control = edit;
        }
        label->SetFocusControl(control);
        label->hide();
    }
    // Hidden until a symbology takes it: the window's minimum size counts shown options only.
    control->hide();
    FControls.insert(key, control);
}

// "Automatic" (the default, where the option has a range of its own), then the values the
// symbology takes, each with its name where it has one.
void TSymbologyOptionsView::FillChoices(TComboBox *box, const TBarcodeOption &option, TSymbology symbology)
{
    box->clear();
    if (option.Kind == TOptionKind::Choice || (option.Choices != nullptr && option.RangeFor == nullptr)) {
        for (int i = 0; i < option.ChoiceCount; ++i)
            box->addItem(FTranslate(QString::fromUtf8(option.Choices[i].Caption)), option.Choices[i].Value);
        return;
    }
    int minimum = 0, maximum = 0;
    OptionRange(option, symbology, minimum, maximum);
    if (option.RangeFor != nullptr)
        box->addItem(FTranslate(QStringLiteral("Automatic")), option.Default);
    for (int value = minimum; value <= maximum; ++value) {
        if (option.RangeFor != nullptr && value == option.Default)
            continue;
        const QString name = OptionValueCaption(option, symbology, value);
        box->addItem(name.isEmpty() ? QString::number(value) : QStringLiteral("%1 (%2)").arg(value).arg(name), value);
    }
}

void TSymbologyOptionsView::PlaceFields()
{
    int field = 0;
    for (const QString &key : FFields) {
        TLabel *label = FLabels.value(key);
        QWidget *control = FControls.value(key);
        FGrid->removeWidget(label);
        FGrid->removeWidget(control);
        if (control->isHidden())
            continue;
        const int row = field / FieldsPerRow, column = 2 * (field % FieldsPerRow);
        FGrid->addWidget(label, row, column);
        FGrid->addWidget(control, row, column + 1);
        ++field;
    }
}

void TSymbologyOptionsView::ShowFor(const TBarcode &barcode, TCapabilities capabilities)
{
    FUpdating = true;
    const TSymbology symbology = barcode.Symbology();
    for (const TBarcodeOption *option : EveryBarcodeOption()) {
        const QString key = QLatin1String(option->Name);
        QWidget *control = FControls.value(key);
        if (control == nullptr)
            continue;
        const bool applies = OptionAvailable(*option) && option->AppliesTo(symbology, capabilities);
        control->setVisible(applies);
        if (TLabel *label = FLabels.value(key))
            label->setVisible(applies);
        if (!applies)
            continue;
        const double value = option->Read(barcode);
        if (auto *box = qobject_cast<TComboBox *>(control)) {
            // Filled each time: the range follows the symbology, the names the language.
            FillChoices(box, *option, symbology);
            const int index = box->findData(value);
            box->setCurrentIndex(index >= 0 ? index : 0);
        } else if (auto *check = qobject_cast<TCheckBox *>(control)) {
            check->SetChecked(value != 0);
        } else if (auto *edit = qobject_cast<TEdit *>(control)) {
            edit->SetText(FloatToStr(static_cast<long double>(value)));
        }
    }
    PlaceFields();
    FUpdating = false;
    // Said again in the language now in force.
    SayAutomatic();
}

void TSymbologyOptionsView::Changed(const TBarcodeOption &option)
{
    if (FUpdating)
        return;
    QWidget *control = FControls.value(QLatin1String(option.Name));
    double value = option.Default;
    if (auto *box = qobject_cast<TComboBox *>(control)) {
        if (box->currentIndex() < 0)
            return;
        value = box->currentData().toDouble();
    } else if (auto *check = qobject_cast<TCheckBox *>(control)) {
        value = check->Checked() ? 1 : 0;
    } else if (auto *edit = qobject_cast<TEdit *>(control)) {
        // A number being typed stays as it is until it is one in range.
        const std::optional<double> number = StrToFloat(edit->Text());
        if (!number || !std::isfinite(*number) || *number < option.Minimum || *number > option.Maximum)
            return;
        value = *number;
    }
    Q_EMIT OnOptionChange(&option, value);
}

namespace {

// The version a QR Code family symbol of this width has, for engines that do not report it.
int VersionFromWidth(TSymbology symbology, int width)
{
    if (symbology == syQRCode || symbology == syHIBC_QRCode)
        return width >= 21 ? (width - 17) / 4 : 0;
    if (symbology == syMicroQRCode)
        return width >= 11 ? (width - 9) / 2 : 0;
    return 0;
}

} // namespace

void TSymbologyOptionsView::ShowAutomatic(TBarcode &barcode, bool rendered)
{
    // Runs at every keystroke: the lists are touched (and messages looked up) only when the
    // choice changed.
    const TAutomatic before = FAutomatic;
    FAutomatic = TAutomatic();
    const TSymbology symbology = barcode.Symbology();
    FAutomatic.Symbology = symbology;
    const TBarcodeOption *vers = FindBarcodeOption(QStringLiteral("vers"));
    const TBarcodeOption *secure = FindBarcodeOption(QStringLiteral("secure"));
    if (rendered && vers != nullptr && TakesSymbolVersion(symbology) && barcode.SymbolVersion() == 0
        && vers->AppliesTo(symbology, 0)) {
        // Newer engines report what they chose; older ones leave it to the symbol's size.
        const TBarcode::TEngineChoice &chosen = barcode.EngineChoice();
        int minimum = 0, maximum = 0;
        OptionRange(*vers, symbology, minimum, maximum);
        if (maximum > 1) {
            FAutomatic.Width = barcode.Width();
            FAutomatic.Rows = barcode.RowCount();
            FAutomatic.Version = chosen.Option2 >= minimum && chosen.Option2 <= maximum
                                     ? chosen.Option2
                                     : VersionFromWidth(symbology, FAutomatic.Width);
        }
    }
    if (rendered && secure != nullptr && secure->AppliesTo(symbology, 0) && secure->Read(barcode) == 0) {
        // The level in the low byte; some engines put more above it.
        const int level = barcode.EngineChoice().Option1 & 0xFF;
        int minimum = 0, maximum = 0;
        OptionRange(*secure, symbology, minimum, maximum);
        if (level >= qMax(minimum, 1) && level <= maximum)
            FAutomatic.Level = level;
    }
    if (!(FAutomatic == before))
        SayAutomatic();
}

// In the lists themselves: their "Automatic" entry names what the engine chose.
void TSymbologyOptionsView::SayAutomatic()
{
    const auto say = [this](const char *name, const QString &choice) {
        const TBarcodeOption *option = FindBarcodeOption(QLatin1String(name));
        auto *box = qobject_cast<TComboBox *>(FControls.value(QLatin1String(name)));
        if (option == nullptr || box == nullptr || option->RangeFor == nullptr || box->count() == 0)
            return;
        const QString text = choice.isEmpty() ? FTranslate(QStringLiteral("Automatic"))
                                              : FTranslate(QStringLiteral("Automatic: %1")).arg(choice);
        // Set only when it changes: a new text makes the list measure itself again.
        if (box->itemText(0) != text)
            box->setItemText(0, text);
    };
    const QString size = QStringLiteral("%1 × %2").arg(FAutomatic.Width).arg(FAutomatic.Rows);
    // Short, to fit the closed list: "2 (25 × 25)" for a version, "16 × 16" for a size.
    QString version;
    if (FAutomatic.Version > 0)
        version = QStringLiteral("%1 (%2)").arg(FAutomatic.Version).arg(size);
    else if (FAutomatic.Width > 0)
        version = size;
    say("vers", version);
    QString level;
    if (FAutomatic.Level > 0) {
        const TBarcodeOption *secure = FindBarcodeOption(QStringLiteral("secure"));
        level = OptionValueCaption(*secure, FAutomatic.Symbology, FAutomatic.Level);
        if (level.isEmpty())
            level = QString::number(FAutomatic.Level);
    }
    say("secure", level);
}
