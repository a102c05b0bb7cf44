// The batch file decoder and line splitter: any file gives lines without line breaks or NUL,
// joining the lines gives back the text, breaks made uniform, and the lines named as read byte
// by byte are lines of the list.
#include "FuzzSupport.h"

#include "batch/BatchText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const TBatchDecoded decoded = DecodeBatchText(bytes);
    const QString &text = decoded.Text;
    FUZZ_CHECK(!text.contains(QChar(0)));
    FUZZ_CHECK(!decoded.Binary || (text.isEmpty() && decoded.StrayLines.isEmpty()));

    const QStringList lines = SplitBatchLines(text);
    // The lines named as read byte by byte are lines of the list, in order.
    qsizetype previous = 0;
    for (qsizetype line : decoded.StrayLines) {
        FUZZ_CHECK(line > previous && line <= lines.size());
        previous = line;
    }
    for (const QString &line : lines)
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n') && !line.contains(QChar(0)));

    QString uniform = text;
    uniform.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    uniform.replace(u'\r', u'\n');
    if (uniform.endsWith(u'\n'))
        uniform.chop(1);
    FUZZ_CHECK(lines.join(u'\n') == uniform);

    // Text that is not a file (clipboard text) goes through the same splitter; a NUL ends it.
    const QString units = Utf16FromBytes(bytes);
    const QStringList unitLines = SplitBatchLines(units);
    const qsizetype nul = units.indexOf(QChar(0));
    qsizetype length = 0;
    for (const QString &line : unitLines)
        length += line.size() + 1;
    FUZZ_CHECK(length <= (nul < 0 ? units.size() : nul) + 1);
    return 0;
}
