#include "batch/BatchSummaryDialog.h"

#include "toolkit/MessageBox.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TBatchSummaryDialog::TBatchSummaryDialog(QWidget *parent, const QString &headline,
                                         const QStringList &failures, const TTranslate &translate)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("BatchSummary"));
    setWindowTitle(ApplicationTitle());
    auto *layout = new QVBoxLayout(this);

    auto *label = new QLabel(headline, this);
    label->setWordWrap(true);
    layout->addWidget(label);
    layout->addWidget(new QLabel(translate(QStringLiteral("Failed (line, string, message):")), this));

    FList = new QPlainTextEdit(this);
    FList->setReadOnly(true);
    FList->setLineWrapMode(QPlainTextEdit::NoWrap);
    FList->setTabStopDistance(FList->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8);
    FList->setPlainText(failures.join(u'\n'));
    layout->addWidget(FList, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton *copy = buttons->addButton(translate(QStringLiteral("Copy")), QDialogButtonBox::ActionRole);
    connect(copy, &QPushButton::clicked, this, [this] { QGuiApplication::clipboard()->setText(FailureText()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(620, 360);
}

QString TBatchSummaryDialog::FailureText() const
{
    return FList->toPlainText();
}
