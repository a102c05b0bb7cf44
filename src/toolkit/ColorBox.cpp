#include "toolkit/ColorBox.h"

#include "toolkit/Exception.h"
#include "toolkit/Graphics.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace {

TColorDialogFunction &TestColorDialog()
{
    static TColorDialogFunction function;
    return function;
}

std::optional<QColor> AskColor(const QColor &initial, QWidget *parent)
{
    if (TestColorDialog())
        return TestColorDialog()(initial, parent);
    const QColor color = QColorDialog::getColor(initial, parent);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

QIcon Swatch(TColor color)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(ColorToQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return QIcon(pixmap);
}

const int ColorRole = Qt::UserRole;
const int CustomIndex = 0;

// The names of a colour box's fixed entries.
class TColorNames final : public TStrings
{
public:
    explicit TColorNames(QComboBox *box) : TStrings(box), FBox(box) {}

    int Count() const override { return FBox->count(); }
    QString Strings(int index) const override { return FBox->itemText(index); }
    void Insert(int, const QString &) override { Refuse(); }
    void Delete(int) override { Refuse(); }
    void Clear() override { Refuse(); }
    void SetStrings(const QStringList &lines) override
    {
        for (int i = 0; i < FBox->count() && i < lines.size(); ++i)
            FBox->setItemText(i, lines.at(i));
    }

private:
    [[noreturn]] static void Refuse()
    {
        throw EInvalidOperation(QStringLiteral("The colours of a colour box are fixed; only their names can change"));
    }

    QComboBox *FBox;
};

} // namespace

const QList<QPair<QString, TColor>> &TColorBox::NamedColors()
{
    static const QList<QPair<QString, TColor>> colors = {
        {QStringLiteral("Black"), 0x000000},   {QStringLiteral("Maroon"), 0x000080},
        {QStringLiteral("Green"), 0x008000},   {QStringLiteral("Olive"), 0x008080},
        {QStringLiteral("Navy"), 0x800000},    {QStringLiteral("Purple"), 0x800080},
        {QStringLiteral("Teal"), 0x808000},    {QStringLiteral("Gray"), 0x808080},
        {QStringLiteral("Silver"), 0xC0C0C0},  {QStringLiteral("Red"), 0x0000FF},
        {QStringLiteral("Lime"), 0x00FF00},    {QStringLiteral("Yellow"), 0x00FFFF},
        {QStringLiteral("Blue"), 0xFF0000},    {QStringLiteral("Fuchsia"), 0xFF00FF},
        {QStringLiteral("Aqua"), 0xFFFF00},    {QStringLiteral("White"), 0xFFFFFF},
        {QStringLiteral("Money Green"), 0xC0DCC0}, {QStringLiteral("Sky Blue"), 0xF0CAA6},
        {QStringLiteral("Cream"), 0xF0FBFF},   {QStringLiteral("Medium Gray"), 0xA4A0A0},
    };
    return colors;
}

TColorBox::TColorBox(QObject *AOwner, QWidget *AParent)
    : QComboBox(AParent), TControl(this), FItems(new TColorNames(this))
{
    addItem(Swatch(clBlack), QStringLiteral("Custom..."), QVariant::fromValue(uint(clBlack)));
    for (const auto &named : NamedColors())
        addItem(Swatch(named.second), named.first, QVariant::fromValue(uint(named.second)));
    setCurrentIndex(1);
    FLastIndex = 1;
    Register(AOwner, AParent);
    connect(this, &QComboBox::activated, this, &TColorBox::Picked);
}

void TColorBox::SetItems(TStrings *value)
{
    if (value != nullptr && value != FItems)
        FItems->SetStrings(value->ToStringList());
}

TColor TColorBox::SelectedColor() const
{
    return Colors(currentIndex());
}

TColor TColorBox::Colors(int index) const
{
    return index >= 0 && index < count() ? TColor(itemData(index, ColorRole).toUInt()) : clBlack;
}

void TColorBox::SetSelected(int value)
{
    const TColor color = TColor(value) & 0xFFFFFF;
    for (int i = CustomIndex + 1; i < count(); ++i) {
        if (Colors(i) == color) {
            setCurrentIndex(i);
            FLastIndex = i;
            return;
        }
    }
    SetCustomColor(color);
    setCurrentIndex(CustomIndex);
    FLastIndex = CustomIndex;
}

void TColorBox::SetCustomColor(TColor color)
{
    setItemData(CustomIndex, QVariant::fromValue(uint(color)), ColorRole);
    setItemIcon(CustomIndex, Swatch(color));
}

void TColorBox::Picked(int index)
{
    if (index == CustomIndex) {
        const std::optional<QColor> chosen = AskColor(ColorToQColor(Colors(CustomIndex)), this);
        if (!chosen) {
            setCurrentIndex(FLastIndex);
            return;
        }
        SetCustomColor(QColorToColor(*chosen));
        setCurrentIndex(CustomIndex);
    }
    FLastIndex = index;
    Q_EMIT OnChange(this);
}

void SetColorDialogForTests(TColorDialogFunction function)
{
    TestColorDialog() = std::move(function);
}
