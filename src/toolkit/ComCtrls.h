#pragma once

#include "toolkit/Controls.h"
#include "toolkit/StdCtrls.h"

#include <QLabel>
#include <QPointer>
#include <QStatusBar>
#include <QToolButton>
#include <QWidget>

// A status bar showing one simple text.
class TStatusBar final : public QStatusBar, public TControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TStatusBar)
    TCONTROL_PUBLISHED
    Q_PROPERTY(QString SimpleText READ SimpleText WRITE SetSimpleText)

public:
    TStatusBar(QObject *AOwner, QWidget *AParent);

    QString SimpleText() const;
    void SetSimpleText(const QString &value);

private:
    QLabel *FLabel;
};

inline namespace ComCtrlTypes {
Q_NAMESPACE
enum TUpDownDirection { updNone, updUp, updDown };
Q_ENUM_NS(TUpDownDirection)
} // namespace ComCtrlTypes

// A pair of arrow buttons stepping an integer position within Min..Max by Increment.
//
// With an associated edit (Associate) the position is shown in the edit, with the locale's
// thousands separators when Thousands is set; the edit's text becomes the position only when it is
// a whole number within the range (thousands separators allowed), otherwise the position stays;
// Up and Down keys in the edit step it.
//
// Every step request and every setting of Position by the program is reported first through
// OnChangingEx with the new position; a handler may refuse it by clearing AllowChange.
class TUpDown final : public QWidget, public TControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TUpDown)
    TCONTROL_PUBLISHED
    Q_PROPERTY(bool ArrowKeys READ ArrowKeys WRITE SetArrowKeys)
    Q_PROPERTY(TEdit *Associate READ Associate WRITE SetAssociate)
    Q_PROPERTY(int Increment READ Increment WRITE SetIncrement)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
    Q_PROPERTY(bool Thousands READ Thousands WRITE SetThousands)
    Q_PROPERTY(bool Wrap READ Wrap WRITE SetWrap)

public:
    TUpDown(QObject *AOwner, QWidget *AParent);
    ~TUpDown() override;

    TEdit *Associate() const { return FAssociate; }
    // Attaches the spin to `value` (nullptr detaches) and shows the position in it.
    void SetAssociate(TEdit *value);
    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int value) { FIncrement = value; }
    // With an associated edit, its text when that is a valid position, else the last position.
    int Position() const;
    // Limited to the range, reported through OnChangingEx, then shown in the associated edit.
    void SetPosition(int value);
    bool Thousands() const { return FThousands; }
    void SetThousands(bool value);
    bool ArrowKeys() const { return FArrowKeys; }
    void SetArrowKeys(bool value) { FArrowKeys = value; }
    bool Wrap() const { return FWrap; }
    void SetWrap(bool value) { FWrap = value; }

    // One step up or down, as a click on an arrow.
    void StepUp() { Step(updUp); }
    void StepDown() { Step(updDown); }
    // The position text as the associated edit shows it.
    QString FormatPosition(int value) const;
    // `text` as a position: a whole number within the range, thousands separators allowed.
    bool ParsePosition(const QString &text, int &value) const;

Q_SIGNALS:
    void OnChangingEx(QObject *Sender, bool &AllowChange, short NewValue,
                      ComCtrlTypes::TUpDownDirection Direction);
    // After the position moved through an arrow or key.
    void OnClick(QObject *Sender, ComCtrlTypes::TUpDownDirection Button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Step(TUpDownDirection direction);
    bool RequestPosition(int value, TUpDownDirection direction);
    void ShowPosition();
    void AssociateTextChanged();

    QToolButton *FUpButton;
    QToolButton *FDownButton;
    QPointer<TEdit> FAssociate;
    int FMin = 0;
    int FMax = 100;
    int FIncrement = 1;
    int FPosition = 0;
    bool FThousands = true;
    bool FArrowKeys = true;
    bool FWrap = false;
    bool FShowing = false;
};
