#include "toolkit/Controls.h"

#include "toolkit/Component.h"

#include <QPalette>
#include <QVariant>
#include <algorithm>

namespace {

// Where an anchored control stood, measured when the program last placed it: its bounds and the
// size of its container at that moment.
struct TAnchorOrigin
{
    QRect Bounds;
    QSize ContainerSize;
};

const char *const AnchorLeft = "_q_anchorBounds";
const char *const AnchorContainer = "_q_anchorContainer";
const char *const CreationIndex = "_q_creationIndex";

int NextCreationIndex()
{
    static int counter = 0;
    return ++counter;
}

QList<QWidget *> ChildControls(QWidget *container)
{
    QList<QWidget *> result;
    for (QObject *child : container->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget != nullptr && !widget->isWindow() && TControl::Of(widget) != nullptr)
            result.append(widget);
    }
    return result;
}

void RecordOrigin(QWidget *widget)
{
    QWidget *parent = widget->parentWidget();
    if (parent == nullptr || widget->isWindow())
        return;
    widget->setProperty(AnchorLeft, widget->geometry());
    widget->setProperty(AnchorContainer, parent->size());
}

void CollectTabChain(QWidget *container, QList<QWidget *> &chain)
{
    QList<QWidget *> children = ChildControls(container);
    std::stable_sort(children.begin(), children.end(), [](QWidget *a, QWidget *b) {
        const int ta = TControl::Of(a)->TabOrder();
        const int tb = TControl::Of(b)->TabOrder();
        if (ta != tb)
            return ta < tb;
        return a->property(CreationIndex).toInt() < b->property(CreationIndex).toInt();
    });
    for (QWidget *child : children) {
        if (!ChildControls(child).isEmpty()) {
            CollectTabChain(child, chain);
            continue;
        }
        if (child->focusPolicy() & Qt::TabFocus) {
            chain.append(child);
            continue;
        }
        // Composite controls (a folder field and its button) take part with their parts.
        for (QWidget *part : child->findChildren<QWidget *>()) {
            if (!part->isWindow() && (part->focusPolicy() & Qt::TabFocus))
                chain.append(part);
        }
    }
}

} // namespace

TControl::TControl(QWidget *self)
    : FSelf(self), FFont(new TFont(self))
{
    FSelf->setProperty(CreationIndex, NextCreationIndex());
    FFont->Load(FSelf->font(), clWindowText);
    QObject::connect(FFont, &TFont::Changed, FSelf, [this] {
        FOwnFont = true;
        ApplyFont();
    });
}

TControl::~TControl() = default;

TControl *TControl::Of(QWidget *widget)
{
    return dynamic_cast<TControl *>(widget);
}

void TControl::Register(QObject *owner, QWidget *parent)
{
    if (parent != nullptr && FSelf->parentWidget() != parent)
        FSelf->setParent(parent);
    InsertComponent(owner, FSelf);
    if (parent != nullptr) {
        FTabOrder = int(ChildControls(parent).size()) - 1;
        // A control placed into a window that is already showing appears at once.
        if (parent->isVisible())
            FSelf->show();
    }
    RecordOrigin(FSelf);
}

void TControl::SetName(const QString &value)
{
    if (value == FSelf->objectName())
        return;
    ValidateComponentName(FSelf, value);
    FSelf->setObjectName(value);
}

void TControl::SetLeft(int value)
{
    SetBounds(value, Top(), Width(), Height());
}

void TControl::SetTop(int value)
{
    SetBounds(Left(), value, Width(), Height());
}

void TControl::SetWidth(int value)
{
    SetBounds(Left(), Top(), value, Height());
}

void TControl::SetHeight(int value)
{
    SetBounds(Left(), Top(), Width(), value);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    FSelf->setGeometry(left, top, std::max(0, width), std::max(0, height));
    RecordOrigin(FSelf);
    if (FAlign != alNone && FSelf->parentWidget() != nullptr)
        ArrangeChildren(FSelf->parentWidget(), QSize());
    if (!ChildControls(FSelf).isEmpty())
        ArrangeChildren(FSelf, QSize());
}

bool TControl::Enabled() const
{
    return !FSelf->testAttribute(Qt::WA_ForceDisabled);
}

TFont *TControl::Font() const
{
    // Until the control gets a font of its own it shows its container's.
    if (!FOwnFont)
        FFont->Load(FSelf->font(), FFont->ColorValue());
    return FFont;
}

void TControl::SetFont(TFont *value)
{
    if (value != nullptr && value != FFont)
        FFont->Assign(*value);
}

void TControl::ApplyFont()
{
    FSelf->setFont(FFont->ToQFont());
    const TColor color = FFont->ColorValue();
    if (color != clWindowText) {
        QPalette palette = FSelf->palette();
        const QColor resolved = ResolveColor(color);
        palette.setColor(QPalette::WindowText, resolved);
        palette.setColor(QPalette::Text, resolved);
        palette.setColor(QPalette::ButtonText, resolved);
        FSelf->setPalette(palette);
    }
}

void TControl::SetAlign(TAlign value)
{
    FAlign = value;
    if (FSelf->parentWidget() != nullptr)
        ArrangeChildren(FSelf->parentWidget(), QSize());
}

void TControl::SetAnchors(TAnchors value)
{
    FAnchors = value;
    RecordOrigin(FSelf);
}

void TControl::ArrangeChildren(QWidget *container, const QSize &)
{
    if (container == nullptr)
        return;
    const QList<QWidget *> children = ChildControls(container);
    QRect free = container->contentsRect();
    auto place = [](QWidget *child, const QRect &rect) {
        if (child->geometry() != rect) {
            child->setGeometry(rect);
            if (!ChildControls(child).isEmpty())
                ArrangeChildren(child, QSize());
        }
    };
    // Docking order: top, bottom, left, right, then what is left goes to the client control.
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (QWidget *child : children) {
            TControl *control = Of(child);
            if (control->FAlign != pass || child->isHidden())
                continue;
            QRect rect;
            switch (pass) {
            case alTop:
                rect = QRect(free.left(), free.top(), free.width(), child->height());
                free.setTop(free.top() + child->height());
                break;
            case alBottom:
                rect = QRect(free.left(), free.bottom() + 1 - child->height(), free.width(), child->height());
                free.setBottom(free.bottom() - child->height());
                break;
            case alLeft:
                rect = QRect(free.left(), free.top(), child->width(), free.height());
                free.setLeft(free.left() + child->width());
                break;
            case alRight:
                rect = QRect(free.right() + 1 - child->width(), free.top(), child->width(), free.height());
                free.setRight(free.right() - child->width());
                break;
            default:
                rect = QRect(free.topLeft(), QSize(std::max(0, free.width()), std::max(0, free.height())));
                break;
            }
            place(child, rect);
        }
    }
    // Anchored controls keep their distance to the anchored edges of the container.
    const QSize size = container->size();
    for (QWidget *child : children) {
        TControl *control = Of(child);
        const TAnchors anchors = control->FAnchors;
        if (control->FAlign != alNone || anchors == TAnchors(akLeft | akTop))
            continue;
        const QVariant boundsValue = child->property(AnchorLeft);
        const QVariant containerValue = child->property(AnchorContainer);
        if (!boundsValue.isValid() || !containerValue.isValid())
            continue;
        const QRect origin = boundsValue.toRect();
        const QSize originContainer = containerValue.toSize();
        const int dx = size.width() - originContainer.width();
        const int dy = size.height() - originContainer.height();
        QRect rect = origin;
        if (anchors.testFlag(akLeft) && anchors.testFlag(akRight))
            rect.setWidth(std::max(0, origin.width() + dx));
        else if (anchors.testFlag(akRight))
            rect.moveLeft(origin.left() + dx);
        else if (!anchors.testFlag(akLeft))
            rect.moveLeft(origin.left() + dx / 2);
        if (anchors.testFlag(akTop) && anchors.testFlag(akBottom))
            rect.setHeight(std::max(0, origin.height() + dy));
        else if (anchors.testFlag(akBottom))
            rect.moveTop(origin.top() + dy);
        else if (!anchors.testFlag(akTop))
            rect.moveTop(origin.top() + dy / 2);
        place(child, rect);
    }
}

QList<QWidget *> TControl::TabChain(QWidget *container)
{
    QList<QWidget *> chain;
    if (container != nullptr)
        CollectTabChain(container, chain);
    return chain;
}

void TControl::ApplyTabOrder(QWidget *container)
{
    const QList<QWidget *> chain = TabChain(container);
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
}
