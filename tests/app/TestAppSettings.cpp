#include "app/AppSettings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// The settings store on real QSettings files in temporary folders.
class TestAppSettings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir FUserDir;
    QTemporaryDir FMachineDir;

    QString StoreFile(const QTemporaryDir &dir) const
    {
        return dir.path() + QStringLiteral("/Marvane/Quorvel (QR code) Generator.conf");
    }

    static void WriteText(const QString &fileName, const QByteArray &content)
    {
        QDir().mkpath(QFileInfo(fileName).path());
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

private slots:
    void init()
    {
        QVERIFY(FUserDir.isValid() && FMachineDir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FUserDir.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, FMachineDir.path());
        QFile::remove(StoreFile(FUserDir));
        QFile::remove(StoreFile(FMachineDir));
        AppSettings = TAppSettings();
    }

    void Load_data()
    {
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QByteArray>("machine");
        QTest::addColumn<QList<int>>("numbers"); // state, width, height, left, top
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("defaultLanguage");
        QTest::addColumn<QString>("path");

        const QString home = QDir::homePath() + QLatin1Char('/');
        const QList<int> defaults{0, 855, 693, 575, 208};
        QTest::newRow("empty stores") << QByteArray() << QByteArray() << defaults
                                      << "English" << "English" << home;
        QTest::newRow("machine-wide language")
            << QByteArray() << QByteArray("[Options]\nLanguage=German\n") << defaults
            << "German" << "German" << home;
        QTest::newRow("per-user language wins")
            << QByteArray("[Options]\nLanguage=French\n")
            << QByteArray("[Options]\nLanguage=German\n") << defaults << "French" << "German" << home;
        QTest::newRow("machine-wide placement is not used")
            << QByteArray() << QByteArray("[Options]\nWindowWidth=1200\nWindowState=2\n") << defaults
            << "English" << "English" << home;
        QTest::newRow("every value stored")
            << QByteArray("[Options]\nWindowState=2\nWindowWidth=1000\nWindowHeight=800\n"
                          "WindowLeft=-20\nWindowTop=30\nLanguage=Dutch\nPath=/tmp/out/\n")
            << QByteArray() << QList<int>{2, 1000, 800, -20, 30} << "Dutch" << "English" << "/tmp/out/";
        QTest::newRow("width that does not parse")
            << QByteArray("[Options]\nWindowWidth=wide\nWindowHeight=12.5\n") << QByteArray()
            << defaults << "English" << "English" << home;
        QTest::newRow("list where a number is read")
            << QByteArray("[Options]\nWindowTop=1, 2\n") << QByteArray() << defaults
            << "English" << "English" << home;
        QTest::newRow("other kind where a number is read")
            << QByteArray("[Options]\nWindowLeft=@Rect(1 2 3 4)\n") << QByteArray() << defaults
            << "English" << "English" << home;
        QTest::newRow("list where a text is read")
            << QByteArray("[Options]\nLanguage=German, French\nPath=@Point(1 2)\n") << QByteArray()
            << defaults << "English" << "English" << home;
        QTest::newRow("empty language stays empty")
            << QByteArray("[Options]\nLanguage=\n") << QByteArray() << defaults << "" << "English" << home;
    }

    void Load()
    {
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, machine);
        QFETCH(QList<int>, numbers);
        QFETCH(QString, language);
        QFETCH(QString, defaultLanguage);
        QFETCH(QString, path);
        if (!user.isEmpty())
            WriteText(StoreFile(FUserDir), user);
        if (!machine.isEmpty())
            WriteText(StoreFile(FMachineDir), machine);

        LoadSettings();

        const QList<int> loaded{AppSettings.WindowState, AppSettings.WindowWidth, AppSettings.WindowHeight,
                                AppSettings.WindowLeft, AppSettings.WindowTop};
        QCOMPARE(loaded, numbers);
        QCOMPARE(AppSettings.Language, language);
        QCOMPARE(AppSettings.DefaultLanguage, defaultLanguage);
        QCOMPARE(AppSettings.Path, path);
    }

    void WriteAndReadBack()
    {
        WriteText(StoreFile(FMachineDir), "[Options]\nLanguage=German\n");
        AppSettings = TAppSettings();
        AppSettings.WindowState = 2;
        AppSettings.WindowWidth = 1024;
        AppSettings.WindowHeight = 700;
        AppSettings.WindowLeft = -5;
        AppSettings.WindowTop = 40;
        AppSettings.Language = QStringLiteral("Danish");
        AppSettings.Path = QStringLiteral("/data/out, new/");
        AppSettings.DefaultLanguage = QStringLiteral("German");
        // The symbol's values sit beside them in groups of their own.
        AppSettings.HasSymbol = true;
        AppSettings.Symbology = QStringLiteral("DataMatrix");
        AppSettings.Data = QStringLiteral("line 1\nline 2, \"quoted\"");
        AppSettings.Appearance = {{QStringLiteral("fg"), QStringLiteral("FF0000")}};
        AppSettings.SymbologyOptions = {{QStringLiteral("DataMatrix"), {{QStringLiteral("shape"), QStringLiteral("1")}}},
                                        {QStringLiteral("QRCode"), {}}};
        QVERIFY(WriteSettings());

        AppSettings = TAppSettings();
        LoadSettings();
        QVERIFY(AppSettings.HasSymbol);
        QCOMPARE(AppSettings.Symbology, QStringLiteral("DataMatrix"));
        QCOMPARE(AppSettings.Data, QStringLiteral("line 1\nline 2, \"quoted\""));
        QCOMPARE(AppSettings.Appearance.value(QStringLiteral("fg")), QStringLiteral("FF0000"));
        QCOMPARE(AppSettings.SymbologyOptions.keys(), QStringList{QStringLiteral("DataMatrix")});
        QCOMPARE(AppSettings.SymbologyOptions.value(QStringLiteral("DataMatrix")).value(QStringLiteral("shape")), QStringLiteral("1"));
        QCOMPARE(AppSettings.WindowState, 2);
        QCOMPARE(AppSettings.WindowWidth, 1024);
        QCOMPARE(AppSettings.WindowHeight, 700);
        QCOMPARE(AppSettings.WindowLeft, -5);
        QCOMPARE(AppSettings.WindowTop, 40);
        QCOMPARE(AppSettings.Language, QStringLiteral("Danish"));
        QCOMPARE(AppSettings.Path, QStringLiteral("/data/out, new/"));

        // The default language is only ever read, and the machine-wide store never written.
        QSettings user(StoreFile(FUserDir), QSettings::IniFormat);
        QVERIFY(!user.contains(QStringLiteral("Options/DefaultLanguage")));
        QVERIFY(user.contains(QStringLiteral("Options/Path")));
        QFile machine(StoreFile(FMachineDir));
        QVERIFY(machine.open(QIODevice::ReadOnly));
        QCOMPARE(machine.readAll(), QByteArray("[Options]\nLanguage=German\n"));
    }

    void WidthStoredAsText()
    {
        WriteText(StoreFile(FUserDir), "[Options]\nWindowWidth=\"1000\"\n");
        LoadSettings();
        QCOMPARE(AppSettings.WindowWidth, 1000);
        AppSettings.WindowWidth = 900;
        QVERIFY(WriteSettings());
        LoadSettings();
        QCOMPARE(AppSettings.WindowWidth, 900);
    }

    void RefusedWrite()
    {
        // A folder where the store's file belongs: no write can succeed, not even as root.
        QVERIFY(QDir().mkpath(StoreFile(FUserDir)));
        LoadSettings();
        QVERIFY(!WriteSettings());
        QVERIFY(QDir().rmdir(StoreFile(FUserDir)));
    }
};

QTEST_GUILESS_MAIN(TestAppSettings)
#include "TestAppSettings.moc"
