#pragma once

#include "batch/BatchHost.h"
#include "lang/SettingsHost.h"

class TForm1;

// What the main window offers the windows it opens: its barcode, format list, image list and
// translation component, and the settings record.

class TForm1BatchHost final : public TBatchHost
{
public:
    explicit TForm1BatchHost(TForm1 &form) : FForm(form) {}

    QString TranslateMessage(const QString &message) const override;
    TImageList *ButtonImages() const override;
    QString OutputFolder() const override;
    void SetOutputFolder(const QString &folder) override;
    QString SaveExtension() const override;
    QStringList SaveFormats() const override;
    int SaveFormatIndex() const override;
    void SetSaveFormatIndex(int index) override;
    TBarcode *Barcode() const override;
    void SaveBarcode(const QString &basePath) override;

private:
    TForm1 &FForm;
};

class TForm1SettingsHost final : public TSettingsHost
{
public:
    explicit TForm1SettingsHost(TForm1 &form) : FForm(form) {}

    TLangChanger *LangChanger() const override;
    QString Language() const override;
    void SetLanguage(const QString &language) override;
    QObject *MainWindow() const override;
    std::unique_ptr<QObject> CreateBatchWindow(QObject *owner) override;

private:
    TForm1 &FForm;
};
