#include "app/Form1.h"

#include "app/SaveFormats.h"
#include "barcode/Barcode.h"
#include "toolkit/StdCtrls.h"

void TForm1::CheckBoxTransparentClick(QObject *)
{
    Barcode->SetTransparentBack(CheckBoxTransparent->Checked());
    RefreshPreview();
}

void TForm1::ComboBoxExtChange(QObject *)
{
    ShowStatus();
}

QString TForm1::TransparencyNote() const
{
    if (CheckBoxTransparent == nullptr || !CheckBoxTransparent->Checked())
        return QString();
    const TSaveFormat *format = FindSaveFormat(ComboBoxExt->Text(), false);
    if (format == nullptr || TBarcode::KeepsTransparency(QLatin1String(format->DefaultExt)))
        return QString();
    return TranslateMessage(QStringLiteral("%1 files have no transparent background; it is filled with the back colour."))
        .arg(QLatin1String(format->Code));
}
