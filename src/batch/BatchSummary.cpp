#include "batch/BatchSummary.h"

namespace {

QString Shown(const QString &text)
{
    QString shown = text.size() > FailureTextLimit ? text.first(FailureTextLimit) + QChar(0x2026) : text;
    for (QChar &c : shown) {
        if (c.unicode() < 32)
            c = u' ';
    }
    return shown;
}

} // namespace

QString BatchSummaryHeadline(const TBatchResult &result, const TTranslate &translate)
{
    QString text = translate(QStringLiteral("%1 of %2 files written, %3 failed."))
                       .arg(result.Written)
                       .arg(result.Total)
                       .arg(result.Failures.size());
    if (result.Skipped > 0)
        text += u' ' + translate(QStringLiteral("Blank lines skipped: %1.")).arg(result.Skipped);
    if (!result.StoppedBy.isEmpty())
        text += u' ' + translate(QStringLiteral("The run stopped: %1")).arg(result.StoppedBy);
    else if (result.FolderLost)
        text += u' ' + translate(QStringLiteral("The output folder disappeared during the run; the remaining strings were not written."));
    else if (result.Cancelled)
        text += u' ' + translate(QStringLiteral("The run was cancelled; the remaining strings were not written."));
    if (result.Check.Ran)
        text += u' ' + translate(QStringLiteral("Read back: %1 files; %2 do not read back; %3 not checked (their format cannot be read back)."))
                           .arg(result.Check.ReadBack)
                           .arg(result.Check.Unreadable.size())
                           .arg(result.Check.Unchecked);
    return text;
}

QStringList BatchFailureLines(const TBatchResult &result)
{
    QStringList lines;
    lines.reserve(result.Failures.size() + result.Check.Unreadable.size());
    for (const QList<TBatchFailure> *list : {&result.Failures, &result.Check.Unreadable})
        for (const TBatchFailure &failure : *list)
            lines.append(QStringLiteral("%1\t%2\t%3").arg(failure.Line).arg(Shown(failure.Text), failure.Message));
    return lines;
}
