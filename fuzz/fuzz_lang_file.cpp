// The language-file reader: any bytes must parse, every lookup must answer, writing an entry must
// make it readable, and the lines must survive a trip through the bytes we write.
#include "FuzzSupport.h"

#include "lang/LangFile.h"
#include "lang/LangText.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

// A section or key that WriteString can store so that reading it back finds it: one line, no
// "=" (it would split the entry), not a comment, not a header, something left after trimming.
// Lookups take names as they are stored, without blanks around them.
bool Storable(const QString &name, bool isKey)
{
    if (name.isEmpty() || TrimBlanks(name) != name || name.contains(u'\r') || name.contains(u'\n'))
        return false;
    if (isKey)
        return !name.contains(u'=') && !name.startsWith(u';') && !name.startsWith(u'[')
               && !name.contains(EnterEscape());
    return !name.contains(u']') && !name.contains(u'[');
}

QString TakeText(FuzzedDataProvider &provider, size_t maxBytes)
{
    const std::string bytes = provider.ConsumeRandomLengthString(maxBytes);
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider provider(data, size);
    const QString section = TakeText(provider, 24);
    const QString key = TakeText(provider, 24);
    const QString value = TakeText(provider, 48);
    const std::vector<uint8_t> rest = provider.ConsumeRemainingBytes<uint8_t>();
    const QByteArray bytes(reinterpret_cast<const char *>(rest.data()), qsizetype(rest.size()));

    TLangFile file = TLangFile::FromBytes(bytes);
    const QStringList lines = file.Lines();

    // Reading never invents entries: every listed key is found in its section.
    const QStringList keys = file.ReadSectionKeys(section);
    FUZZ_CHECK(keys.isEmpty() || file.SectionExists(section));
    for (const QString &listed : keys)
        FUZZ_CHECK(file.KeyExists(section, listed));
    if (!file.KeyExists(section, key))
        FUZZ_CHECK(file.ReadString(section, key, QStringLiteral("\x01")) == QStringLiteral("\x01"));

    // What we write reads back as the same lines.
    const TLangFile reread = TLangFile::FromBytes(file.ToBytes());
    FUZZ_CHECK(reread.Lines() == lines);
    FUZZ_CHECK(reread.Rewritable());

    // Mixed bytes are still decoded without harm by the normalising pass.
    const TDecodedLanguageText decoded = DecodeAnyLanguageText(bytes);
    (void)SplitLanguageLines(decoded.Text);

    if (!Storable(section, false) || !Storable(key, true))
        return 0;
    file.WriteString(section, key, value);
    QString expected = RemoveEnter(value);
    expected.replace(u'\r', EnterEscape());
    expected.replace(u'\n', EnterEscape());
    expected = TrimBlanks(expected);
    FUZZ_CHECK(file.ReadString(section, key, QString()) == expected);

    // ... and stays so after a trip through the file's bytes; no other line was touched.
    const TLangFile written = TLangFile::FromBytes(file.ToBytes());
    FUZZ_CHECK(written.ReadString(section, key, QString()) == expected);
    const QStringList after = written.Lines();
    FUZZ_CHECK(after.size() >= lines.size() && after.size() <= lines.size() + 3);
    return 0;
}
