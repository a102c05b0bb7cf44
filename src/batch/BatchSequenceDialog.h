#pragma once

#include "batch/BatchSequence.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for a number sequence and shows its first strings, or why it gives none, while it is typed.
class TBatchSequenceDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBatchSequenceDialog)

public:
    TBatchSequenceDialog(QWidget *parent, const TTranslate &translate);

    QLineEdit *EditStart;
    QLineEdit *EditEnd;
    QLineEdit *EditStep;
    QLineEdit *EditPattern;

    // The strings the fields give; empty while Message() says why there are none.
    QStringList Strings() const { return FResult.Strings; }
    QString Message() const;
    // The first strings, or the message.
    QString Preview() const;

    // Shown in the preview.
    static constexpr int PreviewCount = 3;

private:
    void Refresh();

    TTranslate FTranslate;
    QLabel *FPreview;
    QPushButton *FOk;
    QString FFieldProblem; // a field that holds no whole number
    TSequence FSequence;
    TSequenceResult FResult;
};
