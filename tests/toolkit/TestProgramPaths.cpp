// Where the program looks for its language files and writes its template: beside the program
// (the build folder), in the data folder of an installation, or in the user's own folder.
#include "toolkit/ProgramPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void Touch(const QString &path)
{
    QVERIFY2(QDir().mkpath(QFileInfo(path).path()), qPrintable(path));
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write("\xFF\xFE");
}

} // namespace

class TestProgramPaths : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> FRoot;
    QString Program() const { return FRoot->filePath(QStringLiteral("bin")); }
    QString Installed() const { return FRoot->filePath(QStringLiteral("share/com.marvane.Quorvel/lang")); }
    QString User() const { return FRoot->filePath(QStringLiteral("home/Quorvel(QRcode)Generator")); }

private slots:
    void init()
    {
        FRoot = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(Program()));
        qputenv("XDG_DATA_HOME", FRoot->filePath(QStringLiteral("home")).toLocal8Bit());
        SetProgramFolderForTests(Program());
    }
    void cleanup()
    {
        SetProgramFolderForTests(QString());
        FRoot.reset();
    }

    void languageFolder_data()
    {
        QTest::addColumn<bool>("besideProgram");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("build folder") << true << false << "bin";
        QTest::newRow("files beside the program win") << true << true << "bin";
        QTest::newRow("installed") << false << true << "share/com.marvane.Quorvel/lang";
        QTest::newRow("no files anywhere") << false << false << "bin";
    }
    void languageFolder()
    {
        QFETCH(bool, besideProgram);
        QFETCH(bool, installed);
        QFETCH(QString, expected);
        if (besideProgram)
            Touch(Program() + QStringLiteral("/German.lng"));
        if (installed)
            Touch(Installed() + QStringLiteral("/French.lng"));
        QCOMPARE(QDir(LanguageFolder()).canonicalPath(), QDir(FRoot->filePath(expected)).canonicalPath());
    }

    void languageFilePath_data()
    {
        QTest::addColumn<bool>("shipped");
        QTest::addColumn<bool>("own");
        QTest::addColumn<QString>("expectedFolder");
        QTest::newRow("shipped only") << true << false << "shipped";
        QTest::newRow("the user's only") << false << true << "user";
        QTest::newRow("both: the shipped file") << true << true << "shipped";
        QTest::newRow("none: the shipped path") << false << false << "shipped";
    }
    void languageFilePath()
    {
        QFETCH(bool, shipped);
        QFETCH(bool, own);
        QFETCH(QString, expectedFolder);
        Touch(Installed() + QStringLiteral("/English.lng"));
        if (shipped)
            Touch(Installed() + QStringLiteral("/German.lng"));
        if (own)
            Touch(User() + QStringLiteral("/German.lng"));
        const QString folder = expectedFolder == QLatin1String("user") ? User() : Installed();
        QCOMPARE(QFileInfo(LanguageFilePath(QStringLiteral("German"))).absolutePath(),
                 QFileInfo(folder + QStringLiteral("/German.lng")).absolutePath());
        QVERIFY(LanguageFilePath(QStringLiteral("German")).endsWith(QStringLiteral("/German.lng")));
    }

    void templateBesideWritableLanguages()
    {
        Touch(Installed() + QStringLiteral("/English.lng"));
        QCOMPARE(TemplateFilePath(), QDir(Installed()).filePath(QStringLiteral("Native.lng")));
        // The probe leaves nothing behind.
        QCOMPARE(QDir(Installed()).entryList(QDir::Files | QDir::Hidden), QStringList{"English.lng"});
        QVERIFY(!QDir(User()).exists());
    }

    // The administrator may write anywhere a permission bit says no, so a folder that takes no
    // new files for anyone stands in for a read-only installation.
    void templateInTheUsersFolderWhenLanguagesAreReadOnly()
    {
        SetProgramFolderForTests(QStringLiteral("/proc"));
        QVERIFY(!QDir(User()).exists());
        QCOMPARE(TemplateFilePath(), QDir(User()).filePath(QStringLiteral("Native.lng")));
        QVERIFY(QDir(User()).exists());
    }
};

QTEST_GUILESS_MAIN(TestProgramPaths)
#include "TestProgramPaths.moc"
