#include "toolkit/Form.h"

#include "toolkit/Component.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>
#include <limits>

namespace {

QList<QPointer<TForm>> &FormList()
{
    static QList<QPointer<TForm>> forms;
    return forms;
}

QWidget *OwnerWidget(QObject *owner)
{
    return qobject_cast<QWidget *>(owner);
}

} // namespace

TForm::TForm(QObject *AOwner)
    : QDialog(OwnerWidget(AOwner)), TControl(this)
{
    if (AOwner != nullptr) {
        InsertComponent(AOwner, this);
        // An owner that is not a widget still takes the window with it.
        if (OwnerWidget(AOwner) == nullptr)
            connect(AOwner, &QObject::destroyed, this, [this] { delete this; });
    }
    SetBorderStyle(AOwner == nullptr ? bsSizeable : bsDialog);
    FormList().append(this);
}

TForm::~TForm()
{
    FormList().removeAll(QPointer<TForm>(this));
    FormList().removeAll(QPointer<TForm>());
}

QObject *TForm::Owner() const
{
    return ComponentOwner(this);
}

int TForm::Left() const
{
    return frameGeometry().x();
}

void TForm::SetLeft(int value)
{
    move(value, frameGeometry().y());
}

int TForm::Top() const
{
    return frameGeometry().y();
}

void TForm::SetTop(int value)
{
    move(frameGeometry().x(), value);
}

int TForm::Width() const
{
    return frameGeometry().width();
}

void TForm::SetWidth(int value)
{
    const int frame = frameGeometry().width() - width();
    resize(std::max(0, value - frame), height());
    ArrangeChildren(this, QSize());
}

int TForm::Height() const
{
    return frameGeometry().height();
}

void TForm::SetHeight(int value)
{
    const int frame = frameGeometry().height() - height();
    resize(width(), std::max(0, value - frame));
    ArrangeChildren(this, QSize());
}

void TForm::SetClientWidth(int value)
{
    resize(std::max(0, value), height());
    ArrangeChildren(this, QSize());
}

void TForm::SetClientHeight(int value)
{
    resize(width(), std::max(0, value));
    ArrangeChildren(this, QSize());
}

void TForm::SetBounds(int left, int top, int width, int height)
{
    move(left, top);
    SetWidth(width);
    SetHeight(height);
}

namespace {

// The desktop a window may occupy: every screen's area without the task bars.
QRect AvailableDesktop()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableVirtualGeometry() : QRect();
}

// `value` within `low` to `high`; when the range is empty, `high` wins (a desktop smaller than
// the smallest usable window).
int Clamped(qint64 value, qint64 low, qint64 high)
{
    return int(std::clamp(value, std::min(low, high), high));
}

} // namespace

QSize TForm::UsableSize(QSize outer) const
{
    const QRect desktop = AvailableDesktop();
    if (desktop.isEmpty())
        return outer.expandedTo(MinimumFormSize);
    return QSize(Clamped(outer.width(), MinimumFormSize.width(), desktop.width()),
                 Clamped(outer.height(), MinimumFormSize.height(), desktop.height()));
}

QPoint TForm::UsablePosition(QPoint topLeft, QSize outer, bool keepBeyondRight) const
{
    const QRect desktop = AvailableDesktop();
    if (desktop.isEmpty())
        return topLeft;
    const qint64 visible = std::min(MinimumVisiblePart, outer.width());
    const qint64 left = desktop.left();
    const qint64 right = qint64(desktop.right()) + 1;
    const qint64 lowest = std::max(qint64(desktop.top()), qint64(desktop.bottom()) + 1 - MinimumVisiblePart);
    const int x = keepBeyondRight && topLeft.x() > right
                      ? topLeft.x()
                      : Clamped(topLeft.x(), left + visible - outer.width(), right - visible);
    return QPoint(x, Clamped(topLeft.y(), desktop.top(), lowest));
}

int TForm::UsableValue(const QString &property, int value) const
{
    const auto is = [&property](const char *name) {
        return property.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    const QSize frame = frameGeometry().size() - size();
    const auto plus = [](int client, int border) {
        return int(std::min<qint64>(qint64(client) + border, std::numeric_limits<int>::max()));
    };
    if (is("Width"))
        return UsableSize(QSize(value, Height())).width();
    if (is("Height"))
        return UsableSize(QSize(Width(), value)).height();
    if (is("ClientWidth"))
        return UsableSize(QSize(plus(value, frame.width()), Height())).width() - frame.width();
    if (is("ClientHeight"))
        return UsableSize(QSize(Width(), plus(value, frame.height()))).height() - frame.height();
    if (is("Left"))
        return UsablePosition(QPoint(value, Top()), frameGeometry().size(), false).x();
    if (is("Top"))
        return UsablePosition(QPoint(Left(), value), frameGeometry().size(), false).y();
    return value;
}

void TForm::SetColor(int value)
{
    FColor = TColor(value);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ResolveColor(FColor));
    setPalette(palette);
}

void TForm::SetBorderStyle(TFormBorderStyle value)
{
    FBorderStyle = value;
    const bool visible = isVisible();
    if (value == bsSizeable) {
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                       | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    } else {
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                       | Qt::WindowCloseButtonHint);
    }
    if (visible)
        show();
}

TWindowState TForm::WindowState() const
{
    if (isMinimized())
        return wsMinimized;
    if (isMaximized())
        return wsMaximized;
    return wsNormal;
}

void TForm::SetWindowState(TWindowState value)
{
    Qt::WindowStates states = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (value == wsMinimized)
        states |= Qt::WindowMinimized;
    else if (value == wsMaximized)
        states |= Qt::WindowMaximized;
    setWindowState(states);
}

TModalResult TForm::ShowModal()
{
    FModalResult = mrNone;
    setWindowModality(Qt::ApplicationModal);
    exec();
    return FModalResult == mrNone ? mrCancel : FModalResult;
}

void TForm::SetModalResult(TModalResult value)
{
    FModalResult = value;
    if (value != mrNone && isVisible() && isModal())
        done(value);
}

void TForm::PlaceAtFirstShow()
{
    QWidget *reference = nullptr;
    if (FPosition == poMainFormCenter) {
        const QList<TForm *> forms = OpenForms();
        reference = forms.isEmpty() || forms.first() == this ? nullptr : forms.first();
    } else if (FPosition == poOwnerFormCenter) {
        reference = OwnerWidget(Owner());
    } else if (FPosition != poScreenCenter) {
        return;
    }
    QRect area;
    if (reference != nullptr)
        area = reference->frameGeometry();
    else if (QScreen *screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    else
        return;
    const QRect frame = frameGeometry();
    int left = area.x() + (area.width() - frame.width()) / 2;
    int top = area.y() + (area.height() - frame.height()) / 2;
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->virtualGeometry();
        left = std::max(left, desktop.left());
        top = std::max(top, desktop.top());
    }
    move(left, top);
}

void TForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        if (!FShownOnce) {
            FShownOnce = true;
            ApplyTabOrder(this);
            if (FBorderStyle == bsDialog)
                setFixedSize(size());
            PlaceAtFirstShow();
        }
        ArrangeChildren(this, QSize());
        Q_EMIT OnShow(this);
        FocusFirstControl();
    }
    QDialog::showEvent(event);
}

bool TForm::RunClose()
{
    TCloseAction action = caHide;
    Q_EMIT OnClose(this, action);
    if (action == caMinimize) {
        SetWindowState(wsMinimized);
        return false;
    }
    return action != caNone;
}

void TForm::closeEvent(QCloseEvent *event)
{
    if (FClosing) {
        QDialog::closeEvent(event);
        return;
    }
    FClosing = true;
    const bool close = RunClose();
    if (!close) {
        FClosing = false;
        event->ignore();
        return;
    }
    if (isModal() && FModalResult == mrNone)
        FModalResult = mrCancel;
    QDialog::closeEvent(event);
    FClosing = false;
}

void TForm::done(int result)
{
    if (!FClosing) {
        FClosing = true;
        const bool close = RunClose();
        FClosing = false;
        if (!close)
            return;
    }
    FModalResult = result;
    FClosing = true;
    QDialog::done(result);
    FClosing = false;
}

void TForm::reject()
{
    done(mrCancel);
}

void TForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    ArrangeChildren(this, QSize());
}

void TForm::FocusFirstControl()
{
    // Qt gives the first widget of its own focus chain the focus, and that chain cannot always be
    // reordered to the tab order (Qt 6.4 leaves a control in place that must move behind the
    // ones after it), so the first control in tab order is named here.
    if (focusWidget() != nullptr)
        return;
    for (QWidget *widget : TabChain(this)) {
        if (!widget->isHidden() && widget->isEnabled()) {
            widget->setFocus(Qt::ActiveWindowFocusReason);
            return;
        }
    }
}

bool TForm::focusNextPrevChild(bool next)
{
    QList<QWidget *> chain;
    for (QWidget *widget : TabChain(this))
        if (widget->isVisible() && widget->isEnabled())
            chain.append(widget);
    if (chain.isEmpty())
        return QDialog::focusNextPrevChild(next);
    QWidget *current = focusWidget();
    int index = -1;
    for (int i = 0; i < chain.size() && current != nullptr; ++i) {
        if (chain.at(i) == current || chain.at(i)->isAncestorOf(current)) {
            index = i;
            break;
        }
    }
    const int count = int(chain.size());
    const int target = index < 0 ? (next ? 0 : count - 1) : (index + (next ? 1 : count - 1)) % count;
    chain.at(target)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void TForm::keyPressEvent(QKeyEvent *event)
{
    // Escape closes only a window that asks for it; Enter presses only a button marked Default.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (FEscapeCloses)
            close();
        else
            event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

QList<TForm *> OpenForms()
{
    QList<TForm *> result;
    for (const QPointer<TForm> &form : FormList())
        if (form)
            result.append(form.data());
    return result;
}

void ProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
