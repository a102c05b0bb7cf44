#include "LangTestWindows.h"

#include "toolkit/Exception.h"

TTestGadget::TTestGadget(QObject *AOwner, const QString &name)
    : TComponent(AOwner)
{
    setObjectName(name);
}

QString TTestGadget::Fragile() const
{
    if (FailReading)
        throw EInvalidOperation(QStringLiteral("Fragile cannot be read"));
    return FFragile;
}

TFormLangTest::TFormLangTest(QObject *AOwner)
    : TForm(AOwner)
{
    SetName(QStringLiteral("FormLangTest"));
    SetCaption(QStringLiteral("Test window"));

    LabelSymbology = new TLabel(this, this);
    LabelSymbology->SetName(QStringLiteral("LabelSymbology"));
    LabelSymbology->SetCaption(QStringLiteral("&Symbology:"));

    LabelInputText = new TLabel(this, this);
    LabelInputText->SetName(QStringLiteral("LabelInputText"));
    LabelInputText->SetCaption(QStringLiteral("  Input Text  "));

    EditInput = new TEdit(this, this);
    EditInput->SetName(QStringLiteral("EditInput"));
    EditInput->SetText(QStringLiteral("Hello"));
    EditInput->SetHint(QStringLiteral("Type here"));
    LabelSymbology->SetFocusControl(EditInput);

    ButtonSave = new TButton(this, this);
    ButtonSave->SetName(QStringLiteral("ButtonSave"));
    ButtonSave->SetCaption(QStringLiteral("Save As ..."));
    ButtonSave->SetLeft(40);

    ComboBoxRotation = new TComboBox(this, this);
    ComboBoxRotation->SetName(QStringLiteral("ComboBoxRotation"));
    ComboBoxRotation->Items()->SetStrings({QStringLiteral("0"), QStringLiteral("90")});

    PanelButtons_lng = new TPanel(this, this);
    PanelButtons_lng->SetName(QStringLiteral("PanelButtons_lng"));
    PanelButtons_lng->SetCaption(QStringLiteral("Shared panel"));

    MenuSave = new TMenuItem(this);
    MenuSave->SetName(QStringLiteral("MenuSave"));
    MenuSave->SetCaption(QStringLiteral("&Save"));

    Gadget = new TTestGadget(this, QStringLiteral("Gadget"));
}

TFormOther::TFormOther(QObject *AOwner)
    : TForm(AOwner)
{
    SetName(QStringLiteral("FormOther"));
    SetCaption(QStringLiteral("Other window"));
    ButtonSave = new TButton(this, this);
    ButtonSave->SetName(QStringLiteral("ButtonSave"));
    ButtonSave->SetCaption(QStringLiteral("Save As ..."));
}

TFormPlain::TFormPlain(QObject *AOwner)
    : TForm(AOwner)
{
    SetName(QStringLiteral("FormPlain"));
    SetCaption(QStringLiteral("Plain window"));
    LabelTitle = new TLabel(this, this);
    LabelTitle->SetName(QStringLiteral("LabelTitle"));
    LabelTitle->SetCaption(QStringLiteral("Title"));
}
