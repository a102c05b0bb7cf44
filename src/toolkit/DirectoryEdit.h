#pragma once

#include "toolkit/Controls.h"

#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

// An editable folder field with a browse button; the button opens the folder chooser with
// DialogText as its prompt, and the chosen folder replaces the text.
class TDirectoryEdit final : public QWidget, public TControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDirectoryEdit)
    TCONTROL_PUBLISHED
    Q_PROPERTY(QString ButtonHint READ ButtonHint WRITE SetButtonHint)
    Q_PROPERTY(QString DialogText READ DialogText WRITE SetDialogText)
    Q_PROPERTY(QString Text READ Text WRITE SetText)

public:
    TDirectoryEdit(QObject *AOwner, QWidget *AParent);

    QString Text() const { return FEdit->text(); }
    void SetText(const QString &value) { FEdit->setText(value); }
    QString DialogText() const { return FDialogText; }
    void SetDialogText(const QString &value) { FDialogText = value; }
    QString ButtonHint() const { return FButton->toolTip(); }
    void SetButtonHint(const QString &value) { FButton->setToolTip(value); }

    // Runs the browse button.
    void Browse();
    QToolButton *ButtonPart() const { return FButton; }

Q_SIGNALS:
    void OnChange(QObject *Sender);

protected:
    void ApplyFont() override;

private:
    QLineEdit *FEdit;
    QToolButton *FButton;
    QString FDialogText;
};
