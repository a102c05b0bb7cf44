#include "app/SaveFormats.h"

#include "barcode/FileFormats.h"

#include <QByteArray>

#include <array>

namespace {

// The dialog's texts of each engine format, made once from the format list; they live as long
// as the program.
struct TFormatTexts
{
    QByteArray Filter, DefaultExt, Extension;
};

const std::array<TFormatTexts, EngineFileFormatCount + 1> &Texts()
{
    static const std::array<TFormatTexts, EngineFileFormatCount + 1> texts = [] {
        std::array<TFormatTexts, EngineFileFormatCount + 1> made;
        QStringList patterns;
        for (int i = 0; i < EngineFileFormatCount; ++i) {
            const QString extension = FileExtension(EngineFileFormats[i]);
            const QString pattern = QStringLiteral("*.") + extension;
            made[i] = {QStringLiteral("%1 (%2)|%2").arg(QLatin1String(EngineFileFormats[i].Description), pattern).toLatin1(),
                       extension.toLatin1(), (QLatin1Char('.') + extension).toLatin1()};
            patterns << pattern;
        }
        made[EngineFileFormatCount].Filter = QStringLiteral("All available formats | %1").arg(patterns.join(u';')).toLatin1();
        return made;
    }();
    return texts;
}

TSaveFormat Format(int index)
{
    const TFormatTexts &texts = Texts()[size_t(index)];
    return {EngineFileFormats[index].Code, texts.Filter.constData(), texts.DefaultExt.constData(),
            texts.Extension.constData(), EngineFileFormats[index].Raster};
}

TSaveFormat AllFormats()
{
    return {"ALL", Texts()[EngineFileFormatCount].Filter.constData(), nullptr, nullptr, false};
}

} // namespace

static_assert(SaveFormatCount == EngineFileFormatCount, "the Save As list offers the engine's formats");

const TSaveFormat SaveFormats[SaveFormatCount + 1] = {
    Format(0), Format(1), Format(2), Format(3), Format(4), Format(5), Format(6), Format(7), Format(8), AllFormats(),
};

const TSaveFormat *FindSaveFormat(const QString &code, bool includeAll)
{
    const int count = includeAll ? SaveFormatCount + 1 : SaveFormatCount;
    for (int i = 0; i < count; ++i) {
        if (code == QLatin1String(SaveFormats[i].Code))
            return &SaveFormats[i];
    }
    return nullptr;
}
