#include "batch/BatchSequenceDialog.h"

#include "toolkit/InputLimits.h"
#include "toolkit/MessageBox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace {

// A whole number as the user's locale writes it (group separators allowed), or as plain digits.
std::optional<qint64> WholeNumber(const QString &text)
{
    bool ok = false;
    const QString trimmed = text.trimmed();
    qint64 value = QLocale().toLongLong(trimmed, &ok);
    if (!ok)
        value = trimmed.toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

} // namespace

TBatchSequenceDialog::TBatchSequenceDialog(QWidget *parent, const TTranslate &translate)
    : QDialog(parent)
    , FTranslate(translate)
{
    setObjectName(QStringLiteral("BatchSequence"));
    setWindowTitle(ApplicationTitle());
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(translate(QStringLiteral("Fill the list with numbers. In the pattern, {000000} is the number with at least six digits; the rest is fixed text.")), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto *form = new QFormLayout;
    const auto field = [&](const char *name, const QString &caption, const QString &hint, const QString &text) {
        auto *edit = new QLineEdit(text, this);
        edit->setObjectName(QLatin1String(name));
        edit->setToolTip(hint);
        auto *label = new QLabel(caption, this);
        label->setBuddy(edit);
        form->addRow(label, edit);
        connect(edit, &QLineEdit::textChanged, this, &TBatchSequenceDialog::Refresh);
        return edit;
    };
    EditStart = field("EditStart", translate(QStringLiteral("&Start:")), translate(QStringLiteral("The first number")), QStringLiteral("1"));
    EditEnd = field("EditEnd", translate(QStringLiteral("&End:")), translate(QStringLiteral("The last number, if a step reaches it exactly")), QStringLiteral("100"));
    EditStep = field("EditStep", translate(QStringLiteral("S&tep:")), translate(QStringLiteral("Added to each number to give the next; negative to count down")), QStringLiteral("1"));
    EditPattern = field("EditPattern", translate(QStringLiteral("&Pattern:")), translate(QStringLiteral("Fixed text with the number in braces, such as SN-{000000}; empty: the number alone")), QStringLiteral("{0}"));
    layout->addLayout(form);

    FPreview = new QLabel(this);
    FPreview->setObjectName(QStringLiteral("LabelPreview"));
    FPreview->setWordWrap(true);
    FPreview->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(FPreview);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    FOk = buttons->button(QDialogButtonBox::Ok);
    FOk->setToolTip(translate(QStringLiteral("Replaces the list with these strings")));
    buttons->button(QDialogButtonBox::Cancel)->setText(translate(QStringLiteral("Cancel")));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    Refresh();
    resize(440, sizeHint().height());
}

QString TBatchSequenceDialog::Message() const
{
    if (!FFieldProblem.isEmpty())
        return FFieldProblem;
    return SequenceProblemText(FResult, FSequence, MaxSequenceStrings, FTranslate);
}

QString TBatchSequenceDialog::Preview() const
{
    return FPreview->text();
}

void TBatchSequenceDialog::Refresh()
{
    FFieldProblem.clear();
    FResult = TSequenceResult();
    const std::pair<QLineEdit *, qint64 *> numbers[] = {
        {EditStart, &FSequence.Start}, {EditEnd, &FSequence.End}, {EditStep, &FSequence.Step}};
    const QString names[] = {FTranslate(QStringLiteral("Start")), FTranslate(QStringLiteral("End")),
                             FTranslate(QStringLiteral("Step"))};
    for (int i = 0; i < 3; ++i) {
        const std::optional<qint64> value = WholeNumber(numbers[i].first->text());
        if (!value) {
            FFieldProblem = FTranslate(QStringLiteral("%1 must be a whole number, not \"%2\"."))
                                .arg(names[i], numbers[i].first->text());
            break;
        }
        *numbers[i].second = *value;
    }
    FSequence.Pattern = EditPattern->text();
    if (FFieldProblem.isEmpty())
        FResult = MakeSequence(FSequence, MaxSequenceStrings);
    const QString message = Message();
    if (!message.isEmpty()) {
        FPreview->setText(message);
    } else {
        QStringList first = FResult.Strings.mid(0, PreviewCount);
        if (FResult.Strings.size() > PreviewCount)
            first << QStringLiteral("\u2026");
        FPreview->setText(FTranslate(QStringLiteral("%1 strings: %2"))
                              .arg(QLocale().toString(FResult.Strings.size()), first.join(QStringLiteral(", "))));
    }
    FOk->setEnabled(message.isEmpty());
}
