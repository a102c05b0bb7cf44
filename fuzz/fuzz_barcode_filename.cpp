// The file-name conversion of saving, against the real engine: any name either fails with a
// message or the engine wrote exactly that file. Names stay inside a temporary folder.
#include "FuzzSupport.h"

#include "barcode/Barcode.h"

#include <QFile>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static TBarcode *barcode = [] {
        auto *component = new TBarcode(nullptr);
        component->SetInputText(QStringLiteral("Quorvel"));
        return component;
    }();
    static const char *const Extensions[] = {".bmp", ".emf", ".eps", ".gif", ".pcx", ".txt",
                                             ".svg", ".png", ".tif", ".SVG", "", ".", ".svg."};

    FuzzedDataProvider provider(data, size);
    const bool asUnits = provider.ConsumeBool();
    const char *extension = provider.PickValueInArray(Extensions);
    const std::string raw = provider.ConsumeRemainingBytesAsString();
    const QByteArray bytes(raw.data(), qsizetype(raw.size()));
    const QString name = (asUnits ? Utf16FromBytes(bytes) : QString::fromUtf8(bytes))
                         + QString::fromLatin1(extension);
    // Nothing may climb out of the folder.
    if (name.split(u'/').contains(QStringLiteral("..")))
        return 0;
    const QString path = dir.path() + u'/' + name;

    try {
        barcode->Save(path);
        QFile written(path);
        FUZZ_CHECK(written.exists());
        FUZZ_CHECK(written.size() > 0);
        written.remove();
    } catch (const Exception &error) {
        FUZZ_CHECK(!error.Message().trimmed().isEmpty());
        QFile::remove(path);
    }
    return 0;
}
