// The batch file-name cleaner and namer: every name is clean, within its byte budget, and no two
// names of one run differ only in letter case.
#include "FuzzSupport.h"

#include "batch/BatchNames.h"

#include <QSet>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

bool IsClean(const QString &name)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.unicode() < 32 || forbidden.contains(c) || c.isSurrogate())
            return false;
    }
    const auto trimmedEnd = [](QChar c) { return c.unicode() <= 32 || c == u'.'; };
    return name.isEmpty() || (!trimmedEnd(name.front()) && !trimmedEnd(name.back()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider provider(data, size);
    const int count = provider.ConsumeIntegralInRange<int>(1, 40);
    const qsizetype budget = provider.ConsumeIntegralInRange<int>(1, 300);
    const bool asUnits = provider.ConsumeBool();

    TBatchNamer namer(count, budget);
    QSet<QString> folded;
    for (int line = 1; line <= count && provider.remaining_bytes() > 0; ++line) {
        const std::string raw = provider.ConsumeRandomLengthString(80);
        const QByteArray bytes(raw.data(), qsizetype(raw.size()));
        const QString text = asUnits ? Utf16FromBytes(bytes) : QString::fromUtf8(bytes);

        const QString cleaned = CleanFileName(text);
        FUZZ_CHECK(IsClean(cleaned));
        FUZZ_CHECK(CleanFileName(cleaned) == cleaned);

        const QString cut = CutToUtf8Bytes(text, budget);
        FUZZ_CHECK(Utf8Length(cut) <= budget);
        FUZZ_CHECK(text.startsWith(cut));

        const QString name = namer.NameFor(line, text);
        FUZZ_CHECK(!name.isEmpty());
        FUZZ_CHECK(IsClean(name));
        // The line number alone may be longer than a tiny budget; beyond that the budget holds.
        if (budget >= 8)
            FUZZ_CHECK(Utf8Length(name) <= budget);
        FUZZ_CHECK(!folded.contains(name.toCaseFolded()));
        folded.insert(name.toCaseFolded());
    }
    return 0;
}
