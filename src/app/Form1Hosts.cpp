#include "app/Form1Hosts.h"

#include "app/AppSettings.h"
#include "app/Form1.h"
#include "app/SaveFormats.h"
#include "batch/FormBatchGenerator.h"
#include "lang/LangChanger.h"
#include "toolkit/StdCtrls.h"

QString TForm1BatchHost::TranslateMessage(const QString &message) const
{
    return FForm.TranslateMessage(message);
}

TImageList *TForm1BatchHost::ButtonImages() const
{
    return FForm.ImageList1;
}

QString TForm1BatchHost::OutputFolder() const
{
    return AppSettings.Path;
}

void TForm1BatchHost::SetOutputFolder(const QString &folder)
{
    AppSettings.Path = folder;
}

QString TForm1BatchHost::SaveExtension() const
{
    const TSaveFormat *format = FindSaveFormat(FForm.ComboBoxExt->Text(), false);
    return format != nullptr ? QString::fromLatin1(format->Extension) : QString();
}

QStringList TForm1BatchHost::SaveFormats() const
{
    QStringList codes;
    for (int index = 0; index < SaveFormatCount; ++index)
        codes << QString::fromLatin1(::SaveFormats[index].Code);
    return codes;
}

int TForm1BatchHost::SaveFormatIndex() const
{
    const TSaveFormat *format = FindSaveFormat(FForm.ComboBoxExt->Text(), false);
    return format != nullptr ? int(format - ::SaveFormats) : -1;
}

void TForm1BatchHost::SetSaveFormatIndex(int index)
{
    if (index < 0 || index >= SaveFormatCount)
        return;
    const int item = FForm.ComboBoxExt->findText(QString::fromLatin1(::SaveFormats[index].Code));
    if (item >= 0)
        FForm.ComboBoxExt->SetItemIndex(item);
}

TBarcode *TForm1BatchHost::Barcode() const
{
    return FForm.Barcode;
}

void TForm1BatchHost::SaveBarcode(const QString &basePath)
{
    FForm.ButtonSavePathClick(basePath);
}

TLangChanger *TForm1SettingsHost::LangChanger() const
{
    return FForm.LangChanger1;
}

QString TForm1SettingsHost::Language() const
{
    return AppSettings.Language;
}

void TForm1SettingsHost::SetLanguage(const QString &language)
{
    AppSettings.Language = language;
}

QObject *TForm1SettingsHost::MainWindow() const
{
    return &FForm;
}

std::unique_ptr<QObject> TForm1SettingsHost::CreateBatchWindow(QObject *owner)
{
    return std::make_unique<TFormBatchGenerator>(owner, FForm.BatchHost());
}
