#include "app/ScanVerdictView.h"

#include "toolkit/ExtCtrls.h"
#include "toolkit/StdCtrls.h"
#include "verify/ScanCheck.h"
#include "verify/ScanText.h"

#include <QVBoxLayout>

namespace {

// Wide enough for the longer verdicts in two or three lines.
constexpr int ViewWidth = 190;

// A text that wraps and that the keyboard reaches, so that it can be read out and copied.
TLabel *CreateReadout(QObject *owner, QWidget *parent, const char *name, const QString &hint)
{
    auto *label = new TLabel(owner, parent);
    label->SetName(QLatin1String(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    label->setFocusPolicy(Qt::StrongFocus); // after the flags, which set a policy of their own
    label->setTextFormat(Qt::PlainText);
    label->SetHint(hint);
    return label;
}

} // namespace

TScanVerdictView::TScanVerdictView(QObject *owner, QWidget *parent, TTranslate translate)
    : QObject(owner)
    , FTranslate(std::move(translate))
{
    PanelScanCheck = new TPanel(owner, parent);
    PanelScanCheck->SetName(QStringLiteral("PanelScanCheck"));
    PanelScanCheck->SetBevelOuter(bvNone);
    CheckBoxScanCheck = new TCheckBox(owner, PanelScanCheck);
    CheckBoxScanCheck->SetName(QStringLiteral("CheckBoxScanCheck"));
    CheckBoxScanCheck->SetCaption(QStringLiteral("Scan chec&k"));
    CheckBoxScanCheck->SetHint(QStringLiteral("Reads every new picture back with an independent reader and compares it with the data"));
    CheckBoxScanCheck->SetChecked(true);

    LabelScanVerdict = CreateReadout(owner, PanelScanCheck, "LabelScanVerdict",
                                     QStringLiteral("What an independent reader finds in the preview"));
    LabelScanWarnings = CreateReadout(owner, PanelScanCheck, "LabelScanWarnings",
                                      QStringLiteral("Why the symbol may not scan when printed"));

    auto *layout = new QVBoxLayout(PanelScanCheck);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(CheckBoxScanCheck);
    layout->addWidget(LabelScanVerdict);
    layout->addWidget(LabelScanWarnings);
    layout->addStretch(1);
    PanelScanCheck->setFixedWidth(ViewWidth);
    LabelScanWarnings->setVisible(false);
}

bool TScanVerdictView::CheckOn() const
{
    return CheckBoxScanCheck->Checked();
}

void TScanVerdictView::Show(const QString &verdict, const QString &warnings, bool doubtful)
{
    // Most keystrokes leave the verdict as it was: nothing is laid out or styled again then.
    if (verdict != LabelScanVerdict->text()) {
        LabelScanVerdict->setText(verdict);
        LabelScanVerdict->setAccessibleName(verdict);
    }
    if (warnings != LabelScanWarnings->text()) {
        LabelScanWarnings->setText(warnings);
        LabelScanWarnings->setAccessibleName(warnings);
        LabelScanWarnings->setVisible(!warnings.isEmpty());
    }
    // A symbol that may not scan stands out.
    if (doubtful != FDoubtful) {
        FDoubtful = doubtful;
        QFont font = LabelScanVerdict->font();
        font.setBold(doubtful);
        LabelScanVerdict->setFont(font);
    }
}

void TScanVerdictView::ShowVerdict(const TScanVerdict &verdict)
{
    // Typing mostly leaves the verdict as it was: then nothing is worded again.
    if (FShown && *FShown == verdict)
        return;
    FShown = verdict;
    Show(ScanVerdictText(verdict, FTranslate), ScanWarningTexts(verdict, FTranslate).join(u'\n'),
         verdict.Outcome == TScanOutcome::DoesNotRead || verdict.Outcome == TScanOutcome::ReadsDifferently);
}

void TScanVerdictView::ShowNothing()
{
    FShown.reset();
    Show(QString(), QString(), false);
}
