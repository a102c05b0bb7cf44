#pragma once

#include "barcode/Barcode.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TPanel;
class QGridLayout;
class QWidget;
struct TBarcodeOption;

// The options area of the main window: one control for each option of the option table that
// the window places there, shown only while the chosen symbology takes it; the "Automatic" entry
// of the size and error-correction lists says what the engine chose. The controls belong to the window
// (which translates them by name); their values come from and go to the barcode component.
class TSymbologyOptionsView final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSymbologyOptionsView)

public:
    using TTranslate = std::function<QString(const QString &)>;

    TSymbologyOptionsView(QObject *owner, TPanel *panel, TTranslate translate);

    TPanel *Panel() const { return FPanel; }
    TButton *ButtonResetOptions = nullptr;
    // The control of an option by its name (nullptr when it has none); the label beside it.
    QWidget *Control(const QString &name) const { return FControls.value(name); }
    TLabel *Label(const QString &name) const { return FLabels.value(name); }

    // Shows the options that apply to the barcode's symbology with the barcode's values.
    void ShowFor(const TBarcode &barcode, TCapabilities capabilities);
    // After a render: what the engine chose for the options left at "Automatic".
    void ShowAutomatic(TBarcode &barcode, bool rendered);

Q_SIGNALS:
    // The user set an option to `value` (already checked against its range).
    void OnOptionChange(const TBarcodeOption *option, double value);
    void OnReset();

private:
    void Create(const TBarcodeOption &option);
    void FillChoices(TComboBox *box, const TBarcodeOption &option, TSymbology symbology);
    void Changed(const TBarcodeOption &option);
    // Puts the shown fields side by side without gaps for the hidden ones.
    void PlaceFields();

    TPanel *FPanel;
    TTranslate FTranslate;
    QHash<QString, QWidget *> FControls;
    QHash<QString, TLabel *> FLabels;
    QGridLayout *FGrid = nullptr;
    QList<QString> FFields; // the options with a label, in table order
    bool FUpdating = false;
    // What the engine chose, as last shown (0: nothing to say), so that it can be said again in
    // another language.
    struct TAutomatic
    {
        TSymbology Symbology = syQRCode;
        int Version = 0;
        int Width = 0;
        int Rows = 0;
        int Level = 0;
        bool operator==(const TAutomatic &other) const
        {
            return Symbology == other.Symbology && Version == other.Version && Width == other.Width
                   && Rows == other.Rows && Level == other.Level;
        }
    };
    TAutomatic FAutomatic;
    void SayAutomatic();
    int FTabOrder = 0;
};
