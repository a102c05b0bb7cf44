// Given the same options, the program writes the same symbol as the engine's own command-line
// tool: both write the TXT form (the modules as hexadecimal rows) and the files are compared.
// Skipped where the tool is not installed or is of another version than the loaded engine.
#include "support/ProgramRun.h"

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestSameAsZintTool : public QObject
{
    Q_OBJECT

private:
    QString FTool;
    QTemporaryDir FDir;

    QByteArray Read(const QString &name) const
    {
        QFile file(FDir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(FDir.isValid());
        FTool = QStandardPaths::findExecutable(QStringLiteral("zint"));
        if (FTool.isEmpty())
            QSKIP("the zint tool is not installed");
        // "Zint version 2.11.1" against "version number 21101" of the program's engine: the same
        // major and minor version.
        const TProgramRun tool = RunProgram(FTool, {"--version"}, FDir.path());
        const TProgramRun program = RunProgram(ProgramPath(), {"--version"}, FDir.path());
        const QRegularExpressionMatch toolVersion = QRegularExpression(R"((\d+)\.(\d+)\.)").match(tool.Out);
        const QRegularExpressionMatch engine = QRegularExpression(R"(version number (\d+))").match(program.Out);
        QVERIFY2(engine.hasMatch(), qPrintable(program.Out));
        if (!toolVersion.hasMatch()
            || engine.captured(1).toInt() / 100 != toolVersion.captured(1).toInt() * 100 + toolVersion.captured(2).toInt())
            QSKIP("the zint tool is of another version than the loaded engine");
    }

    void sameModules_data()
    {
        QTest::addColumn<QString>("symbology"); // the program's name
        QTest::addColumn<int>("engineId");      // the tool's number of the same symbology
        QTest::addColumn<QString>("data");
        QTest::addColumn<QStringList>("options"); // given to both

        QTest::newRow("QR Code, text beyond ASCII") << "QRCode" << 58 << "Grüße 日本 €" << QStringList();
        QTest::newRow("QR Code, level, version, mask") << "QRCode" << 58 << "Hello" << QStringList{"--secure=4", "--vers=5", "--mask=3"};
        QTest::newRow("QR Code, ECI") << "QRCode" << 58 << "Grüße" << QStringList{"--eci=4"};
        QTest::newRow("QR Code, raw bytes") << "QRCode" << 58 << "Grüße" << QStringList{"--binary"};
        QTest::newRow("QR Code, full multibyte") << "QRCode" << 58 << "Grüße" << QStringList{"--fullmultibyte"};
        QTest::newRow("QR Code, quiet zones") << "QRCode" << 58 << "1" << QStringList{"--quietzones"};
        QTest::newRow("GS1 Data Matrix, square") << "DataMatrix" << 71 << "[01]09501101530003" << QStringList{"--gs1", "--square"};
        QTest::newRow("GS1 in parentheses") << "DataMatrix" << 71 << "(01)09501101530003" << QStringList{"--gs1", "--gs1parens"};
        QTest::newRow("Data Matrix, DMRE") << "DataMatrix" << 71 << "ABCDEFGHIJ" << QStringList{"--dmre"};
        QTest::newRow("Data Matrix, fast") << "DataMatrix" << 71 << "ABCdef123456789" << QStringList{"--fast"};
        QTest::newRow("Data Matrix, version") << "DataMatrix" << 71 << "A" << QStringList{"--vers=10"};
        QTest::newRow("PDF417, 5 columns") << "PDF417" << 55 << "Hello world" << QStringList{"--cols=5", "--secure=3"};
        QTest::newRow("Aztec, level") << "AztecCode" << 92 << "abc" << QStringList{"--secure=2"};
        QTest::newRow("MaxiCode, mode 4") << "MaxiCode" << 57 << "ABC" << QStringList{"--mode=4"};
        QTest::newRow("Code 128, escapes") << "Code128" << 20 << "A\\tB" << QStringList{"--esc"};
        QTest::newRow("Han Xin, level and mask") << "HanXin" << 116 << "abc" << QStringList{"--secure=3", "--mask=2"};
        QTest::newRow("Codablock-F, rows and columns") << "CodaBlockF" << 74 << "ABCDEFGHIJKLMNOPQRSTUV" << QStringList{"--rows=3", "--cols=10"};
        QTest::newRow("Micro QR, version and level") << "MicroQRCode" << 97 << "12345" << QStringList{"--vers=3", "--secure=2"};
        QTest::newRow("DataBar Expanded Stacked, columns") << "GS1_DataBarExpandedStacked" << 81 << "[01]09501101530003[3103]000123"
                                                          << QStringList{"--cols=2"};
        QTest::newRow("Code 16K, separator") << "Code16K" << 23 << "ABCDEFGHIJKLMNOPQRSTUVWXYZ" << QStringList{"--separator=3"};
        QTest::newRow("Ultracode, revision 2") << "Ultracode" << 144 << "ABC" << QStringList{"--vers=2"};
        QTest::newRow("Code 11, one check digit") << "Code11" << 1 << "123" << QStringList{"--vers=1"};
        QTest::newRow("DotCode, columns and mask") << "DotCode" << 115 << "ABC123" << QStringList{"--cols=20", "--mask=2"};
    }

    void sameModules()
    {
        QFETCH(QString, symbology);
        QFETCH(int, engineId);
        QFETCH(QString, data);
        QFETCH(QStringList, options);
        // The program starts with the window's border and white space; the tool with none.
        const QStringList frame{"--border=0", "--whitesp=0", "--vwhitesp=0"};
        const TProgramRun program = RunProgram(ProgramPath(), QStringList{"-b", symbology, "-d", data, "-o", "program.txt"} + frame + options,
                                               FDir.path());
        const TProgramRun tool = RunProgram(FTool, QStringList{"-b", QString::number(engineId), "-d", data, "-o", "tool.txt"} + options,
                                            FDir.path());
        QVERIFY2(tool.ExitCode == 0, qPrintable(tool.Err));
        QVERIFY2(program.ExitCode == 0, qPrintable(program.Err));
        // A warning of the tool (an ECI it added) is the program's too.
        QCOMPARE(program.Err.isEmpty(), tool.Err.isEmpty());
        const QByteArray written = Read("program.txt");
        QVERIFY(!written.isEmpty());
        QCOMPARE(written, Read("tool.txt"));
    }
};

QTEST_GUILESS_MAIN(TestSameAsZintTool)
#include "TestSameAsZintTool.moc"
