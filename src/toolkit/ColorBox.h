#pragma once

#include "toolkit/Controls.h"

#include <QColor>
#include <QComboBox>
#include <QList>
#include <QPair>
#include <functional>
#include <optional>

// A colour picker: the 16 standard and 4 extended named colours shown by name, plus "Custom..."
// which asks for any colour through the colour dialog. It yields RGB colours only, never the
// palette's system colours. Items holds the shown names ("Custom..." first), so that a language
// file can rename them; the colours and their order stay.
class TColorBox final : public QComboBox, public TControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TColorBox)
    TCONTROL_PUBLISHED
    Q_PROPERTY(int Selected READ Selected WRITE SetSelected)
    Q_PROPERTY(TStrings *Items READ Items WRITE SetItems)

public:
    TColorBox(QObject *AOwner, QWidget *AParent);

    // The selected colour as TColor (0x00BBGGRR).
    TColor SelectedColor() const;
    int Selected() const { return int(SelectedColor()); }
    // Selects the named entry of that colour, or shows it as the custom entry. Does not run
    // OnChange.
    void SetSelected(int value);
    void SetSelectedColor(TColor value) { SetSelected(int(value & 0xFFFFFF)); }
    // The colour of entry `index`.
    TColor Colors(int index) const;

    // The named colours, in list order.
    static const QList<QPair<QString, TColor>> &NamedColors();

    // The shown names. Assigning lines renames the entries in order: extra lines are ignored and
    // missing ones keep their names. Adding or removing entries raises EInvalidOperation.
    TStrings *Items() const { return FItems; }
    void SetItems(TStrings *value);

Q_SIGNALS:
    // The user picked a colour (after the colour dialog for a custom one).
    void OnChange(QObject *Sender);

private:
    void Picked(int index);
    void SetCustomColor(TColor color);

    TStrings *FItems;
    int FLastIndex = 0;
};

// The colour dialog of "Custom...": answers the chosen colour, or nothing when cancelled. Tests
// replace it; an empty function restores the real dialog.
using TColorDialogFunction = std::function<std::optional<QColor>(const QColor &initial, QWidget *parent)>;
void SetColorDialogForTests(TColorDialogFunction function);
