#include "cli/CommandLineVerify.h"

#include "barcode/Barcode.h"
#include "verify/ScanFile.h"
#include "verify/ScanText.h"

QList<TReadBackProblem> ReadBackWritten(const TBarcode &barcode, const QList<TWrittenFile> &files)
{
    // The command line speaks English.
    const TScanTranslate english = [](const QString &message) { return message; };
    QList<TReadBackProblem> problems;
    for (const TWrittenFile &file : files) {
        const std::optional<TScanVerdict> verdict = ReadBackFile(file.FileName, FileScanRequest(barcode, file.Data));
        if (!verdict)
            problems.append({file.FileName, QStringLiteral("not read back: the reader takes no files of this format"), false});
        else if (verdict->Outcome != TScanOutcome::ReadsBack)
            // Without a reader for the symbology nothing is known against the symbol.
            problems.append({file.FileName, ScanVerdictText(*verdict, english), verdict->Outcome != TScanOutcome::NoReader});
    }
    return problems;
}
