#include "toolkit/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace {

class TQtMessagePresenter final : public TMessagePresenter
{
public:
    TModalResult Present(const TMessageBoxRequest &request) override
    {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(request.Caption);
        box.setText(request.Text);
        switch (request.Type) {
        case mtWarning: box.setIcon(QMessageBox::Warning); break;
        case mtError: box.setIcon(QMessageBox::Critical); break;
        case mtInformation: box.setIcon(QMessageBox::Information); break;
        case mtConfirmation: box.setIcon(QMessageBox::Question); break;
        case mtCustom: box.setIcon(QMessageBox::NoIcon); break;
        }
        if (request.Buttons == mbYesNo) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(request.DefaultButton == mrNo ? QMessageBox::No : QMessageBox::Yes);
        } else {
            box.setStandardButtons(QMessageBox::Ok);
        }
        switch (box.exec()) {
        case QMessageBox::Ok: return mrOk;
        case QMessageBox::Yes: return mrYes;
        case QMessageBox::No: return mrNo;
        default: return mrCancel;
        }
    }
};

TMessagePresenter *&TestPresenter()
{
    static TMessagePresenter *presenter = nullptr;
    return presenter;
}

QString &Title()
{
    static QString title;
    return title;
}

} // namespace

void SetMessagePresenterForTests(TMessagePresenter *presenter)
{
    TestPresenter() = presenter;
}

QString ApplicationTitle()
{
    // Until the program names itself, the executable's name stands in.
    if (Title().isEmpty())
        return QCoreApplication::applicationName();
    return Title();
}

// The title is kept here rather than in the Qt application's display name, which the window
// systems would append to every window's caption.
void SetApplicationTitle(const QString &title)
{
    Title() = title;
}

TModalResult MessageDlg(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons,
                        TModalResult defaultButton)
{
    TMessageBoxRequest request;
    request.Caption = ApplicationTitle();
    request.Text = text;
    request.Type = type;
    request.Buttons = buttons;
    request.DefaultButton = defaultButton;
    if (TMessagePresenter *presenter = TestPresenter())
        return presenter->Present(request);
    TQtMessagePresenter real;
    return real.Present(request);
}

void ShowMessage(const QString &text)
{
    MessageDlg(text, mtCustom, mbOK);
}

QString ErrorDisplayText(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > 46)
        return message + QLatin1Char('.');
    return message;
}

void ShowErrorMessage(const QString &message)
{
    MessageDlg(ErrorDisplayText(message), mtError, mbOK);
}

bool MessageDlgYesNo(const QString &text, TModalResult defaultButton)
{
    return MessageDlg(text, mtConfirmation, mbYesNo, defaultButton) == mrYes;
}
