#include "lang/LangChanger.h"

#include "lang/LangFile.h"
#include "toolkit/Exception.h"
#include "toolkit/MessageBox.h"

namespace {

const QString MessagesSection = QStringLiteral("Messages");
const QString CaptionsSection = QStringLiteral("LngCaptions");

} // namespace

TLangChanger::TLangChanger(QObject *AOwner)
    : TComponent(AOwner),
      FSeparator(DefaultSeparator()),
      FLngPostfix(DefaultLngPostfix()),
      FExcludeProperties{QStringLiteral("Category"), QStringLiteral("DefaultExt")}
{
}

TLangChanger::~TLangChanger() = default;

void TLangChanger::SetLangFile(const QString &Value)
{
    if (Value == FLangFile)
        return;
    FLangFile = TrimBlanks(Value);
    if (!LanguageFileExists(FLangFile))
        return;

    // Bare lines of text become keys with empty values, so that listing the keys of a section
    // sees them. Lines holding "=" are left exactly as they are. A file that cannot be read is
    // reported when it is first used.
    QByteArray bytes;
    try {
        bytes = ReadLanguageBytes(FLangFile);
    } catch (const Exception &) {
        CurrentFile();
        return;
    }
    const TDecodedLanguageText decoded = DecodeAnyLanguageText(bytes);
    QStringList lines = SplitLanguageLines(decoded.Text);
    bool changed = false;
    for (QString &line : lines) {
        if (line.contains(u'='))
            continue;
        line = TrimBlanks(line);
        if (!line.isEmpty() && !line.endsWith(u']')) {
            line.append(u'=');
            changed = true;
        }
    }
    // A file that did not decode cleanly (plain 8-bit text, broken bytes) is left as the user
    // saved it: written back as UTF-16 it would be lost. Lookups simply find nothing in it.
    if (changed && decoded.Rewritable)
        WriteLanguageBytes(FLangFile, EncodeLines(lines));
}

void TLangChanger::SetSeparator(const QString &Value)
{
    if (Value == FSeparator)
        return;
    // Stored untrimmed: " ; " is matched with its blanks.
    FSeparator = TrimBlanks(Value).isEmpty() ? DefaultSeparator() : Value;
}

void TLangChanger::SetLngPostfix(const QString &Value)
{
    if (Value == FLngPostfix)
        return;
    FLngPostfix = TrimBlanks(Value).isEmpty() ? DefaultLngPostfix() : Value;
}

void TLangChanger::SetExcludeProperties(const QStringList &Value)
{
    FExcludeProperties = Value;
}

namespace {

QString TranslateFrom(const TLangFile &file, const QString &UserMessage)
{
    const TTextParts parts = SplitAroundCore(UserMessage);
    const QString key = RemoveEnter(parts.Core);
    QString result;
    if (file.KeyExists(MessagesSection, key))
        result = parts.Leading + file.ReadString(MessagesSection, key, QString()) + parts.Trailing;
    else if (key.startsWith(u'#')) // a note for translators in LngCaptions, never applied
        result = parts.Leading + key + parts.Trailing;
    else
        result = parts.Leading + file.ReadString(CaptionsSection, key, key) + parts.Trailing;
    return RestoreEnter(result);
}

} // namespace

QString LngTranslateMessage(const QString &LangFile, const QString &UserMessage)
{
    if (!LanguageFileExists(LangFile))
        return RestoreEnter(UserMessage);
    // Read at every call, so that a file rewritten faster than its time of change moves is
    // seen; the component keeps its file between changes instead.
    try {
        return TranslateFrom(TLangFile::Load(LangFile), UserMessage);
    } catch (const Exception &) {
        // The component that uses the file tells the user; a message stays as it is.
        return RestoreEnter(UserMessage);
    }
}

std::shared_ptr<const TLangFile> TLangChanger::CurrentFile() const
{
    try {
        return TLangFile::Shared(FLangFile);
    } catch (const Exception &error) {
        // The windows stay as they are; the user learns why, once per file and reason.
        const QString identity = FLangFile + u'\n' + error.Message();
        if (!FReportedEntries.contains(identity)) {
            FReportedEntries.insert(identity);
            ShowMessage(error.Message() + u'.');
        }
        return std::make_shared<const TLangFile>();
    }
}

QString TLangChanger::TranslateMessage(const QString &UserMessage) const
{
    if (!LanguageFileExists(FLangFile))
        return RestoreEnter(UserMessage);
    return TranslateFrom(*CurrentFile(), UserMessage);
}

void TLangChanger::TranslateStrings(QStringList &Lines, const QString &Section) const
{
    if (!LanguageFileExists(FLangFile))
        return;
    Lines = CurrentFile()->ReadSectionKeys(Section);
    for (QString &line : Lines) {
        if (line.compare(QStringLiteral("{ENTER}"), Qt::CaseInsensitive) == 0)
            line.clear();
        else
            line = RestoreEnter(line);
    }
}
