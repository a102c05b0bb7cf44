#include "toolkit/ComCtrls.h"

#include "toolkit/LocaleNumbers.h"

#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QStyleOption>
#include <limits>

namespace {

// One half of the spin: a button face with a spin-box arrow, readable at any small size.
class TSpinArrow final : public QToolButton
{
public:
    TSpinArrow(bool up, QWidget *parent) : QToolButton(parent), FUp(up) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QStyleOptionButton face;
        face.initFrom(this);
        face.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &face, &painter, this);
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = rect().adjusted(2, 1, -2, -1);
        style()->drawPrimitive(FUp ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &arrow,
                               &painter, this);
    }

private:
    bool FUp;
};

} // namespace

TStatusBar::TStatusBar(QObject *AOwner, QWidget *AParent)
    : QStatusBar(AParent), TControl(this), FLabel(new QLabel(this))
{
    setSizeGripEnabled(false);
    addWidget(FLabel, 1);
    Register(AOwner, AParent);
}

QString TStatusBar::SimpleText() const
{
    return FLabel->text();
}

void TStatusBar::SetSimpleText(const QString &value)
{
    FLabel->setText(value);
}

TUpDown::TUpDown(QObject *AOwner, QWidget *AParent)
    : QWidget(AParent), TControl(this), FUpButton(new TSpinArrow(true, this)),
      FDownButton(new TSpinArrow(false, this))
{
    resize(17, 22);
    for (QToolButton *button : {FUpButton, FDownButton}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(FUpButton, &QToolButton::clicked, this, [this] { Step(updUp); });
    connect(FDownButton, &QToolButton::clicked, this, [this] { Step(updDown); });
    setFocusPolicy(Qt::NoFocus);
    Register(AOwner, AParent);
}

TUpDown::~TUpDown()
{
    if (FAssociate != nullptr)
        FAssociate->removeEventFilter(this);
}

void TUpDown::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    FUpButton->setGeometry(0, 0, width(), half);
    FDownButton->setGeometry(0, half, width(), height() - half);
}

void TUpDown::SetAssociate(TEdit *value)
{
    if (FAssociate == value)
        return;
    if (FAssociate != nullptr) {
        FAssociate->removeEventFilter(this);
        disconnect(FAssociate, nullptr, this, nullptr);
    }
    FAssociate = value;
    if (FAssociate == nullptr)
        return;
    FAssociate->installEventFilter(this);
    connect(FAssociate, &QLineEdit::textChanged, this, &TUpDown::AssociateTextChanged);
    // The spin stands at the edit's right edge, as the toolkit places it.
    if (FAssociate->parentWidget() == parentWidget())
        setGeometry(FAssociate->x() + FAssociate->width(), FAssociate->y(), width(), FAssociate->height());
    ShowPosition();
}

void TUpDown::SetMin(int value)
{
    FMin = value;
    FPosition = qBound(std::min(FMin, FMax), FPosition, std::max(FMin, FMax));
}

void TUpDown::SetMax(int value)
{
    FMax = value;
    FPosition = qBound(std::min(FMin, FMax), FPosition, std::max(FMin, FMax));
}

void TUpDown::SetThousands(bool value)
{
    FThousands = value;
    ShowPosition();
}

QString TUpDown::FormatPosition(int value) const
{
    QLocale locale;
    locale.setNumberOptions(FThousands ? QLocale::DefaultNumberOptions : QLocale::OmitGroupSeparator);
    return locale.toString(value);
}

bool TUpDown::ParsePosition(const QString &text, int &value) const
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    QLocale locale;
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    bool ok = false;
    const qlonglong number = locale.toLongLong(trimmed, &ok);
    if (!ok)
        return false;
    if (number < std::min(FMin, FMax) || number > std::max(FMin, FMax))
        return false;
    value = int(number);
    return true;
}

int TUpDown::Position() const
{
    int value = FPosition;
    if (FAssociate != nullptr && ParsePosition(FAssociate->text(), value))
        return value;
    return FPosition;
}

void TUpDown::SetPosition(int value)
{
    const int limited = qBound(std::min(FMin, FMax), value, std::max(FMin, FMax));
    if (RequestPosition(limited, updNone))
        ShowPosition();
}

bool TUpDown::RequestPosition(int value, TUpDownDirection direction)
{
    bool allow = true;
    const short reported = short(qBound(int(std::numeric_limits<short>::min()), value,
                                        int(std::numeric_limits<short>::max())));
    Q_EMIT OnChangingEx(this, allow, reported, direction);
    if (!allow)
        return false;
    FPosition = value;
    return true;
}

void TUpDown::Step(TUpDownDirection direction)
{
    const int low = std::min(FMin, FMax);
    const int high = std::max(FMin, FMax);
    const int current = Position();
    qint64 next = qint64(current) + (direction == updUp ? FIncrement : -qint64(FIncrement));
    if (next > high)
        next = FWrap ? low : high;
    else if (next < low)
        next = FWrap ? high : low;
    // At the end of the range a step asks for nothing.
    if (next == current && FPosition == current)
        return;
    if (!RequestPosition(int(next), direction))
        return;
    ShowPosition();
    Q_EMIT OnClick(this, direction);
}

void TUpDown::ShowPosition()
{
    if (FAssociate == nullptr)
        return;
    const QString text = FormatPosition(FPosition);
    FShowing = true;
    // The edit's change event fires for a position set by the program, even when the text stays.
    if (FAssociate->text() == text)
        Q_EMIT FAssociate->OnChange(FAssociate);
    else
        FAssociate->setText(text);
    FShowing = false;
}

void TUpDown::AssociateTextChanged()
{
    if (FShowing)
        return;
    int value = 0;
    if (FAssociate != nullptr && ParsePosition(FAssociate->text(), value))
        FPosition = value;
}

bool TUpDown::eventFilter(QObject *watched, QEvent *event)
{
    // The type is tested first: the edit also sends events while it is being destroyed, when it
    // must not be looked at as an edit any more.
    if (event->type() == QEvent::KeyPress && FArrowKeys && watched == FAssociate) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            Step(key->key() == Qt::Key_Up ? updUp : updDown);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
