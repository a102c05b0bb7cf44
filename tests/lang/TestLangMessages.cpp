#include "lang/LangChanger.h"
#include "support/TestPresenters.h"
#include "toolkit/Exception.h"
#include "toolkit/InputLimits.h"
#include "LangTestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

// Choosing a language file, its normalising pass, messages and plain-text sections.
class TestLangMessages : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void translateMessage_data();
    void translateMessage();
    void missingFile();
    void filesThatAreNotRead_data();
    void filesThatAreNotRead();
    void readOncePerChange();
    void normalise_data();
    void normalise();
    void samePathTwice();
    void readOnlyFile();
    void separatorAndPostfix_data();
    void separatorAndPostfix();
    void translateStrings_data();
    void translateStrings();

private:
    QString FilePath(const QString &name) const { return FDir->filePath(name); }
    std::unique_ptr<QTemporaryDir> FDir;
};

void TestLangMessages::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    QVERIFY(FDir->isValid());
}

void TestLangMessages::translateMessage_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");

    QTest::newRow("blanks around kept") << Utf16Le("[Messages]\r\nStrings=Zeichenketten\r\n") << " \tStrings  "
                                        << " \tZeichenketten  ";
    QTest::newRow("two lines") << Utf16Le("[Messages]\r\nLine one{\\n}Line two=Eins{\\n}Zwei\r\n")
                               << "Line one\r\nLine two" << "Eins\r\nZwei";
    QTest::newRow("empty value in Messages") << Utf16Le("[Messages]\r\nStrings=\r\n[LngCaptions]\r\nStrings=x\r\n")
                                             << " Strings " << "  ";
    QTest::newRow("LngCaptions fallback") << Utf16Le("[LngCaptions]\r\nStrings=Zeichen\r\n") << "Strings"
                                          << "Zeichen";
    QTest::newRow("comment key of LngCaptions") << Utf16Le("[LngCaptions]\r\n#Note=x\r\n") << "#Note" << "#Note";
    QTest::newRow("# is a plain key in Messages") << Utf16Le("[Messages]\r\n#Note=x\r\n") << "#Note" << "x";
    QTest::newRow("Messages before LngCaptions")
        << Utf16Le("[LngCaptions]\r\nStrings=B\r\n[Messages]\r\nStrings=A\r\n") << "Strings" << "A";
    QTest::newRow("neither section has it") << Utf16Le("[Messages]\r\nOther=x\r\n") << " Strings{\\n}x "
                                            << " Strings\r\nx ";
    QTest::newRow("later key wins") << Utf16Le("[Messages]\r\nStrings=1\r\nSTRINGS=2\r\n") << "Strings" << "2";
    QTest::newRow("blank message") << Utf16Le("[Messages]\r\nx=y\r\n") << "   " << "   ";
    QTest::newRow("UTF-8 without mark") << QByteArray("[Messages]\r\nStrings=Zeichen\r\n") << "Strings"
                                        << "Strings";
    QTest::newRow("odd length") << Utf16Le("[Messages]\r\nStrings=Zeichen\r\n") + QByteArray(1, 'x')
                                << "Strings" << "Zeichen";
    QTest::newRow("line of 100,000 characters")
        << Utf16Le("[Messages]\r\n" + QString(100000, u'x') + "\r\nStrings=Zeichen\r\n") << "Strings" << "Zeichen";
    QString big = "[Filler]\r\n";
    while (big.size() < 5 * 1024 * 1024)
        big += "Filler line\r\n";
    QTest::newRow("10 MB with bare lines") << Utf16Le(big + "[Messages]\r\nStrings=Zeichen\r\n") << "Strings"
                                           << "Zeichen";
}

void TestLangMessages::translateMessage()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    QFETCH(QString, expected);

    const QString path = FilePath("German.lng");
    WriteBytes(path, file);
    QCOMPARE(LngTranslateMessage(path, message), expected);

    TLangChanger changer(nullptr);
    changer.SetLangFile(path);
    QCOMPARE(changer.TranslateMessage(message), expected);
}

void TestLangMessages::missingFile()
{
    TLangChanger changer(nullptr);
    QCOMPARE(changer.TranslateMessage("a{\\n}b "), QString("a\r\nb "));
    changer.SetLangFile(FilePath("Missing.lng"));
    QCOMPARE(changer.LangFile(), FilePath("Missing.lng"));
    QCOMPARE(changer.TranslateMessage(" Strings"), QString(" Strings"));
    QVERIFY(!QFile::exists(FilePath("Missing.lng")));

    // A folder with the name of a language file is no language file.
    QVERIFY(QDir(FDir->path()).mkdir("Folder.lng"));
    changer.SetLangFile(FilePath("Folder.lng"));
    QCOMPARE(changer.TranslateMessage("Strings"), QString("Strings"));
}

void TestLangMessages::filesThatAreNotRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("reported"); // a regular file the user is told about
    QTest::newRow("endless device") << "/dev/zero" << false;
    QTest::newRow("FIFO nobody writes into") << "fifo" << false;
    QTest::newRow("larger than the limit") << "large" << true;
}

// Only regular files within the size limit are read: a device or a FIFO reads as no file, a
// file too large is named once, and the messages stay untranslated.
void TestLangMessages::filesThatAreNotRead()
{
    QFETCH(QString, kind);
    QFETCH(bool, reported);
    QString path = kind;
    if (kind == "fifo") {
        path = FilePath("Fifo.lng");
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == "large") {
        path = FilePath("Large.lng");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(MaxTextFileSize + 1));
    }
    TRecordingMessages messages;
    TLangChanger changer(nullptr);
    changer.SetLangFile(path);
    QCOMPARE(changer.TranslateMessage("Strings"), QString("Strings"));
    QCOMPARE(changer.TranslateMessage("Strings"), QString("Strings"));
    QCOMPARE(LngTranslateMessage(path, "Strings"), QString("Strings"));
    QCOMPARE(messages.Requests.size(), reported ? 1 : 0);
    if (reported) {
        const QString text = messages.Requests.first().Text;
        QVERIFY2(text.contains(path) && text.contains(LimitText(MaxTextFileSize)), qPrintable(text));
    }
}

// The file is read again only when its size or time of change differ: the same bytes count
// with the time set back are not read, a new time is.
void TestLangMessages::readOncePerChange()
{
    const QString path = FilePath("German.lng");
    WriteBytes(path, Utf16Le("[Messages]\r\nStrings=Zeichen\r\n"));
    TLangChanger changer(nullptr);
    changer.SetLangFile(path);
    QCOMPARE(changer.TranslateMessage("Strings"), QString("Zeichen"));
    const QDateTime time = QFileInfo(path).lastModified();

    WriteBytes(path, Utf16Le("[Messages]\r\nStrings=Zeichxx\r\n"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
    file.close();
    QCOMPARE(changer.TranslateMessage("Strings"), QString("Zeichen"));

    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time.addSecs(1), QFileDevice::FileModificationTime));
    file.close();
    QCOMPARE(changer.TranslateMessage("Strings"), QString("Zeichxx"));
}

void TestLangMessages::normalise_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after"); // empty: the file must stay byte for byte

    QTest::newRow("bare lines become keys")
        << Utf16Le("[Messages]\r\n  Strings \t\r\n  A = 1  \r\n;note\r\n")
        << Utf16Le("[Messages]\r\nStrings=\r\n  A = 1  \r\n;note=\r\n");
    QTest::newRow("headers and blank lines untouched, line ends unified")
        << Utf16Le("  [Messages]  \n \t \rLine\r\n", false)
        << Utf16Le("[Messages]\r\n\r\nLine=\r\n");
    QTest::newRow("only trimmed: not rewritten") << Utf16Le("  [Messages]  \n  \nA=1", false) << QByteArray();
    QTest::newRow("UTF-8 with mark converted")
        << QByteArray("\xEF\xBB\xBF[S]\nGr\xC3\xBC\xC3\x9F" "e\n")
        << Utf16Le(QString::fromUtf8("[S]\r\nGrüße=\r\n"));
    QTest::newRow("UTF-16 BE converted") << Utf16Be("[S]\r\nText\r\n") << Utf16Le("[S]\r\nText=\r\n");
    // Files that did not decode cleanly are left alone rather than rewritten as garbage.
    QTest::newRow("UTF-8 without mark kept") << QByteArray("[S]\r\nText\r\n") << QByteArray();
    QTest::newRow("odd length kept") << Utf16Le("[S]\r\nText\r\n") + QByteArray(1, 'x') << QByteArray();
    QTest::newRow("broken UTF-8 kept") << QByteArray("\xEF\xBB\xBF[S]\nText\xC3\n") << QByteArray();
    QTest::newRow("unpaired surrogate kept") << Utf16Le(QString("[S]\r\nText") + QChar(0xDC00) + "\r\n") << QByteArray();
    QTest::newRow("binary kept") << Utf16Le("[S]\r\nText\r\n") + QByteArray("\x00\x00\x13\x37\r\x00", 6)
                                 << QByteArray();
}

void TestLangMessages::normalise()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);

    const QString path = FilePath("German.lng");
    WriteBytes(path, before);
    TLangChanger changer(nullptr);
    changer.SetLangFile(path);
    QCOMPARE(ReadBytes(path), after.isEmpty() ? before : after);
}

void TestLangMessages::samePathTwice()
{
    const QString path = FilePath("German.lng");
    const QByteArray bare = Utf16Le("[Messages]\r\nStrings\r\n");
    const QByteArray normalised = Utf16Le("[Messages]\r\nStrings=\r\n");
    WriteBytes(path, bare);

    TLangChanger changer(nullptr);
    changer.SetLangFile(path);
    QCOMPARE(ReadBytes(path), normalised);
    QCOMPARE(changer.TranslateMessage("Strings"), QString());

    WriteBytes(path, bare);
    changer.SetLangFile(path);
    QCOMPARE(ReadBytes(path), bare);

    changer.SetLangFile("  " + path + "\t");
    QCOMPARE(changer.LangFile(), path);
    QCOMPARE(ReadBytes(path), normalised);
}

void TestLangMessages::readOnlyFile()
{
    const QString path = FilePath("German.lng");
    const QByteArray bare = Utf16Le("[Messages]\r\nStrings\r\n");
    WriteBytes(path, bare);
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));

    TLangChanger changer(nullptr);
    try {
        changer.SetLangFile(path);
        QFAIL("a read-only file that needs rewriting must be reported");
    } catch (const Exception &e) {
        QVERIFY2(e.Message().contains(path), qPrintable(e.Message()));
        QVERIFY2(e.Message().contains("read-only"), qPrintable(e.Message()));
    }
    QCOMPARE(ReadBytes(path), bare);
    // The file stays chosen and is read as it stands.
    QCOMPARE(changer.LangFile(), path);
    QCOMPARE(changer.TranslateMessage("Strings"), QString("Strings"));

    // A read-only file that needs no change is no error.
    const QString clean = FilePath("Clean.lng");
    WriteBytes(clean, Utf16Le("[Messages]\r\nStrings=Zeichen\r\n"));
    QVERIFY(QFile::setPermissions(clean, QFileDevice::ReadOwner));
    changer.SetLangFile(clean);
    QCOMPARE(changer.TranslateMessage("Strings"), QString("Zeichen"));
}

void TestLangMessages::separatorAndPostfix_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("storedSeparator");
    QTest::addColumn<QString>("postfix");
    QTest::addColumn<QString>("storedPostfix");

    QTest::newRow("blanks kept") << " ; " << " ; " << "_Lang " << "_Lang ";
    QTest::newRow("blanks only restore the default") << " \t " << "," << "  " << "_lng";
    QTest::newRow("empty restores the default") << "" << "," << "" << "_lng";
}

void TestLangMessages::separatorAndPostfix()
{
    QFETCH(QString, separator);
    QFETCH(QString, storedSeparator);
    QFETCH(QString, postfix);
    QFETCH(QString, storedPostfix);

    TLangChanger changer(nullptr);
    changer.SetSeparator("|");
    changer.SetLngPostfix("_x");
    changer.SetSeparator(separator);
    changer.SetLngPostfix(postfix);
    QCOMPARE(changer.Separator(), storedSeparator);
    QCOMPARE(changer.LngPostfix(), storedPostfix);
    // Published under the same names.
    QCOMPARE(changer.property("Separator").toString(), storedSeparator);
}

void TestLangMessages::translateStrings_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("enter marker and escape")
        << Utf16Le("[Help]\r\nFirst line\r\n{enter}\r\nThird{\\n}line\r\n")
        << QStringList({"First line", "", "Third\r\nline"});
    QTest::newRow("keys of entries in file order")
        << Utf16Le("[Help]\r\nb=1\r\n;skip\r\na=2\r\n[Other]\r\nc\r\n") << QStringList({"b", "a"});
    QTest::newRow("absent section empties the list") << Utf16Le("[Other]\r\nc\r\n") << QStringList();
}

void TestLangMessages::translateStrings()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, expected);

    TLangChanger changer(nullptr);
    QStringList lines{"untouched"};
    changer.SetLangFile(FilePath("None.lng"));
    changer.TranslateStrings(lines, "Help");
    QCOMPARE(lines, QStringList({"untouched"}));

    const QString path = FilePath("German.lng");
    WriteBytes(path, file);
    changer.SetLangFile(path);
    changer.TranslateStrings(lines, "help");
    QCOMPARE(lines, expected);
}

QTEST_GUILESS_MAIN(TestLangMessages)
#include "TestLangMessages.moc"
