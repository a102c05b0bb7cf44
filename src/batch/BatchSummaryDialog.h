#pragma once

#include "batch/BatchSummary.h"

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

// The end of a run with failures: the counts, and one line per failure (line number, string,
// engine message) in a read-only list that can be selected and copied.
class TBatchSummaryDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBatchSummaryDialog)

public:
    TBatchSummaryDialog(QWidget *parent, const QString &headline, const QStringList &failures,
                        const TTranslate &translate);

    QString FailureText() const;

private:
    QPlainTextEdit *FList;
};
