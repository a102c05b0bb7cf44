#include "lang/LangFile.h"

#include "lang/LangText.h"
#include "toolkit/BoundedFile.h"
#include "toolkit/Exception.h"
#include "toolkit/InputLimits.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

QString Fold(const QString &text)
{
    return text.toCaseFolded();
}

// UTF-16 code units from bytes, in either byte order. Unpaired surrogates are kept as they are,
// so text written back gives the same units; an odd last byte cannot be decoded and is dropped.
QString DecodeUtf16(const QByteArray &bytes, qsizetype offset, bool bigEndian)
{
    const qsizetype units = (bytes.size() - offset) / 2;
    QString text(units, Qt::Uninitialized);
    const auto *source = reinterpret_cast<const unsigned char *>(bytes.constData() + offset);
    QChar *target = text.data();
    for (qsizetype i = 0; i < units; ++i) {
        const unsigned char first = source[2 * i];
        const unsigned char second = source[2 * i + 1];
        target[i] = bigEndian ? QChar(char16_t((first << 8) | second))
                              : QChar(char16_t((second << 8) | first));
    }
    return text;
}

bool StartsWith(const QByteArray &bytes, const char *mark, int length)
{
    return bytes.size() >= length && std::equal(mark, mark + length, bytes.constData());
}

bool HasLittleEndianMark(const QByteArray &bytes)
{
    return StartsWith(bytes, "\xFF\xFE", 2);
}

// Plain 8-bit text (ANSI, UTF-8) has no zero bytes; UTF-16 LE text of a language file, whose
// keys are Latin names, has one in the high byte of every such character.
bool LooksLikeUtf16Le(const QByteArray &bytes, qsizetype offset)
{
    for (qsizetype i = offset + 1; i < bytes.size(); i += 2)
        if (bytes.at(i) == 0)
            return true;
    return bytes.size() == offset;
}

bool CleanUtf16(const QByteArray &bytes, qsizetype offset, bool marked)
{
    if ((bytes.size() - offset) % 2 != 0)
        return false;
    return marked || LooksLikeUtf16Le(bytes, offset);
}

} // namespace

bool LanguageFileExists(const QString &path)
{
    // Only a regular file: a device such as /dev/zero never ends, and a FIFO blocks the opening
    // until something writes into it.
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QByteArray ReadLanguageBytes(const QString &path)
{
    const TBoundedRead read = ReadBoundedFile(path, MaxTextFileSize, true);
    switch (read.Result) {
    case TBoundedRead::Read:
        break;
    case TBoundedRead::NotRegular:
        throw Exception(QStringLiteral("Cannot read the language file \"%1\": it is not a regular file").arg(path));
    case TBoundedRead::TooLarge:
        throw Exception(QStringLiteral("The language file \"%1\" is larger than %2, the most a language file may hold; it was not read")
                            .arg(path, LimitText(MaxTextFileSize)));
    case TBoundedRead::Failed:
        throw Exception(QStringLiteral("Cannot read the language file \"%1\": %2").arg(path, read.Error));
    }
    return read.Bytes;
}

void WriteLanguageBytes(const QString &path, const QByteArray &bytes)
{
    // A file marked read-only stays as it is, even for a user whom the system would let
    // replace it (the administrator).
    const QFileInfo info(path);
    const QFileDevice::Permissions anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (info.exists() && (info.permissions() & anyWrite) == 0)
        throw Exception(QStringLiteral("Cannot write the language file \"%1\": the file is read-only")
                            .arg(path));

    // Written beside the file and renamed over it, so a failure leaves the old file whole.
    // QSaveFile also refuses an existing file that is not writable.
    QSaveFile file(path);
    const auto fail = [&path, &file]() {
        throw Exception(QStringLiteral("Cannot write the language file \"%1\": %2")
                            .arg(path, file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        fail();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        fail();
    }
    if (!file.commit())
        fail();
}

QStringList SplitLanguageLines(const QString &text)
{
    QStringList lines;
    const qsizetype size = text.size();
    const QChar *data = text.constData();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = data[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < size && data[i + 1].unicode() == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

QByteArray EncodeLines(const QStringList &lines)
{
    qsizetype units = 1;
    for (const QString &line : lines)
        units += line.size() + 2;
    QByteArray bytes;
    bytes.reserve(units * 2);
    const auto put = [&bytes](char16_t unit) {
        bytes.append(char(unit & 0xFF));
        bytes.append(char(unit >> 8));
    };
    put(0xFEFF);
    for (const QString &line : lines) {
        for (QChar c : line)
            put(c.unicode());
        put(u'\r');
        put(u'\n');
    }
    return bytes;
}

namespace {

// Text a person saved has no NUL characters and no halves of surrogate pairs; binary data read
// as UTF-16 almost always has both.
bool LooksLikeText(const QString &text)
{
    const qsizetype size = text.size();
    const QChar *data = text.constData();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = data[i];
        if (c.unicode() == 0)
            return false;
        if (c.isHighSurrogate() && i + 1 < size && data[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate())
            return false;
    }
    return true;
}

} // namespace

TDecodedLanguageText DecodeAnyLanguageText(const QByteArray &bytes)
{
    TDecodedLanguageText decoded;
    if (StartsWith(bytes, "\xEF\xBB\xBF", 3)) {
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        decoded.Text = decoder(QByteArrayView(bytes).sliced(3));
        decoded.Rewritable = !decoder.hasError();
    } else if (HasLittleEndianMark(bytes)) {
        decoded.Text = DecodeUtf16(bytes, 2, false);
        decoded.Rewritable = CleanUtf16(bytes, 2, true);
    } else if (StartsWith(bytes, "\xFE\xFF", 2)) {
        decoded.Text = DecodeUtf16(bytes, 2, true);
        decoded.Rewritable = CleanUtf16(bytes, 2, true);
    } else {
        decoded.Text = DecodeUtf16(bytes, 0, false);
        decoded.Rewritable = CleanUtf16(bytes, 0, false);
    }
    decoded.Rewritable = decoded.Rewritable && LooksLikeText(decoded.Text);
    return decoded;
}

TLangFile TLangFile::Load(const QString &path)
{
    if (!LanguageFileExists(path))
        return TLangFile();
    return FromBytes(ReadLanguageBytes(path));
}

std::shared_ptr<const TLangFile> TLangFile::Shared(const QString &path)
{
    // A file is known by its path, size and time of change; the last few are kept, so that
    // every message and window translated from a large file does not read it again.
    struct TCached
    {
        QString Path;
        qint64 Size;
        QDateTime Modified;
        std::shared_ptr<const TLangFile> File;
    };
    constexpr qsizetype Kept = 4;
    static QMutex mutex;
    static QList<TCached> cache;

    if (!LanguageFileExists(path))
        return std::make_shared<const TLangFile>();
    const QFileInfo info(path);
    const qint64 size = info.size();
    const QDateTime modified = info.lastModified();
    {
        const QMutexLocker lock(&mutex);
        for (qsizetype i = 0; i < cache.size(); ++i) {
            const TCached &entry = cache.at(i);
            if (entry.Path == path && entry.Size == size && entry.Modified == modified) {
                cache.move(i, 0);
                return cache.first().File;
            }
        }
    }
    // Read without the lock: another thread may look up another file meanwhile.
    auto file = std::make_shared<const TLangFile>(FromBytes(ReadLanguageBytes(path)));
    const QMutexLocker lock(&mutex);
    cache.removeIf([&path](const TCached &entry) { return entry.Path == path; });
    cache.prepend({path, size, modified, file});
    if (cache.size() > Kept)
        cache.removeLast();
    return file;
}

TLangFile TLangFile::FromBytes(const QByteArray &bytes)
{
    const bool marked = HasLittleEndianMark(bytes);
    const qsizetype offset = marked ? 2 : 0;
    TLangFile file;
    file.FRewritable = CleanUtf16(bytes, offset, marked);
    file.ParseLines(SplitLanguageLines(DecodeUtf16(bytes, offset, false)));
    return file;
}

void TLangFile::ParseLines(const QStringList &lines)
{
    FBlocks.clear();
    FSections.clear();
    FBlocks.append(TBlock());
    for (const QString &line : lines) {
        const QString trimmed = TrimBlanks(line);
        if (trimmed.size() >= 2 && trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
            TBlock block;
            block.Header = line;
            FBlocks.append(block);
            // A later section of the same name replaces the earlier one for reading.
            FSections.insert(Fold(TrimBlanks(trimmed.mid(1, trimmed.size() - 2))),
                             int(FBlocks.size() - 1));
            continue;
        }
        TBlock &block = FBlocks.last();
        block.Lines.append(line);
        if (FBlocks.size() > 1)
            AddEntryFromLine(block, int(block.Lines.size() - 1));
    }
}

void TLangFile::AddEntryFromLine(TBlock &block, int lineIndex)
{
    const QString trimmed = TrimBlanks(block.Lines.at(lineIndex));
    if (trimmed.isEmpty() || trimmed.startsWith(u';'))
        return;
    const qsizetype equals = trimmed.indexOf(u'=');
    if (equals < 0)
        return;
    TEntry entry;
    entry.Key = TrimBlanks(trimmed.left(equals));
    entry.Value = TrimBlanks(trimmed.mid(equals + 1));
    entry.Line = lineIndex;
    block.Entries.append(entry);
    block.LastEntry.insert(Fold(entry.Key), int(block.Entries.size() - 1));
}

const TLangFile::TBlock *TLangFile::FindBlock(const QString &section) const
{
    const auto found = FSections.constFind(Fold(section));
    return found == FSections.constEnd() ? nullptr : &FBlocks.at(found.value());
}

bool TLangFile::SectionExists(const QString &section) const
{
    return FindBlock(section) != nullptr;
}

QStringList TLangFile::ReadSectionKeys(const QString &section) const
{
    QStringList keys;
    if (const TBlock *block = FindBlock(section)) {
        keys.reserve(block->Entries.size());
        for (const TEntry &entry : block->Entries)
            keys.append(entry.Key);
    }
    return keys;
}

bool TLangFile::KeyExists(const QString &section, const QString &key) const
{
    const TBlock *block = FindBlock(section);
    return block != nullptr && block->LastEntry.contains(Fold(key));
}

QString TLangFile::ReadString(const QString &section, const QString &key,
                              const QString &defaultValue) const
{
    const TBlock *block = FindBlock(section);
    if (block == nullptr)
        return defaultValue;
    const auto found = block->LastEntry.constFind(Fold(key));
    return found == block->LastEntry.constEnd() ? defaultValue
                                                : block->Entries.at(found.value()).Value;
}

void TLangFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    // A line break of any kind would split the entry and corrupt the file.
    const auto oneLine = [](const QString &text) {
        QString result = RemoveEnter(text);
        result.replace(u'\r', EnterEscape());
        result.replace(u'\n', EnterEscape());
        return result;
    };
    const QString safeKey = oneLine(key);
    const QString line = safeKey + u'=' + oneLine(value);

    const QString folded = Fold(TrimBlanks(section));
    auto found = FSections.constFind(folded);
    if (found == FSections.constEnd()) {
        if (FBlocks.isEmpty())
            FBlocks.append(TBlock());
        // Keep a blank line between the previous section and the new one.
        TBlock &previous = FBlocks.last();
        const QString lastLine = previous.Lines.isEmpty() ? previous.Header
                                                          : previous.Lines.last();
        if (!(FBlocks.size() == 1 && previous.Lines.isEmpty()) && !TrimBlanks(lastLine).isEmpty())
            previous.Lines.append(QString());
        TBlock block;
        block.Header = u'[' + section + u']';
        FBlocks.append(block);
        found = FSections.insert(folded, int(FBlocks.size() - 1));
    }

    TBlock &block = FBlocks[found.value()];
    const auto entry = block.LastEntry.constFind(Fold(TrimBlanks(safeKey)));
    if (entry != block.LastEntry.constEnd()) {
        TEntry &existing = block.Entries[entry.value()];
        block.Lines[existing.Line] = line;
        existing.Value = TrimBlanks(oneLine(value));
        return;
    }
    // After the section's last line that holds anything, before the blank lines that separate
    // it from the next section. Every entry lies before that point, so no index moves.
    qsizetype at = block.Lines.size();
    while (at > 0 && TrimBlanks(block.Lines.at(at - 1)).isEmpty())
        --at;
    block.Lines.insert(at, line);
    AddEntryFromLine(block, int(at));
}

QStringList TLangFile::Lines() const
{
    QStringList lines;
    for (qsizetype i = 0; i < FBlocks.size(); ++i) {
        if (i > 0)
            lines.append(FBlocks.at(i).Header);
        lines.append(FBlocks.at(i).Lines);
    }
    return lines;
}
