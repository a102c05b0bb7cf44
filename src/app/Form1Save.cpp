#include "app/Form1.h"

#include "app/SaveFormats.h"
#include "barcode/Barcode.h"
#include "toolkit/Dialogs.h"
#include "toolkit/StdCtrls.h"

// Saving the current barcode. Errors of the component are not caught here: the top-level
// error display shows them and nothing else changes.

void TForm1::ButtonSaveClick(QObject *)
{
    // A list entry that names no format (a translated list, say) saves nothing.
    const TSaveFormat *format = FindSaveFormat(ComboBoxExt->Text(), true);
    if (format == nullptr)
        return;
    SavePictureDialog->SetFilter(QLatin1String(format->Filter));
    // The all-formats entry keeps the default extension of the last format.
    if (format->DefaultExt != nullptr)
        SavePictureDialog->SetDefaultExt(QLatin1String(format->DefaultExt));
    if (!SavePictureDialog->Execute(this))
        return;
    Barcode->Save(SavePictureDialog->FileName());
}

void TForm1::ButtonSavePathClick(const QString &Path)
{
    const TSaveFormat *format = FindSaveFormat(ComboBoxExt->Text(), false);
    if (format == nullptr)
        return;
    Barcode->Save(Path + QLatin1String(format->Extension));
}
