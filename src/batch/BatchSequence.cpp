#include "batch/BatchSequence.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

const QRegularExpression &Place()
{
    static const QRegularExpression place(QStringLiteral("\\{(0+)\\}"));
    return place;
}

// Zero-padded to `width` digits, the sign in front; the most negative number included.
QString Padded(qint64 number, int width)
{
    const quint64 magnitude = number < 0 ? quint64(0) - quint64(number) : quint64(number);
    const QString digits = QString::number(magnitude).rightJustified(width, u'0');
    return number < 0 ? QLatin1Char('-') + digits : digits;
}

QString Number(qint64 number)
{
    return QLocale().toString(qlonglong(number));
}

} // namespace

QString SequenceString(const QString &pattern, qint64 number)
{
    if (pattern.isEmpty())
        return QString::number(number);
    QString text;
    qsizetype from = 0;
    QRegularExpressionMatchIterator places = Place().globalMatch(pattern);
    while (places.hasNext()) {
        const QRegularExpressionMatch place = places.next();
        text += QStringView(pattern).mid(from, place.capturedStart() - from);
        text += Padded(number, int(place.capturedLength(1)));
        from = place.capturedEnd();
    }
    text += QStringView(pattern).mid(from);
    return text;
}

TSequenceResult MakeSequence(const TSequence &sequence, qsizetype limit)
{
    TSequenceResult result;
    if (sequence.Step == 0) {
        result.Problem = TSequenceProblem::ZeroStep;
        return result;
    }
    if (!sequence.Pattern.isEmpty() && !Place().match(sequence.Pattern).hasMatch()) {
        result.Problem = TSequenceProblem::NoPlace;
        return result;
    }
    const bool up = sequence.Step > 0;
    if (up ? sequence.Start > sequence.End : sequence.Start < sequence.End) {
        result.Problem = TSequenceProblem::EmptyRange;
        return result;
    }
    // In unsigned arithmetic: the distance between two 64-bit numbers may exceed the largest one.
    const quint64 distance = up ? quint64(sequence.End) - quint64(sequence.Start)
                                : quint64(sequence.Start) - quint64(sequence.End);
    const quint64 step = up ? quint64(sequence.Step) : quint64(0) - quint64(sequence.Step);
    result.Count = distance / step + 1; // at most 2^64 - 1 + 1 only for the full range in steps of 1
    if (result.Count == 0 || result.Count > quint64(limit)) {
        result.Problem = TSequenceProblem::TooMany;
        return result;
    }
    result.Strings.reserve(qsizetype(result.Count));
    // Each number from Start by whole steps: never past End, so never past the 64-bit range.
    quint64 value = quint64(sequence.Start);
    for (quint64 i = 0; i < result.Count; ++i, value += quint64(sequence.Step))
        result.Strings.append(SequenceString(sequence.Pattern, qint64(value)));
    return result;
}

QString SequenceProblemText(const TSequenceResult &result, const TSequence &sequence, qsizetype limit,
                            const TTranslate &translate)
{
    switch (result.Problem) {
    case TSequenceProblem::None:
        return QString();
    case TSequenceProblem::ZeroStep:
        return translate(QStringLiteral("The step is 0: the numbers would never reach the end. Give a step such as 1 or -1."));
    case TSequenceProblem::EmptyRange:
        return translate(QStringLiteral("From %1 to %2 in steps of %3 gives no number: the step leads away from the end."))
            .arg(Number(sequence.Start), Number(sequence.End), Number(sequence.Step));
    case TSequenceProblem::TooMany:
        // A count of 0 here is 2^64, the whole 64-bit range in steps of 1.
        return translate(QStringLiteral("From %1 to %2 in steps of %3 gives %4 strings; the list holds at most %5."))
            .arg(Number(sequence.Start), Number(sequence.End), Number(sequence.Step),
                 result.Count == 0 ? QStringLiteral("18446744073709551616") : QLocale().toString(qulonglong(result.Count)),
                 QLocale().toString(qlonglong(limit)));
    case TSequenceProblem::NoPlace:
        return translate(QStringLiteral("The pattern \"%1\" has no place for the number; put one in braces, such as {0000}."))
            .arg(sequence.Pattern);
    }
    return QString();
}
