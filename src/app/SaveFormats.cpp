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

const std::array<TFormatTexts, WrittenFileFormatCount + 1> &Texts()
{
    static const std::array<TFormatTexts, WrittenFileFormatCount + 1> texts = [] {
        std::array<TFormatTexts, WrittenFileFormatCount + 1> made;
        QStringList patterns;
        for (int i = 0; i < WrittenFileFormatCount; ++i) {
            const QString extension = FileExtension(WrittenFileFormats[i]);
            const QString pattern = QStringLiteral("*.") + extension;
            made[i] = {QStringLiteral("%1 (%2)|%2").arg(QLatin1String(WrittenFileFormats[i].Description), pattern).toLatin1(),
                       extension.toLatin1(), (QLatin1Char('.') + extension).toLatin1()};
            patterns << pattern;
        }
        made[WrittenFileFormatCount].Filter = QStringLiteral("All available formats | %1").arg(patterns.join(u';')).toLatin1();
        return made;
    }();
    return texts;
}

TSaveFormat Format(int index)
{
    const TFormatTexts &texts = Texts()[size_t(index)];
    return {WrittenFileFormats[index].Code, texts.Filter.constData(), texts.DefaultExt.constData(),
            texts.Extension.constData(), WrittenFileFormats[index].Raster};
}

TSaveFormat AllFormats()
{
    return {"ALL", Texts()[WrittenFileFormatCount].Filter.constData(), nullptr, nullptr, false};
}

} // namespace

static_assert(SaveFormatCount == WrittenFileFormatCount, "the Save As list offers every format written");

const TSaveFormat SaveFormats[SaveFormatCount + 1] = {
    Format(0), Format(1), Format(2), Format(3), Format(4), Format(5), Format(6), Format(7), Format(8), Format(9),
    AllFormats(),
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
