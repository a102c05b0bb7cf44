// Message translation against an arbitrary language file: never fails, keeps the blanks around
// the message, and finds an entry that the file plainly holds.
#include "FuzzSupport.h"

#include "lang/LangChanger.h"
#include "lang/LangFile.h"
#include "lang/LangText.h"
#include "toolkit/Exception.h"

#include <QFile>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

QString Translate(const QString &message)
{
    try {
        return LngTranslateMessage(FuzzLangFilePath(), message);
    } catch (const Exception &error) {
        std::fprintf(stderr, "unexpected error: %s\n", error.what());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::string raw = provider.ConsumeRandomLengthString(64);
    const QString message = provider.ConsumeBool() ? QString::fromUtf8(raw.data(), qsizetype(raw.size()))
                                                   : Utf16FromBytes(QByteArray(raw.data(), qsizetype(raw.size())));
    const std::vector<uint8_t> rest = provider.ConsumeRemainingBytes<uint8_t>();
    const QByteArray bytes(reinterpret_cast<const char *>(rest.data()), qsizetype(rest.size()));
    WriteFuzzLangFile(bytes);

    const QString translated = Translate(message);
    const TTextParts parts = SplitAroundCore(message);
    FUZZ_CHECK(translated.startsWith(parts.Leading));
    FUZZ_CHECK(translated.endsWith(parts.Trailing));

    // A plain message (one line, no "=", nothing that reads as an escape) added to the file's
    // "Messages" section is what comes back.
    const QString core = parts.Core;
    if (core.isEmpty() || core.contains(u'=') || core.contains(u'\r') || core.contains(u'\n')
        || core.contains(u'{') || core.startsWith(u';') || core.startsWith(u'['))
        return 0;
    TLangFile file = TLangFile::FromBytes(bytes);
    if (!file.Rewritable())
        return 0;
    file.WriteString(QStringLiteral("Messages"), core, QStringLiteral("T"));
    WriteFuzzLangFile(file.ToBytes());
    FUZZ_CHECK(Translate(message) == parts.Leading + u'T' + parts.Trailing);
    return 0;
}
