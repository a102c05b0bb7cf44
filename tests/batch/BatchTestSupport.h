#pragma once

#include "support/FileBytes.h"

#include "batch/BatchHost.h"
#include "support/TestPresenters.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <functional>

// The batch window's opener when no main window is there: it keeps the output folder, translates
// nothing and offers no format, so that a run stops before writing.
class TFolderKeepingHost final : public TBatchHost
{
public:
    QString TranslateMessage(const QString &message) const override { return message; }
    TImageList *ButtonImages() const override { return nullptr; }
    QString OutputFolder() const override { return Folder; }
    void SetOutputFolder(const QString &folder) override { Folder = folder; }
    QString SaveExtension() const override { return QString(); }
    QStringList SaveFormats() const override { return {}; }
    int SaveFormatIndex() const override { return -1; }
    void SetSaveFormatIndex(int) override {}
    TBarcode *Barcode() const override { return nullptr; }
    void SaveBarcode(const QString &) override {}

    QString Folder;
};

inline bool WriteBytes(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

