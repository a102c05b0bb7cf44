#include "lang/LangFile.h"
#include "LangTestFiles.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

class TestLangFile : public QObject
{
    Q_OBJECT

private slots:
    void lookup_data();
    void lookup();
    void keysInFileOrder();
    void writeEntry_data();
    void writeEntry();
    void saveAndLoad();
    void badInput_data();
    void badInput();
};

void TestLangFile::lookup_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("value");

    QTest::newRow("mark, CR LF") << Utf16Le("[S]\r\nKey=Value\r\n") << "S" << "Key" << true << "Value";
    QTest::newRow("no mark") << Utf16Le("[S]\r\nKey=Value\r\n", false) << "S" << "Key" << true << "Value";
    QTest::newRow("lone CR") << Utf16Le("[S]\rA=1\rKey=Value\r") << "S" << "Key" << true << "Value";
    QTest::newRow("lone LF") << Utf16Le("[S]\nA=1\nKey=Value") << "S" << "Key" << true << "Value";
    QTest::newRow("blanks and control codes trimmed")
        << Utf16Le(" \t[ S ]\x01\r\n\t Key \x1f= \t Value \x02\r\n") << "S" << "Key" << true << "Value";
    QTest::newRow("comment line") << Utf16Le("[S]\r\n;Key=Value\r\n") << "S" << "Key" << false << "";
    QTest::newRow("indented comment") << Utf16Le("[S]\r\n  ;Key=Value\r\n") << "S" << ";Key" << false << "";
    QTest::newRow("before first section") << Utf16Le("Key=Value\r\n[S]\r\n") << "S" << "Key" << false << "";
    QTest::newRow("section and key without case")
        << Utf16Le("[lngcaptions]\r\nSAVE AS ...=Speichern\r\n") << "LngCaptions" << "save as ..." << true
        << "Speichern";
    QTest::newRow("later section wins") << Utf16Le("[S]\r\nA=1\r\n[S]\r\nB=2\r\n") << "S" << "A" << false << "";
    QTest::newRow("later section read") << Utf16Le("[S]\r\nA=1\r\n[s]\r\nB=2\r\n") << "S" << "B" << true << "2";
    QTest::newRow("later key wins") << Utf16Le("[S]\r\nA=1\r\na=2\r\nB=3\r\n") << "S" << "A" << true << "2";
    QTest::newRow("bare line has no key") << Utf16Le("[S]\r\nStrings\r\n") << "S" << "Strings" << false << "";
    QTest::newRow("first = splits") << Utf16Le("[S]\r\nA = b=c \r\n") << "S" << "A" << true << "b=c";
    QTest::newRow("empty value") << Utf16Le("[S]\r\nA=\r\n") << "S" << "A" << true << "";
    QTest::newRow("other section") << Utf16Le("[S]\r\nA=1\r\n[T]\r\n") << "T" << "A" << false << "";
    QTest::newRow("escape kept") << Utf16Le("[S]\r\nA{\\n}B=x{\\n}y\r\n") << "S" << "A{\\n}B" << true
                                 << "x{\\n}y";
    QTest::newRow("UTF-8 without mark") << QByteArray("[S]\r\nKey=Value\r\n") << "S" << "Key" << false << "";
    QTest::newRow("UTF-16 BE") << Utf16Be("[S]\r\nKey=Value\r\n") << "S" << "Key" << false << "";
}

void TestLangFile::lookup()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(bool, found);
    QFETCH(QString, value);

    const TLangFile file = TLangFile::FromBytes(bytes);
    QCOMPARE(file.KeyExists(section, key), found);
    QCOMPARE(file.ReadString(section, key, QStringLiteral("<none>")), found ? value : QStringLiteral("<none>"));
}

void TestLangFile::keysInFileOrder()
{
    const TLangFile file = TLangFile::FromBytes(
        Utf16Le("[S]\r\nb=1\r\n;c=2\r\nA=3\r\nbare\r\n\r\n#note=4\r\nB=5\r\n[T]\r\nz=6\r\n"));
    QCOMPARE(file.ReadSectionKeys("s"), QStringList({"b", "A", "#note", "B"}));
    QCOMPARE(file.ReadSectionKeys("missing"), QStringList());
}

void TestLangFile::writeEntry_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("after");

    QTest::newRow("replace in place")
        << "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n" << "A" << "x" << "9"
        << QStringList({"[A]", "x=9", "y=2", "[B]", "z=3"});
    QTest::newRow("replace the entry lookups read")
        << "[A]\r\nx=1\r\nX=2\r\n" << "a" << "X" << "9" << QStringList({"[A]", "x=1", "X=9"});
    QTest::newRow("append before blank lines")
        << "; head\r\n[A]\r\nx=1\r\n;note\r\n\r\n[B]\r\nz=3" << "A" << "n" << "5"
        << QStringList({"; head", "[A]", "x=1", ";note", "n=5", "", "[B]", "z=3"});
    QTest::newRow("append to later duplicate section")
        << "[A]\r\nx=1\r\n[A]\r\ny=2\r\n" << "A" << "x" << "5"
        << QStringList({"[A]", "x=1", "[A]", "y=2", "x=5"});
    QTest::newRow("new section at end") << "[A]\nx=1" << "C" << "k" << "v"
                                        << QStringList({"[A]", "x=1", "", "[C]", "k=v"});
    QTest::newRow("empty file") << "" << "C" << "k" << "v" << QStringList({"[C]", "k=v"});
    QTest::newRow("line breaks escaped") << "[A]\r\n" << "A" << "x" << "a\r\nb\nc\rd"
                                         << QStringList({"[A]", "x=a{\\n}b{\\n}c{\\n}d"});
}

void TestLangFile::writeEntry()
{
    QFETCH(QString, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QStringList, after);

    TLangFile file = TLangFile::FromBytes(Utf16Le(before));
    file.WriteString(section, key, value);
    QCOMPARE(file.Lines(), after);
    // Mark, UTF-16 LE, CR LF after every line, the last one included.
    QCOMPARE(file.ToBytes(), Utf16Le(after.join("\r\n") + "\r\n"));

    // The written entry is what a reader of the new bytes finds.
    const TLangFile reread = TLangFile::FromBytes(file.ToBytes());
    QCOMPARE(reread.ReadString(section, key, "<none>"), file.ReadString(section, key, "<none>"));
    QVERIFY(file.KeyExists(section, key));
}

void TestLangFile::saveAndLoad()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("German.lng");
    QCOMPARE(TLangFile::Load(path).ReadSectionKeys("A"), QStringList());

    TLangFile file;
    file.WriteString("A", "x", QString::fromUtf8("Größe"));
    file.WriteString("A", "y", "2");
    file.WriteString("A", "x", "3");
    file.Save(path);

    const TLangFile loaded = TLangFile::Load(path);
    QCOMPARE(loaded.ReadSectionKeys("A"), QStringList({"x", "y"}));
    QCOMPARE(loaded.ReadString("A", "x", QString()), "3");
    QCOMPARE(ReadBytes(path), Utf16Le("[A]\r\nx=3\r\ny=2\r\n"));
}

void TestLangFile::badInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("entryFound");
    QTest::addColumn<bool>("rewritable");

    const QByteArray entry = Utf16Le("\r\n[Messages]\r\nKey=Value\r\n", false);

    QTest::newRow("empty") << QByteArray() << false << true;
    QTest::newRow("mark only") << QByteArray("\xFF\xFE") << false << true;

    QByteArray garbage(64 * 1024, Qt::Uninitialized);
    QRandomGenerator random(4711);
    for (char &c : garbage)
        c = char(random.bounded(256));
    QTest::newRow("binary garbage, then an entry") << garbage + entry << true << true;

    QTest::newRow("odd length") << Utf16Le("[Messages]\r\nKey=Value\r\n") + QByteArray("\x41", 1) << true
                                << false;

    QString surrogates = "[Messages]\r\nLone=";
    surrogates += QChar(0xD800);
    surrogates += "x";
    surrogates += QChar(0xDC00);
    surrogates += "\r\nKey=Value\r\n";
    QTest::newRow("unpaired surrogates") << Utf16Le(surrogates) << true << true;

    QTest::newRow("line of 100,000 characters")
        << Utf16Le("[Messages]\r\nLong=" + QString(100000, u'x') + "\r\nKey=Value\r\n") << true << true;

    QString big;
    big.reserve(5 * 1024 * 1024 + 64);
    big += "[Filler]\r\n";
    while (big.size() < 5 * 1024 * 1024)
        big += "Some text of the filler=with its value, line after line\r\n";
    QTest::newRow("10 MB") << Utf16Le(big) + entry << true << true;
}

void TestLangFile::badInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, entryFound);
    QFETCH(bool, rewritable);

    QElapsedTimer timer;
    timer.start();
    const TLangFile file = TLangFile::FromBytes(bytes);
    QCOMPARE(file.ReadString("Messages", "Key", "<none>"), entryFound ? "Value" : "<none>");
    QCOMPARE(file.Rewritable(), rewritable);
    if (rewritable) {
        // Whatever was read is written back unit for unit (line ends aside).
        const TLangFile again = TLangFile::FromBytes(file.ToBytes());
        QCOMPARE(again.Lines(), file.Lines());
    }
    // Generous for a loaded machine; a parser that is not linear takes minutes here.
    QVERIFY2(timer.elapsed() < 20000, "reading must stay linear in the file size");
}

QTEST_GUILESS_MAIN(TestLangFile)
#include "TestLangFile.moc"
