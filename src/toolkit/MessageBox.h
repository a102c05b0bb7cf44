#pragma once

#include <QString>

// Message boxes of the program. Every box carries the application title as its caption and goes
// through one presenter, which tests replace so that no box ever blocks a test run.

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgButtons { mbOK, mbYesNo };

// Modal results, numbered as the windows and message boxes report them.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrClose = 8;

struct TMessageBoxRequest
{
    QString Caption;
    QString Text;
    TMsgDlgType Type = mtCustom;
    TMsgDlgButtons Buttons = mbOK;
    // The answer of Enter: mrYes or mrNo for a question, mrOk otherwise.
    TModalResult DefaultButton = mrOk;
};

class TMessagePresenter
{
public:
    virtual ~TMessagePresenter() = default;
    // Shows the box modally and answers mrOk, mrYes or mrNo (mrCancel when the box was closed).
    virtual TModalResult Present(const TMessageBoxRequest &request) = 0;
};

// Replaces the presenter (not owned); nullptr restores the real message boxes.
void SetMessagePresenterForTests(TMessagePresenter *presenter);

QString ApplicationTitle();
void SetApplicationTitle(const QString &title);

// A plain box with one OK button.
void ShowMessage(const QString &text);
// The top-level error display: error icon, and a full stop appended unless the message's last
// character has a code of 46 ('.') or less.
void ShowErrorMessage(const QString &message);
// The text the error display shows for `message`.
QString ErrorDisplayText(const QString &message);
// A question with Yes and No; true for Yes. `defaultButton` (mrYes or mrNo) is what Enter answers;
// a question whose Yes loses data defaults to mrNo.
bool MessageDlgYesNo(const QString &text, TModalResult defaultButton = mrYes);
// Any box; answers the presenter's modal result.
TModalResult MessageDlg(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons,
                        TModalResult defaultButton = mrOk);
