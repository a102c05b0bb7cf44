#pragma once

#include "batch/BatchSummary.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

// A list of numbered strings: from Start to End in steps of Step, each number written into the
// pattern's places. A place is a pair of braces around one or more zeros: "{000000}" writes the
// number with at least six digits ("SN-{000000}" gives "SN-000042"), "{0}" writes it as it is;
// a negative number keeps its minus sign in front of the zeros. The rest of the pattern is fixed
// text. An empty pattern is the number alone.
struct TSequence
{
    qint64 Start = 1;
    qint64 End = 10;
    qint64 Step = 1;
    QString Pattern;
};

enum class TSequenceProblem : quint8 {
    None,
    ZeroStep,      // the numbers would never reach End
    EmptyRange,    // Step leads away from End: not one number
    TooMany,       // more strings than a list holds
    NoPlace,       // a pattern without a place for the number would give the same string each time
};

struct TSequenceResult
{
    TSequenceProblem Problem = TSequenceProblem::None;
    quint64 Count = 0;     // how many strings the range holds (also when there are too many)
    QStringList Strings;   // empty unless Problem is None
};

// The strings of `sequence`, or the reason there are none; never more than `limit`.
TSequenceResult MakeSequence(const TSequence &sequence, qsizetype limit);
// The string for one number.
QString SequenceString(const QString &pattern, qint64 number);
// The message for a result's problem, naming the value at fault; empty for None.
QString SequenceProblemText(const TSequenceResult &result, const TSequence &sequence, qsizetype limit,
                            const TTranslate &translate);
