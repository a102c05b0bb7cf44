// Language discovery beside the program and the flag pictures that go with the names.
#include "lang/Flags.h"
#include "lang/LanguageList.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void Touch(const QString &path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write("\xFF\xFE");
}

QStringList Names(const QList<TLanguageEntry> &entries)
{
    QStringList names;
    for (const TLanguageEntry &e : entries)
        names << e.Name;
    return names;
}

int ImageIndexOf(const QList<TLanguageEntry> &entries, const QString &name)
{
    for (const TLanguageEntry &e : entries)
        if (e.Name == name)
            return e.ImageIndex;
    return -2;
}

QColor Pixel(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// Rough colour classes, enough to tell the flags apart without fixing exact shades.
bool IsRed(const QColor &c) { return c.red() > 150 && c.green() < 80 && c.blue() < 90; }
bool IsWhite(const QColor &c) { return c.red() > 220 && c.green() > 220 && c.blue() > 200; }
bool IsBlue(const QColor &c) { return c.blue() > 90 && c.red() < 90 && c.green() < 120; }
bool IsGreen(const QColor &c) { return c.green() > 90 && c.red() < 110 && c.blue() < 110; }
bool IsBlack(const QColor &c) { return c.red() < 40 && c.green() < 40 && c.blue() < 40; }
bool IsYellow(const QColor &c) { return c.red() > 200 && c.green() > 170 && c.blue() < 60; }

} // namespace

class TestLanguageList : public QObject
{
    Q_OBJECT

private slots:
    void flagIndexOfLanguage_data();
    void flagIndexOfLanguage();
    void onlyLanguageFilesAreListed();
    void severalFoldersListEachNameOnce();
    void nameKeepsInnerDots_data();
    void nameKeepsInnerDots();
    void everyPictureIsDistinctAndSized();
    void picturesShowTheirFlags();
};

void TestLanguageList::flagIndexOfLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("index");
    QTest::newRow("English") << "English" << 0;
    QTest::newRow("Chinese Simplified") << "Chinese Simplified" << 11;
    QTest::newRow("Chinese Traditional shares the picture") << "Chinese Traditional" << 11;
    QTest::newRow("Danish, the last picture") << "Danish" << 14;
    QTest::newRow("lower case is another name") << "german" << -1;
    QTest::newRow("upper case is another name") << "ENGLISH" << -1;
    QTest::newRow("Italian is not the table's spelling") << "Italian" << -1;
    QTest::newRow("trailing blank") << "German " << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("template") << "Native" << -1;
}

void TestLanguageList::flagIndexOfLanguage()
{
    QFETCH(QString, language);
    QFETCH(int, index);
    QCOMPARE(FlagIndexOfLanguage(language), index);
}

void TestLanguageList::onlyLanguageFilesAreListed()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Touch(dir.filePath("French.lng"));
    Touch(dir.filePath(".Hidden.lng"));        // hidden files count too
    Touch(dir.filePath("german.lng"));         // differs only in case: listed, no flag
    Touch(dir.filePath("Spanish.lng.bak"));
    Touch(dir.filePath("Dutch.LNG"));          // could never be opened as "Dutch.lng" here
    Touch(dir.filePath("notes.txt"));
    QVERIFY(QDir(dir.path()).mkdir("Italiano.lng"));

    const QList<TLanguageEntry> entries = FindLanguages(dir.path());
    QStringList names = Names(entries);
    names.sort();
    QCOMPARE(names, QStringList({".Hidden", "French", "german"}));
    QCOMPARE(ImageIndexOf(entries, "French"), 3);
    QCOMPARE(ImageIndexOf(entries, "german"), -1);
    QCOMPARE(ImageIndexOf(entries, ".Hidden"), -1);
}

void TestLanguageList::severalFoldersListEachNameOnce()
{
    QTemporaryDir shipped, own;
    QVERIFY(shipped.isValid() && own.isValid());
    Touch(shipped.filePath("German.lng"));
    Touch(shipped.filePath("English.lng"));
    Touch(own.filePath("German.lng"));  // the shipped file is the one opened
    Touch(own.filePath("Native.lng"));

    const QList<TLanguageEntry> entries = FindLanguages(QStringList{shipped.path(), own.path()});
    QStringList first = Names(entries).mid(0, 2);
    first.sort();
    QCOMPARE(first, QStringList({"English", "German"}));
    QCOMPARE(Names(entries).mid(2), QStringList{"Native"});
    QCOMPARE(ImageIndexOf(entries, "German"), 10);

    // One folder named twice, or a folder that is not there, adds nothing.
    QCOMPARE(FindLanguages(QStringList{shipped.path(), shipped.path() + "/."}).size(), qsizetype(2));
    QCOMPARE(FindLanguages(QStringList{shipped.path() + "/missing", own.path()}).size(), qsizetype(2));
}

void TestLanguageList::nameKeepsInnerDots_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::newRow("two dots") << "Portuguese.Brazil.lng" << "Portuguese.Brazil" << -1;
    QTest::newRow("plain") << "Portuguese.lng" << "Portuguese" << 8;
    QTest::newRow("only the extension") << ".lng" << "" << -1;
}

void TestLanguageList::nameKeepsInnerDots()
{
    QFETCH(QString, fileName);
    QFETCH(QString, name);
    QFETCH(int, index);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Touch(dir.filePath(fileName));
    const QList<TLanguageEntry> entries = FindLanguages(dir.path());
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first().Name, name);
    QCOMPARE(entries.first().ImageIndex, index);
}

void TestLanguageList::everyPictureIsDistinctAndSized()
{
    QSet<QByteArray> seen;
    for (int i = 0; i < FlagCount; ++i) {
        const QImage image = FlagPicture(i);
        QCOMPARE(image.size(), QSize(FlagWidth, FlagHeight));
        QCOMPARE(image.depth(), 32);
        const QByteArray bytes(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
        QVERIFY2(!seen.contains(bytes), qPrintable(QString("picture %1 repeats another").arg(i)));
        seen.insert(bytes);
    }
    QVERIFY(FlagPicture(-1).isNull());
    QVERIFY(FlagPicture(FlagCount).isNull());
}

void TestLanguageList::picturesShowTheirFlags()
{
    // United States: blue canton top left, red stripe top right, white below it.
    const QImage us = FlagPicture(FlagIndexOfLanguage("English"));
    QVERIFY(IsBlue(Pixel(us, 0, 0)));
    QVERIFY(IsRed(Pixel(us, 17, 0)));
    QVERIFY(IsWhite(Pixel(us, 17, 1)));
    QVERIFY(IsRed(Pixel(us, 0, 11)));

    // Germany: black, red, gold from the top.
    const QImage de = FlagPicture(FlagIndexOfLanguage("German"));
    QVERIFY(IsBlack(Pixel(de, 9, 1)));
    QVERIFY(IsRed(Pixel(de, 9, 6)));
    QVERIFY(IsYellow(Pixel(de, 9, 10)));

    // France: blue, white, red from the left.
    const QImage fr = FlagPicture(FlagIndexOfLanguage("French"));
    QVERIFY(IsBlue(Pixel(fr, 1, 6)));
    QVERIFY(IsWhite(Pixel(fr, 9, 6)));
    QVERIFY(IsRed(Pixel(fr, 16, 6)));

    // Spain: red, a wide yellow band, red.
    const QImage es = FlagPicture(FlagIndexOfLanguage("Spanish"));
    QVERIFY(IsRed(Pixel(es, 9, 0)));
    QVERIFY(IsYellow(Pixel(es, 9, 4)));
    QVERIFY(IsYellow(Pixel(es, 9, 7)));
    QVERIFY(IsRed(Pixel(es, 9, 11)));

    // Japan: a red disc on white.
    const QImage jp = FlagPicture(FlagIndexOfLanguage("Japanese"));
    QVERIFY(IsRed(Pixel(jp, 9, 6)));
    QVERIFY(IsWhite(Pixel(jp, 1, 1)));

    // Denmark: red with a white cross left of centre.
    const QImage dk = FlagPicture(FlagIndexOfLanguage("Danish"));
    QVERIFY(IsRed(Pixel(dk, 1, 1)));
    QVERIFY(IsWhite(Pixel(dk, 5, 1)));
    QVERIFY(IsWhite(Pixel(dk, 16, 6)));
    QVERIFY(IsRed(Pixel(dk, 16, 1)));

    // The green flag with a pale disc, and Brazil's yellow rhombus around a blue disc.
    const QImage ar = FlagPicture(FlagIndexOfLanguage("Arabic"));
    QVERIFY(IsGreen(Pixel(ar, 1, 1)));
    QVERIFY(IsWhite(Pixel(ar, 9, 6)) || Pixel(ar, 9, 6).lightness() > 200);
    const QImage br = FlagPicture(FlagIndexOfLanguage("Portuguese"));
    QVERIFY(IsGreen(Pixel(br, 0, 0)));
    QVERIFY(IsYellow(Pixel(br, 3, 6)));
    QVERIFY(IsBlue(Pixel(br, 9, 6)));

    // China: red field, yellow star in the upper hoist.
    const QImage cn = FlagPicture(FlagIndexOfLanguage("Chinese Traditional"));
    QVERIFY(IsRed(Pixel(cn, 16, 10)));
    QVERIFY(IsYellow(Pixel(cn, 3, 3)) || IsYellow(Pixel(cn, 4, 4)));
}

QTEST_MAIN(TestLanguageList)
#include "TestLanguageList.moc"
