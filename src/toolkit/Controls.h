#pragma once

#include "toolkit/Graphics.h"

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>

// What every visual control shares: owner registration, bounds, hint, visibility, the enabled
// flag, tab order, font, docking (Align) and anchors. Each control class is a Qt widget that also
// derives from TControl and publishes these properties with TCONTROL_PUBLISHED.

inline namespace ControlTypes {
Q_NAMESPACE
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
Q_ENUM_NS(TAlign)
enum TAnchorKind { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
Q_DECLARE_FLAGS(TAnchors, TAnchorKind)
Q_FLAG_NS(TAnchors)
} // namespace ControlTypes
Q_DECLARE_OPERATORS_FOR_FLAGS(ControlTypes::TAnchors)

class TControl
{
public:
    explicit TControl(QWidget *self);
    virtual ~TControl();
    TControl(const TControl &) = delete;
    TControl &operator=(const TControl &) = delete;

    QString Name() const { return FSelf->objectName(); }
    // Refuses a name that is not an identifier or that another component of the owner already
    // has (EInvalidOperation).
    void SetName(const QString &value);

    int Left() const { return FSelf->x(); }
    void SetLeft(int value);
    int Top() const { return FSelf->y(); }
    void SetTop(int value);
    int Width() const { return FSelf->width(); }
    void SetWidth(int value);
    int Height() const { return FSelf->height(); }
    void SetHeight(int value);
    void SetBounds(int left, int top, int width, int height);

    QString Hint() const { return FSelf->toolTip(); }
    void SetHint(const QString &value) { FSelf->setToolTip(value); }
    // The control's own flag, whatever its container shows.
    bool Visible() const { return !FSelf->isHidden(); }
    void SetVisible(bool value) { FSelf->setVisible(value); }
    bool Enabled() const;
    void SetEnabled(bool value) { FSelf->setEnabled(value); }
    // Position in the tab chain among the controls of the same container.
    int TabOrder() const { return FTabOrder; }
    void SetTabOrder(int value) { FTabOrder = value; }

    TFont *Font() const;
    void SetFont(TFont *value);

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return FAnchors; }
    // The distances to the anchored edges are those of the control's current bounds.
    void SetAnchors(TAnchors value);

    // Docks the aligned controls of `container` and moves the anchored ones after the container
    // changed its size from `oldSize`. Containers call it from their resize event.
    static void ArrangeChildren(QWidget *container, const QSize &oldSize);
    // The focusable widgets inside `container` in tab order: the controls of each container by
    // their TabOrder (creation order among equals), containers entered where they stand.
    static QList<QWidget *> TabChain(QWidget *container);
    // Chains Qt's focus order of the controls inside `container` by their TabOrder.
    static void ApplyTabOrder(QWidget *container);
    // The TControl of a widget, or nullptr.
    static TControl *Of(QWidget *widget);

protected:
    // Registers the control with its owner (creation order) and places it in `parent`.
    void Register(QObject *owner, QWidget *parent);
    // Applies the font's values to the widget; controls with several parts extend it.
    virtual void ApplyFont();

private:
    QWidget *FSelf;
    TFont *FFont;
    bool FOwnFont = false;
    int FTabOrder = -1;
    TAlign FAlign = alNone;
    TAnchors FAnchors = TAnchors(akLeft | akTop);
};

#define TCONTROL_PUBLISHED                                                                        \
    Q_PROPERTY(QString Name READ Name WRITE SetName)                                              \
    Q_PROPERTY(ControlTypes::TAlign Align READ Align WRITE SetAlign)                              \
    Q_PROPERTY(ControlTypes::TAnchors Anchors READ Anchors WRITE SetAnchors)                      \
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)                                        \
    Q_PROPERTY(TFont *Font READ Font WRITE SetFont)                                               \
    Q_PROPERTY(int Height READ Height WRITE SetHeight)                                            \
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)                                              \
    Q_PROPERTY(int Left READ Left WRITE SetLeft)                                                  \
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)                                      \
    Q_PROPERTY(int Top READ Top WRITE SetTop)                                                     \
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)                                        \
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
