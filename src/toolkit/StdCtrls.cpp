#include "toolkit/StdCtrls.h"

#include "toolkit/Form.h"

#include <QCollator>
#include <QKeyEvent>
#include <QLocale>
#include <QMimeData>
#include <QScrollBar>

namespace {

// The lines of a memo, read from and written to its document.
class TMemoStrings final : public TStrings
{
public:
    explicit TMemoStrings(TMemo *memo) : TStrings(memo), FMemo(memo) {}

    int Count() const override { return int(Lines().size()); }
    QString Strings(int index) const override
    {
        const QStringList lines = Lines();
        return index >= 0 && index < lines.size() ? lines.at(index) : QString();
    }
    void Insert(int index, const QString &line) override
    {
        QStringList lines = Lines();
        lines.insert(qBound(0, index, int(lines.size())), line);
        Store(lines);
    }
    void Delete(int index) override
    {
        QStringList lines = Lines();
        if (index < 0 || index >= lines.size())
            return;
        lines.removeAt(index);
        Store(lines);
    }
    void Clear() override { FMemo->setPlainText(QString()); }
    void SetStrings(const QStringList &lines) override { Store(lines); }

private:
    QStringList Lines() const { return SplitLines(FMemo->toPlainText()); }
    void Store(const QStringList &lines) { FMemo->setPlainText(lines.join(QLatin1Char('\n'))); }

    TMemo *FMemo;
};

class TListBoxStrings final : public TStrings
{
public:
    explicit TListBoxStrings(TListBox *list) : TStrings(list), FList(list) {}

    int Count() const override { return FList->count(); }
    QString Strings(int index) const override
    {
        QListWidgetItem *item = FList->item(index);
        return item ? item->text() : QString();
    }
    void Insert(int index, const QString &line) override
    {
        FList->insertItem(qBound(0, index, FList->count()), line);
    }
    void Delete(int index) override { delete FList->takeItem(index); }
    void Clear() override { FList->clear(); }
    void BeginUpdate() override { FList->BeginUpdate(); }
    void EndUpdate() override { FList->EndUpdate(); }

private:
    TListBox *FList;
};

QCollator ListCollator()
{
    // The C locale has no linguistic order; English gives the usual alphabetical one.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

} // namespace

// The items of a combo box, pictures kept with them.
class TComboBoxStrings final : public TStrings
{
public:
    explicit TComboBoxStrings(TComboBox *box) : TStrings(box), FBox(box) {}

    int Count() const override { return FBox->count(); }
    QString Strings(int index) const override { return FBox->itemText(index); }
    void Insert(int index, const QString &line) override
    {
        if (FBox->FSorted)
            FBox->InsertSorted(line, -1);
        else
            FBox->InsertPlain(index, line, -1);
    }
    void Delete(int index) override { FBox->removeItem(index); }
    void Clear() override { FBox->clear(); }

private:
    TComboBox *FBox;
};

int CompareListText(const QString &a, const QString &b)
{
    static const QCollator collator = ListCollator();
    const int result = collator.compare(a, b);
    return result != 0 ? result : a.compare(b, Qt::CaseInsensitive);
}

TLabel::TLabel(QObject *AOwner, QWidget *AParent)
    : QLabel(AParent), TControl(this)
{
    Register(AOwner, AParent);
}

void TLabel::SetCaption(const QString &value)
{
    setText(value);
}

TButton::TButton(QObject *AOwner, QWidget *AParent)
    : QPushButton(AParent), TControl(this)
{
    // Enter presses only the button marked Default, not whichever has the focus.
    setAutoDefault(false);
    Register(AOwner, AParent);
    connect(this, &QPushButton::clicked, this, [this] {
        Q_EMIT OnClick(this);
        if (FModalResult != mrNone) {
            for (QWidget *w = parentWidget(); w != nullptr; w = w->parentWidget()) {
                if (auto *form = qobject_cast<TForm *>(w)) {
                    form->SetModalResult(FModalResult);
                    break;
                }
            }
        }
    });
}

void TButton::SetImages(TImageList *value)
{
    if (FImages != nullptr)
        disconnect(FImages, nullptr, this, nullptr);
    FImages = value;
    if (FImages != nullptr)
        connect(FImages, &TImageList::Changed, this, &TButton::UpdateImage);
    UpdateImage();
}

void TButton::SetImageIndex(int value)
{
    FImageIndex = value;
    UpdateImage();
}

void TButton::UpdateImage()
{
    if (FImages == nullptr || FImageIndex < 0 || FImageIndex >= FImages->Count()) {
        setIcon(QIcon());
        return;
    }
    setIcon(FImages->Icon(FImageIndex));
    setIconSize(QSize(FImages->Width(), FImages->Height()));
}

TEdit::TEdit(QObject *AOwner, QWidget *AParent)
    : QLineEdit(AParent), TControl(this)
{
    Register(AOwner, AParent);
    connect(this, &QLineEdit::textChanged, this, [this] { Q_EMIT OnChange(this); });
}

TCheckBox::TCheckBox(QObject *AOwner, QWidget *AParent)
    : QCheckBox(AParent), TControl(this)
{
    Register(AOwner, AParent);
    connect(this, &QCheckBox::toggled, this, [this] { Q_EMIT OnClick(this); });
}

TMemo::TMemo(QObject *AOwner, QWidget *AParent)
    : QPlainTextEdit(AParent), TControl(this), FLines(new TMemoStrings(this))
{
    Register(AOwner, AParent);
    // Tab moves on to the next control, as in the other controls.
    setTabChangesFocus(true);
    SetScrollBars(ssNone);
    SkipShaping();
    connect(this, &QPlainTextEdit::textChanged, this, [this] { Q_EMIT OnChange(this); });
}

void TMemo::ApplyFont()
{
    TControl::ApplyFont();
    SkipShaping();
}

// A memo holds data rather than prose: without kerning and ligatures every character stands
// apart as typed, and long text lays out several times faster at each keystroke (scripts that
// need shaping still get it). Only this one attribute is the memo's own: family and size still
// come from its container or its Font.
void TMemo::SkipShaping()
{
    QFont own = font();
    own.setStyleStrategy(QFont::StyleStrategy(own.styleStrategy() | QFont::PreferNoShaping));
    own.setResolveMask(font().resolveMask() | QFont::StyleStrategyResolved);
    setFont(own);
}

void TMemo::SetLines(TStrings *value)
{
    if (value != nullptr && value != FLines)
        FLines->SetStrings(value->ToStringList());
}

QString TMemo::Text() const
{
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void TMemo::SetText(const QString &value)
{
    QString text = value;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (FMaxLength > 0 && text.size() > FMaxLength) {
        Q_EMIT OnTextRefused(this, text.size());
        return;
    }
    if (text != toPlainText())
        setPlainText(text);
}

bool TMemo::Takes(qsizetype length)
{
    if (FMaxLength <= 0)
        return true;
    const qsizetype after = document()->characterCount() - 1 - textCursor().selectedText().size() + length;
    if (after <= FMaxLength)
        return true;
    Q_EMIT OnTextRefused(this, after);
    return false;
}

void TMemo::insertFromMimeData(const QMimeData *source)
{
    if (source != nullptr && source->hasText() && !Takes(source->text().size()))
        return;
    QPlainTextEdit::insertFromMimeData(source);
}

void TMemo::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && (typed.at(0).isPrint() || typed == QLatin1String("\r"));
    if (printable && !(event->modifiers() & Qt::ControlModifier) && !Takes(typed.size())) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TMemo::SetScrollBars(TScrollStyle value)
{
    FScrollBars = value;
    const bool vertical = value == ssVertical || value == ssBoth;
    const bool horizontal = value == ssHorizontal || value == ssBoth;
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // Without a horizontal scroll bar long lines wrap, as in a memo. Data wraps at any
    // character: wrapping at word boundaries lays out a word longer than the line in time that
    // grows with the square of its length (200,000 digits: seconds instead of 50 ms).
    setLineWrapMode(horizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAnywhere);
}

TListBox::TListBox(QObject *AOwner, QWidget *AParent)
    : QListWidget(AParent), TControl(this), FItems(new TListBoxStrings(this))
{
    Register(AOwner, AParent);
}

void TListBox::SetItems(TStrings *value)
{
    if (value != nullptr && value != FItems)
        FItems->SetStrings(value->ToStringList());
}

void TListBox::BeginUpdate()
{
    if (FUpdateCount++ == 0) {
        setUpdatesEnabled(false);
        viewport()->setUpdatesEnabled(false);
    }
}

void TListBox::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0) {
        viewport()->setUpdatesEnabled(true);
        setUpdatesEnabled(true);
        viewport()->update();
    }
}

TComboBox::TComboBox(QObject *AOwner, QWidget *AParent)
    : QComboBox(AParent), TControl(this), FItems(new TComboBoxStrings(this))
{
    setInsertPolicy(QComboBox::NoInsert);
    Register(AOwner, AParent);
    connect(this, &QComboBox::activated, this, [this] { Q_EMIT OnChange(this); });
    connect(this, &QComboBox::editTextChanged, this, [this] {
        if (isEditable() && lineEdit() != nullptr && lineEdit()->hasFocus())
            Q_EMIT OnChange(this);
    });
}

void TComboBox::SetItems(TStrings *value)
{
    if (value != nullptr && value != FItems)
        FItems->SetStrings(value->ToStringList());
}

void TComboBox::SetItemIndex(int value)
{
    setCurrentIndex(value >= 0 && value < count() ? value : -1);
}

void TComboBox::SetText(const QString &value)
{
    if (isEditable()) {
        setEditText(value);
        return;
    }
    const int index = FItems->IndexOf(value);
    if (index >= 0)
        setCurrentIndex(index);
}

void TComboBox::SetSorted(bool value)
{
    if (FSorted == value)
        return;
    FSorted = value;
    if (FSorted)
        SortItems();
}

void TComboBox::SetStyle(TComboBoxStyle value)
{
    setEditable(value == csDropDown);
}

void TComboBox::SetImages(TImageList *value)
{
    if (FImages != nullptr)
        disconnect(FImages, nullptr, this, nullptr);
    FImages = value;
    if (FImages != nullptr) {
        connect(FImages, &TImageList::Changed, this, &TComboBox::UpdateIcons);
        setIconSize(QSize(FImages->Width(), FImages->Height()));
    }
    UpdateIcons();
}

int TComboBox::AddItem(const QString &text, int imageIndex)
{
    if (FSorted)
        return InsertSorted(text, imageIndex);
    return InsertPlain(count(), text, imageIndex);
}

int TComboBox::InsertPlain(int index, const QString &text, int imageIndex)
{
    const int position = qBound(0, index, count());
    const bool noneSelected = currentIndex() < 0;
    insertItem(position, text);
    SetItemImageIndex(position, imageIndex);
    // Qt selects the first item put into an empty list; a list here stays without a selection
    // until one is made.
    if (noneSelected && currentIndex() >= 0) {
        const QSignalBlocker blocker(this);
        setCurrentIndex(-1);
    }
    return position;
}

int TComboBox::ItemImageIndex(int index) const
{
    const QVariant value = itemData(index, Qt::UserRole + 1);
    return value.isValid() ? value.toInt() : -1;
}

void TComboBox::SetItemImageIndex(int index, int imageIndex)
{
    if (index < 0 || index >= count())
        return;
    setItemData(index, imageIndex, Qt::UserRole + 1);
    QIcon icon;
    if (FImages != nullptr && imageIndex >= 0 && imageIndex < FImages->Count())
        icon = FImages->Icon(imageIndex);
    setItemIcon(index, icon);
}

int TComboBox::InsertSorted(const QString &text, int imageIndex)
{
    int position = count();
    for (int i = 0; i < count(); ++i) {
        if (CompareListText(text, itemText(i)) < 0) {
            position = i;
            break;
        }
    }
    return InsertPlain(position, text, imageIndex);
}

void TComboBox::SortItems()
{
    struct TItem
    {
        QString Text;
        int Image;
    };
    QList<TItem> items;
    const int selected = currentIndex();
    for (int i = 0; i < count(); ++i)
        items.append({itemText(i), ItemImageIndex(i)});
    const QString selectedText = selected >= 0 ? itemText(selected) : QString();
    std::stable_sort(items.begin(), items.end(), [](const TItem &a, const TItem &b) {
        return CompareListText(a.Text, b.Text) < 0;
    });
    const QSignalBlocker blocker(this);
    clear();
    int newSelected = -1;
    for (int i = 0; i < items.size(); ++i) {
        insertItem(i, items.at(i).Text);
        SetItemImageIndex(i, items.at(i).Image);
        if (selected >= 0 && newSelected < 0 && items.at(i).Text == selectedText)
            newSelected = i;
    }
    setCurrentIndex(newSelected);
}

void TComboBox::UpdateIcons()
{
    for (int i = 0; i < count(); ++i)
        SetItemImageIndex(i, ItemImageIndex(i));
}
