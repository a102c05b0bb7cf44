#pragma once

#include "toolkit/ExtCtrls.h"
#include "toolkit/Form.h"
#include "toolkit/Menus.h"
#include "toolkit/StdCtrls.h"

// Small windows made of the toolkit's controls, for translation and template tests.

// A component with what the toolkit's controls do not have: a floating-point and a 64-bit
// property, an action link, a free object reference (for cycles), a read-only text and a
// property whose reading can be made to fail.
class TTestGadget final : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(QObject *Action READ Action WRITE SetAction)
    Q_PROPERTY(qlonglong Big READ Big WRITE SetBig)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Fragile READ Fragile WRITE SetFragile)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(QObject *Link READ Link WRITE SetLink)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)
    Q_PROPERTY(QString Version READ Version)

public:
    explicit TTestGadget(QObject *AOwner, const QString &name = QString());

    QObject *Action() const { return FAction; }
    void SetAction(QObject *value) { FAction = value; }
    qlonglong Big() const { return FBig; }
    void SetBig(qlonglong value) { FBig = value; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &value) { FCaption = value; }
    QString Fragile() const;
    void SetFragile(const QString &value) { FFragile = value; }
    QString Hint() const { return FHint; }
    void SetHint(const QString &value) { FHint = value; }
    QObject *Link() const { return FLink; }
    void SetLink(QObject *value) { FLink = value; }
    double Ratio() const { return FRatio; }
    void SetRatio(double value) { FRatio = value; }
    QString Version() const { return QStringLiteral("1.0"); }

    bool FailReading = false;

private:
    QObject *FAction = nullptr;
    qlonglong FBig = 0;
    QString FCaption;
    QString FFragile = QStringLiteral("fragile");
    QString FHint;
    QObject *FLink = nullptr;
    double FRatio = 0;
};

class TFormLangTest final : public TForm
{
    Q_OBJECT

public:
    explicit TFormLangTest(QObject *AOwner);

    TLabel *LabelSymbology;
    TLabel *LabelInputText;
    TEdit *EditInput;
    TButton *ButtonSave;
    TComboBox *ComboBoxRotation;
    TPanel *PanelButtons_lng;
    TMenuItem *MenuSave;
    TTestGadget *Gadget;
};

// A second window class that shares the component name ButtonSave.
class TFormOther final : public TForm
{
    Q_OBJECT

public:
    explicit TFormOther(QObject *AOwner);

    TButton *ButtonSave;
};

// A window without a ButtonSave.
class TFormPlain final : public TForm
{
    Q_OBJECT

public:
    explicit TFormPlain(QObject *AOwner);

    TLabel *LabelTitle;
};
