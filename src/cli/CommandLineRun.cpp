#include "cli/CommandLineRun.h"

#include "barcode/Barcode.h"
#include "barcode/BarcodeOptions.h"
#include "barcode/Symbologies.h"
#include "barcode/WorkFile.h"
#include "barcode/ZintLibrary.h"
#include "batch/BatchCsv.h"
#include "batch/BatchFolder.h"
#include "batch/BatchParallel.h"
#include "batch/BatchPlan.h"
#include "batch/BatchRun.h"
#include "batch/BatchSummary.h"
#include "batch/BatchText.h"
#include "cli/CommandLine.h"
#include "cli/SymbologyNames.h"
#include "toolkit/Exception.h"
#include "toolkit/ProgramPaths.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QTextStream>

#include <cerrno>
#include <memory>
#include <mutex>
#include <cstdio>

namespace {

const QString Program = QStringLiteral("quorvel");

QTextStream &Out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &Err()
{
    static QTextStream stream(stderr);
    return stream;
}

int Fail(int code, const QString &message)
{
    Err() << Program << ": " << message << Qt::endl;
    return code;
}

// What was printed reached its reader, or the run fails: a full disk or a closed pipe behind the
// standard output must not pass for a listing that was written.
int Flushed(int code)
{
    errno = 0;
    Out().flush();
    const bool failed = Out().status() != QTextStream::Ok || std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (!failed)
        return code;
    const int error = errno != 0 ? errno : EIO;
    std::clearerr(stdout);
    return Fail(ExitFailure, QStringLiteral("cannot write to the standard output: %1").arg(qt_error_string(error)));
}

QString Shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The symbol as the main window starts it, then what the command line asks for. A warning of
// the engine keeps the symbol; it is shown once the file is written.
void Shape(TBarcode &barcode, const TCommandLine &line)
{
    ApplyOptionDefaults(barcode);
    barcode.SetKeepWarnings(true);
    barcode.SetSymbology(line.Symbology);
    barcode.SetPrimaryMessage(line.Primary);
    for (const auto &[option, value] : line.Settings)
        option->Write(barcode, value);
    barcode.SetTransparentBack(line.Transparent);
}

int ShowVersion()
{
    Out() << "Quorvel (QR code) Generator " << QStringLiteral(QUORVEL_VERSION_TEXT) << '\n';
    try {
        const TBarcode barcode(nullptr);
        Out() << "Engine: " << ZintLibraryFileName() << ", version number " << barcode.Version() << '\n';
    } catch (const Exception &error) {
        Out() << "Engine: not available: " << error.Message() << '\n';
    }
    Out() << "Language files: " << Shown(LanguageFolder()) << '\n';
    return Flushed(ExitSuccess);
}

int ListSymbologies()
{
    for (int i = 0; i < SymbologyCount; ++i)
        Out() << CommandLineName(TSymbology(i)) << '\t' << DisplayName(TSymbology(i)) << '\n';
    return Flushed(ExitSuccess);
}

// --verify: every written file that does not read back is named on the error output.
int ReadBack(TReadBackWritten readBack, const TBarcode &barcode, const QList<TWrittenFile> &files, int code)
{
    if (readBack == nullptr)
        return Fail(ExitFailure, QStringLiteral("this program cannot read files back: run quorvel with --verify"));
    for (const TReadBackProblem &problem : readBack(barcode, files)) {
        Err() << Program << ": \"" << Shown(problem.FileName) << "\": " << problem.Message << '\n';
        if (problem.Fails)
            code = ExitFailure;
    }
    Err().flush();
    return code;
}

int WriteSingle(const TCommandLine &line, TReadBackWritten readBack)
{
    TBarcode barcode(nullptr);
    Shape(barcode, line);
    barcode.SetInputText(line.Data);
    try {
        barcode.Save(line.Output);
    } catch (const Exception &error) {
        return Fail(ExitFailure, QStringLiteral("cannot write \"%1\": %2").arg(Shown(line.Output), error.Message()));
    }
    if (!barcode.Warning().isEmpty())
        Err() << Program << ": \"" << Shown(line.Output) << "\": " << barcode.Warning() << Qt::endl;
    // The save made sure that the file arrived (or went into the device or pipe it names).
    if (line.Verify && barcode.SaveChecksFiles())
        return ReadBack(readBack, barcode, {{line.Output, line.Data}}, ExitSuccess);
    return ExitSuccess;
}

QList<TWrittenFile> WrittenFiles(const TBatchPlan &plan, const TBatchResult &result)
{
    QList<qsizetype> failed;
    for (const TBatchFailure &failure : result.Failures)
        failed.append(failure.Line);
    QList<TWrittenFile> files;
    for (const TBatchItem &item : plan.Items)
        if (!IsBlankBatchText(item.Text) && !failed.contains(item.Line))
            files.append({item.FileName, item.Text});
    return files;
}

// The column's index in the table: a number from 1, or with a header row a column's name.
qsizetype ColumnIndex(const QString &column, const TCsvTable &table, bool header)
{
    bool number = false;
    const int index = column.toInt(&number);
    if (number)
        return index >= 1 && index <= table.ColumnCount ? index - 1 : -1;
    return header && !table.Rows.isEmpty() ? table.Rows.first().indexOf(column) : -1;
}

// --column: the strings (and names) from the table as the batch window takes them. False with
// nothing in `strings` when the file is a plain list that the first column stands for; false
// with one message in `names` when the table cannot give what was asked.
bool ReadTable(const TCommandLine &line, const QString &text, QStringList &strings, QStringList &names)
{
    const TCsvTable table = DetectCsv(text);
    const auto failure = [&names](const QString &message) {
        names = {message};
        return false;
    };
    switch (table.Kind) {
    case TCsvKind::NoColumns:
        if (line.Column == QLatin1String("1") && line.NameColumn.isEmpty() && !line.Header)
            return false; // a plain list is one column
        return failure(QStringLiteral("it is not a table (no comma, semicolon or tab separates columns)"));
    case TCsvKind::MixedColumns:
        return failure(QStringLiteral("line %1 has %2 columns where the first line has %3")
                           .arg(table.BadLine).arg(table.BadCount).arg(table.ColumnCount));
    case TCsvKind::UnclosedQuote:
        return failure(QStringLiteral("the quote opened on line %1 is never closed").arg(table.BadLine));
    case TCsvKind::Table:
        break;
    }
    const qsizetype data = ColumnIndex(line.Column, table, line.Header);
    const qsizetype name = line.NameColumn.isEmpty() ? -2 : ColumnIndex(line.NameColumn, table, line.Header);
    if (data < 0 || name == -1)
        return failure(QStringLiteral("it has no column \"%1\" (it has %2 columns)")
                           .arg(data < 0 ? line.Column : line.NameColumn).arg(table.ColumnCount));
    const qsizetype firstRow = line.Header ? 1 : 0;
    strings = CsvColumn(table.Rows, data, firstRow);
    if (name >= 0)
        names = CsvColumn(table.Rows, name, firstRow);
    return true;
}

int WriteBatch(const TCommandLine &line, TReadBackWritten readBack)
{
    // "-" reads the list from the standard input, so that a pipeline needs no file of its own.
    const bool fromInput = line.BatchFile == QLatin1String("-");
    const QString source = fromInput ? QStringLiteral("the standard input")
                                     : QStringLiteral("the batch file \"%1\"").arg(Shown(line.BatchFile));
    const TBatchFile file = fromInput ? LoadBatchStandardInput() : LoadBatchFile(line.BatchFile);
    if (!file.Loaded)
        return Fail(ExitFailure, QStringLiteral("cannot load %1: %2").arg(source, file.Reason));
    if (!file.StrayLines.isEmpty()) {
        const bool one = file.StrayLines.size() == 1;
        const QString where = fromInput ? source : u'"' + Shown(line.BatchFile) + u'"';
        Err() << Program << (one ? ": line " : ": lines ") << BatchLineList(file.StrayLines) << " of " << where
              << (one ? " holds" : " hold") << " bytes that are not UTF-8 and were read byte by byte" << Qt::endl;
    }
    QStringList strings;
    QStringList names;
    if (line.Column.isEmpty() || !ReadTable(line, file.Text, strings, names)) {
        if (!line.Column.isEmpty() && strings.isEmpty() && names.size() == 1)
            return Fail(ExitFailure, QStringLiteral("%1: %2").arg(source, names.first()));
        // Every line is a string, trimmed, as the batch window lists them.
        strings = SplitBatchLines(file.Text);
        for (QString &text : strings)
            text = TrimBatchLine(text);
        names.clear();
    }
    if (strings.isEmpty() || AllBlank(strings))
        return Fail(ExitFailure, QStringLiteral("%1 holds no strings").arg(source));

    const QString folder = NormaliseBatchFolder(line.Folder);
    if (!BatchFolderExists(folder))
        return Fail(ExitFailure, QStringLiteral("the output folder \"%1\" does not exist").arg(Shown(line.Folder)));

    TBarcode barcode(nullptr);
    Shape(barcode, line);
    RemoveStrayWorkFiles(folder);
    const QString extension = QLatin1Char('.') + line.Format;
    const TBatchPlan plan = names.isEmpty() ? PlanBatch(strings, folder, extension)
                                            : PlanBatch(strings, names, folder, extension);
    // On every core, each worker with a copy of the settings: the files and the summary are
    // those of one thread. The engine's warnings (an ECI it added, say) are collected by line:
    // the file is written, the line named.
    std::mutex warningLock;
    QMap<qsizetype, QString> warningsByLine;
    const auto noteWarning = [&warningLock, &warningsByLine](const TBarcode &copy, const TBatchItem &item) {
        if (copy.Warning().isEmpty())
            return;
        const std::lock_guard<std::mutex> guard(warningLock);
        warningsByLine.insert(item.Line, copy.Warning());
    };
    const TBatchResult result = RunBatchParallel(plan, folder, ComponentCopies(&barcode, noteWarning),
                                                 WorkersFor(barcode, BatchThreadCount()), nullptr);
    QStringList warnings;
    for (auto warning = warningsByLine.cbegin(); warning != warningsByLine.cend(); ++warning)
        warnings << QStringLiteral("line %1: %2").arg(warning.key()).arg(warning.value());

    Out() << BatchSummaryHeadline(result, [](const QString &message) { return message; }) << '\n';
    const int printed = Flushed(ExitSuccess);
    // Each failure as "line N "string": message"; the string is shortened and its control
    // characters blanked as in the batch window's list.
    for (const QString &failure : BatchFailureLines(result)) {
        const QChar tab(u'\t');
        Err() << Program << ": line " << failure.section(tab, 0, 0) << " \"" << failure.section(tab, 1, 1)
              << "\": " << failure.section(tab, 2) << '\n';
    }
    for (const QString &warning : warnings)
        Err() << Program << ": " << warning << '\n';
    Err().flush();
    const bool complete = result.Failures.isEmpty() && !result.FolderLost && result.StoppedBy.isEmpty();
    const int code = complete && printed == ExitSuccess ? ExitSuccess : ExitFailure;
    return line.Verify ? ReadBack(readBack, barcode, WrittenFiles(plan, result), code) : code;
}

} // namespace

int RunCommandLine(int argc, char *argv[], TReadBackWritten readBack)
{
    // No window and no display: a script on a server writes barcodes too. The texts of a PDF are
    // laid out in the system's fonts, which only a GUI application knows; the offscreen platform
    // gives one without a display.
    const TCommandLine line = ParseCommandLine(argc, argv);
#ifdef QUORVEL_FILES_ONLY
    // The command-line program hands PDF to the full program (FullProgram.h).
    const bool writesPdf = false;
#else
    const bool writesPdf = WritesPdf(line);
#endif
    if (writesPdf) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Its warning about a missing runtime folder would only puzzle a script's reader.
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
            QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false"));
    }
    const std::unique_ptr<QCoreApplication> application = writesPdf ? std::make_unique<QGuiApplication>(argc, argv)
                                                                     : std::make_unique<QCoreApplication>(argc, argv);
    switch (line.Action) {
    case TCommandAction::Help:
        Out() << CommandLineHelp();
        return Flushed(ExitSuccess);
    case TCommandAction::Version:
        return ShowVersion();
    case TCommandAction::List:
        return ListSymbologies();
    case TCommandAction::Single:
        return WriteSingle(line, readBack);
    case TCommandAction::Batch:
        return WriteBatch(line, readBack);
    case TCommandAction::Invalid:
        break;
    }
    return Fail(ExitUsage, line.Error + QStringLiteral("\nTry \"quorvel --help\"."));
}
