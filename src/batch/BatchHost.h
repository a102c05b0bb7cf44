#pragma once

#include <QString>
#include <QStringList>

class TBarcode;
class TImageList;

// What the batch window needs from the window that opens it: the barcode to write, the format
// chosen there (which the batch window shows and may change), the remembered output folder, the current language and the button pictures. The
// batch window knows nothing else of its opener.
class TBatchHost
{
public:
    virtual ~TBatchHost() = default;

    // A message in the current language (the message itself when there is none).
    virtual QString TranslateMessage(const QString &message) const = 0;
    // The picture list the START button takes its picture from; nullptr for none.
    virtual TImageList *ButtonImages() const = 0;

    // The output folder kept between runs.
    virtual QString OutputFolder() const = 0;
    virtual void SetOutputFolder(const QString &folder) = 0;

    // The extension, with its dot, of the file format chosen by the user; empty when the choice
    // names no single format.
    virtual QString SaveExtension() const = 0;
    // The file formats offered (their codes, such as "PNG"), in list order, and the one chosen:
    // its index in that list, or -1 when the choice names no single format. A choice made here is
    // the opener's choice too.
    virtual QStringList SaveFormats() const = 0;
    virtual int SaveFormatIndex() const = 0;
    virtual void SetSaveFormatIndex(int index) = 0;
    // The barcode whose input text each string of a run becomes in turn.
    virtual TBarcode *Barcode() const = 0;
    // Saves the barcode to `basePath` plus SaveExtension().
    virtual void SaveBarcode(const QString &basePath) = 0;

protected:
    TBatchHost() = default;
    TBatchHost(const TBatchHost &) = default;
    TBatchHost &operator=(const TBatchHost &) = default;
};
