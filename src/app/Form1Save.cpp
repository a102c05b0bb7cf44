#include "app/Form1.h"

#include "app/SaveFormats.h"
#include "barcode/Barcode.h"
#include "toolkit/Dialogs.h"
#include "toolkit/StdCtrls.h"

#include <QFileInfo>

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
    const QString fileName = SavePictureDialog->FileName();
    Barcode->Save(fileName);
    NoteSaved(fileName);
}

void TForm1::NoteSaved(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const TSaveFormat *format = FindSaveFormat(QFileInfo(fileName).suffix().toUpper(), false);
    const QImage &picture = Barcode->Bitmap();
    if (format != nullptr && format->Raster && !picture.isNull())
        FSaveNote = TranslateMessage(QStringLiteral("Saved %1, %2 \u00D7 %3 pixels"))
                        .arg(name)
                        .arg(picture.width())
                        .arg(picture.height());
    else
        FSaveNote = TranslateMessage(QStringLiteral("Saved %1")).arg(name);
    ShowStatus();
}

void TForm1::ButtonSavePathClick(const QString &Path)
{
    const TSaveFormat *format = FindSaveFormat(ComboBoxExt->Text(), false);
    if (format == nullptr)
        return;
    Barcode->Save(Path + QLatin1String(format->Extension));
}
