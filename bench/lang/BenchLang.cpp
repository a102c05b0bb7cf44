// TranslateMessage with a language file of 100,000 keys against one of 100 keys: the file is
// read once per change, so a message costs about the same in both (goal: within 2x).
//
//   BenchLang [calls]      default 20000 translated messages per file
#include "lang/LangChanger.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// A language file of `keys` messages in UTF-16 LE with a mark, as the program writes them.
void WriteLanguageFile(const QString &path, int keys)
{
    QString text = QStringLiteral("\uFEFF[Messages]\r\n");
    for (int i = 0; i < keys; ++i)
        text += QStringLiteral("Message number %1=Meldung Nummer %1\r\n").arg(i);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
    file.write(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

// Seconds per translated message, after a first call that reads the file.
double SecondsPerMessage(const QString &path, int keys, int calls)
{
    TLangChanger changer(nullptr);
    changer.SetLangFile(path);
    changer.TranslateMessage(QStringLiteral("Message number 0"));
    QElapsedTimer timer;
    timer.start();
    qsizetype length = 0;
    for (int i = 0; i < calls; ++i)
        length += changer.TranslateMessage(QStringLiteral("Message number %1").arg(i % keys)).size();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (length == 0)
        std::abort();
    return seconds / calls;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int calls = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 20000;
    QTemporaryDir dir;
    const QString small = dir.filePath(QStringLiteral("Small.lng"));
    const QString large = dir.filePath(QStringLiteral("Large.lng"));
    WriteLanguageFile(small, 100);
    WriteLanguageFile(large, 100000);

    const double smallSeconds = SecondsPerMessage(small, 100, calls);
    const double largeSeconds = SecondsPerMessage(large, 100000, calls);
    std::printf("TranslateMessage, 100 keys:     %8.2f us a message\n", smallSeconds * 1e6);
    std::printf("TranslateMessage, 100,000 keys: %8.2f us a message\n", largeSeconds * 1e6);
    std::printf("RATIO\tTranslateMessage 100,000 keys / 100 keys\t%.3f\t2\n", largeSeconds / smallSeconds);
    return 0;
}
