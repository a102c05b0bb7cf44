#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// The language file on disk: UTF-16 LE text (a leading byte-order mark is skipped), lines ended
// by CR LF, lone CR or lone LF, sections of key=value entries. Files we write are UTF-16 LE with
// a byte-order mark and CR LF after every line.

// True when a regular file exists at the path (a folder of that name does not count).
bool LanguageFileExists(const QString &path);

// Whole-file access; both throw Exception with a message naming the file. Reading takes only a
// regular file of at most MaxTextFileSize bytes.
QByteArray ReadLanguageBytes(const QString &path);
void WriteLanguageBytes(const QString &path, const QByteArray &bytes);

// Lines of a text split at CR LF, lone CR and lone LF; an empty piece after the last break is not
// a line.
QStringList SplitLanguageLines(const QString &text);

// The bytes we write: byte-order mark, then every line in UTF-16 LE followed by CR LF.
QByteArray EncodeLines(const QStringList &lines);

// A file decoded for the normalising pass: the mark selects UTF-8, UTF-16 LE or UTF-16 BE,
// none means UTF-16 LE. `Rewritable` is false when writing the text back could lose or mangle
// what the user saved: bytes that do not decode cleanly, an unmarked file that does not look
// like UTF-16 at all (plain 8-bit text has no zero high bytes), or decoded text holding NUL
// characters or unpaired surrogates (binary data).
struct TDecodedLanguageText
{
    QString Text;
    bool Rewritable = true;
};

TDecodedLanguageText DecodeAnyLanguageText(const QByteArray &bytes);

// Sections and entries of one language file, kept with the raw lines so that writing back keeps
// every line it does not change. Section names and keys compare without regard to case; of two
// sections with one name the later is read, of two equal keys in a section the later wins for
// lookups, and listing the keys gives every key in file order.
class TLangFile
{
public:
    TLangFile() = default;

    // A missing file reads as an empty one; an unreadable file throws.
    static TLangFile Load(const QString &path);
    static TLangFile FromBytes(const QByteArray &bytes);
    // As Load, but read again only when the file's path, size or time of change differ from
    // those of the last reading.
    static std::shared_ptr<const TLangFile> Shared(const QString &path);

    // False when the bytes were not clean UTF-16 LE text (odd length, or unmarked without any
    // zero high byte): rewriting such a file would mangle it.
    bool Rewritable() const { return FRewritable; }

    bool SectionExists(const QString &section) const;
    QStringList ReadSectionKeys(const QString &section) const;
    bool KeyExists(const QString &section, const QString &key) const;
    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const;

    // A present key gets the new value in its line; a new key goes to the end of its section;
    // a new section goes to the end of the file. Line breaks left in the key or value are
    // escaped, so an entry always stays on one line.
    void WriteString(const QString &section, const QString &key, const QString &value);

    QStringList Lines() const;
    QByteArray ToBytes() const { return EncodeLines(Lines()); }
    void Save(const QString &path) const { WriteLanguageBytes(path, ToBytes()); }

private:
    struct TEntry
    {
        QString Key;
        QString Value;
        int Line; // index into the block's lines
    };

    // One section as it stands in the file: its header line and the lines up to the next one.
    // Block 0 holds the lines before the first header, which are never read.
    struct TBlock
    {
        QString Header;
        QStringList Lines;
        QList<TEntry> Entries;
        QHash<QString, int> LastEntry; // folded key -> index of its last entry
    };

    void ParseLines(const QStringList &lines);
    const TBlock *FindBlock(const QString &section) const;
    static void AddEntryFromLine(TBlock &block, int lineIndex);

    QList<TBlock> FBlocks;
    QHash<QString, int> FSections; // folded section name -> index of its last block
    bool FRewritable = true;
};
