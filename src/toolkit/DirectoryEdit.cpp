#include "toolkit/DirectoryEdit.h"

#include "toolkit/Dialogs.h"

#include <QDir>
#include <QHBoxLayout>

TDirectoryEdit::TDirectoryEdit(QObject *AOwner, QWidget *AParent)
    : QWidget(AParent), TControl(this), FEdit(new QLineEdit(this)), FButton(new QToolButton(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FEdit, 1);
    layout->addWidget(FButton);
    FButton->setText(QStringLiteral("..."));
    FButton->setToolTip(QStringLiteral("Browse"));
    setFocusProxy(FEdit);
    Register(AOwner, AParent);
    connect(FButton, &QToolButton::clicked, this, &TDirectoryEdit::Browse);
    connect(FEdit, &QLineEdit::textChanged, this, [this] { Q_EMIT OnChange(this); });
}

void TDirectoryEdit::Browse()
{
    const QString folder = ChooseFolder(FDialogText, FEdit->text(), window());
    if (!folder.isEmpty())
        FEdit->setText(QDir::toNativeSeparators(folder));
}

void TDirectoryEdit::ApplyFont()
{
    TControl::ApplyFont();
    FEdit->setFont(font());
}
