// The normalising pass that runs when a language file is chosen: it may only turn bare lines
// into empty entries, must leave a file it cannot rewrite faithfully as it was, and must not
// change a file it has already normalised.
#include "FuzzSupport.h"

#include "lang/LangChanger.h"
#include "lang/LangFile.h"
#include "lang/LangText.h"
#include "toolkit/Exception.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray ReadFile()
{
    QFile file(FuzzLangFilePath());
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void Normalise()
{
    try {
        TLangChanger changer(nullptr);
        changer.SetLangFile(FuzzLangFilePath());
    } catch (const Exception &error) {
        std::fprintf(stderr, "unexpected error: %s\n", error.what());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    WriteFuzzLangFile(bytes);
    Normalise();
    const QByteArray once = ReadFile();

    const TDecodedLanguageText before = DecodeAnyLanguageText(bytes);
    if (!before.Rewritable) {
        FUZZ_CHECK(once == bytes);
        return 0;
    }

    // A bare line (no "=") is trimmed and, unless it is empty or ends like a section header,
    // becomes a key; a file that needs no new key is not written at all.
    const QStringList oldLines = SplitLanguageLines(before.Text);
    QStringList expected;
    bool changed = false;
    for (const QString &old : oldLines) {
        if (old.contains(u'=')) {
            expected.append(old);
            continue;
        }
        const QString trimmed = TrimBlanks(old);
        const bool key = !trimmed.isEmpty() && !trimmed.endsWith(u']');
        changed = changed || key;
        expected.append(key ? trimmed + u'=' : trimmed);
    }
    if (!changed)
        FUZZ_CHECK(once == bytes);
    else
        FUZZ_CHECK(SplitLanguageLines(DecodeAnyLanguageText(once).Text) == expected);

    Normalise();
    FUZZ_CHECK(ReadFile() == once);
    return 0;
}
