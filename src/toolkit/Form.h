#pragma once

#include "toolkit/Controls.h"
#include "toolkit/MessageBox.h"

#include <QDialog>
#include <QList>

// The window base. Every window of the program (the main window included) is a TForm: it owns the
// components created with it as owner, in creation order, whatever container shows them; its
// object name is its Name, its class name (metaObject()->className()) its class, e.g. "TForm1".

inline namespace FormTypes {
Q_NAMESPACE
enum TCloseAction { caNone, caHide, caFree, caMinimize };
Q_ENUM_NS(TCloseAction)
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
Q_ENUM_NS(TWindowState)
// Where the window stands at its first showing.
enum TPosition { poDesigned, poScreenCenter, poMainFormCenter, poOwnerFormCenter };
Q_ENUM_NS(TPosition)
enum TFormBorderStyle { bsSizeable, bsDialog };
Q_ENUM_NS(TFormBorderStyle)
} // namespace FormTypes

class TForm : public QDialog, public TControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(FormTypes::TFormBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int ClientHeight READ ClientHeight WRITE SetClientHeight)
    Q_PROPERTY(int ClientWidth READ ClientWidth WRITE SetClientWidth)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TFont *Font READ Font WRITE SetFont)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(FormTypes::TPosition Position READ Position WRITE SetPosition)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(FormTypes::TWindowState WindowState READ WindowState WRITE SetWindowState)

public:
    // `AOwner` is the owning window (nullptr for the main window); the form is registered as its
    // component and destroyed with it.
    explicit TForm(QObject *AOwner);
    ~TForm() override;

    QObject *Owner() const;

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString &value) { setWindowTitle(value); }

    // Outer bounds, frame included (before the first showing the frame is not known and the
    // outer size equals the client size).
    int Left() const;
    void SetLeft(int value);
    int Top() const;
    void SetTop(int value);
    int Width() const;
    void SetWidth(int value);
    int Height() const;
    void SetHeight(int value);
    void SetBounds(int left, int top, int width, int height);
    int ClientWidth() const { return width(); }
    void SetClientWidth(int value);
    int ClientHeight() const { return height(); }
    void SetClientHeight(int value);

    // Sizes and positions from outside the program (the settings, a language file) made usable:
    // at least MinimumFormSize and at most the available desktop, with a part of the window
    // and its whole title bar on the desktop. `property` is Left, Top, Width, Height,
    // ClientWidth or ClientHeight (any case); other properties keep their value.
    int UsableValue(const QString &property, int value) const;
    QSize UsableSize(QSize outer) const;
    // `keepBeyondRight`: a window placed right of the desktop stays there (brought back later
    // as a window left on a monitor that is gone).
    QPoint UsablePosition(QPoint topLeft, QSize outer, bool keepBeyondRight) const;

    bool Visible() const { return isVisible(); }
    void SetVisible(bool value) { setVisible(value); }

    int Color() const { return int(FColor); }
    void SetColor(int value);
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    TWindowState WindowState() const;
    void SetWindowState(TWindowState value);

    // Shows the window modally and answers how it was closed: the ModalResult a button or the
    // program set, or mrCancel when the user closed the window.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    // A result other than mrNone closes a modal window with that result.
    void SetModalResult(TModalResult value);
    void Show() { show(); }
    void Close() { close(); }
    // Escape closes the window as its close button does (through OnClose); off by default.
    bool EscapeCloses() const { return FEscapeCloses; }
    void SetEscapeCloses(bool value) { FEscapeCloses = value; }

Q_SIGNALS:
    // Just before the window becomes visible.
    void OnShow(QObject *Sender);
    // When the window closes; setting Action to caNone keeps it open.
    void OnClose(QObject *Sender, FormTypes::TCloseAction &Action);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Tab and Shift+Tab follow the controls' TabOrder.
    bool focusNextPrevChild(bool next) override;

public:
    void done(int result) override;
    void reject() override;

private:
    bool RunClose();
    void PlaceAtFirstShow();
    // At a showing without a focused control: the first control in tab order takes the focus.
    void FocusFirstControl();

    TColor FColor = clBtnFace;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TPosition FPosition = poDesigned;
    TModalResult FModalResult = mrNone;
    bool FShownOnce = false;
    bool FClosing = false;
    bool FEscapeCloses = false;
};

// The smallest outer size a window is given from outside the program, and how much of it
// stays on the desktop when it is placed.
constexpr QSize MinimumFormSize(320, 240);
constexpr int MinimumVisiblePart = 120;

// Every window that exists, in creation order.
QList<TForm *> OpenForms();

// Lets the application handle pending events from within a handler.
void ProcessMessages();
