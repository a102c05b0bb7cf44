#include "cli/CommandLine.h"

#include "barcode/BarcodeOptions.h"
#include "barcode/FileFormats.h"
#include "cli/SymbologyNames.h"
#include "toolkit/Utf8Check.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>


namespace {

// The engine's formats by extension, in alphabetical order for the messages.
const QStringList Formats = [] {
    QStringList extensions = FileExtensions();
    extensions.sort();
    return extensions;
}();

TCommandLine Invalid(const QString &error)
{
    TCommandLine line;
    line.Action = TCommandAction::Invalid;
    line.Error = error;
    return line;
}

QString FormatList()
{
    return Formats.join(QStringLiteral(", "));
}

// The command-line names of an option: its own, or one per entry of a choice.
QStringList OptionNames(const TBarcodeOption &option)
{
    if (option.Kind != TOptionKind::Choice)
        return {QLatin1String(option.Name)};
    QStringList names;
    for (int i = 0; i < option.ChoiceCount; ++i)
        if (option.Choices[i].Switch != nullptr)
            names.append(QLatin1String(option.Choices[i].Switch));
    return names;
}

// Short and older names that stay: -s, -r and --rotation.
QStringList Aliases(const TBarcodeOption &option)
{
    const QLatin1String name(option.Name);
    if (name == QLatin1String("scale"))
        return {QStringLiteral("s")};
    if (name == QLatin1String("rotate"))
        return {QStringLiteral("r"), QStringLiteral("rotation")};
    return {};
}

QList<QCommandLineOption> SymbolOptions()
{
    QList<QCommandLineOption> options;
    for (const TBarcodeOption *option : BarcodeOptions()) {
        if (option->Kind == TOptionKind::Switch || option->Kind == TOptionKind::Choice) {
            for (const QString &name : OptionNames(*option))
                options.append(QCommandLineOption(name));
        } else {
            options.append(QCommandLineOption(Aliases(*option) << QLatin1String(option->Name), QString(),
                                              QStringLiteral("value")));
        }
    }
    return options;
}

// The options of both modes that shape the symbol. Answers an error, or an empty text.
QString ReadLook(const QCommandLineParser &parser, TCommandLine &line)
{
    if (parser.isSet(QStringLiteral("symbology"))) {
        const QString name = parser.value(QStringLiteral("symbology"));
        if (!SymbologyFromCommandLine(name, line.Symbology))
            return QStringLiteral("unknown symbology \"%1\" (--list shows the names)").arg(name);
    }
    line.Primary = parser.value(QStringLiteral("primary"));
    for (const TBarcodeOption *option : BarcodeOptions()) {
        if (option->Kind == TOptionKind::Choice) {
            QStringList given;
            double value = option->Default;
            for (int i = 0; i < option->ChoiceCount; ++i) {
                const char *name = option->Choices[i].Switch;
                if (name != nullptr && parser.isSet(QLatin1String(name))) {
                    given.append(QStringLiteral("--") + QLatin1String(name));
                    value = option->Choices[i].Value;
                }
            }
            if (given.size() > 1)
                return QStringLiteral("%1 exclude each other").arg(given.join(QStringLiteral(" and ")));
            if (!given.isEmpty())
                line.Settings.append({option, value});
            continue;
        }
        const QString name = QLatin1String(option->Name);
        if (!parser.isSet(name))
            continue;
        double value = 0;
        const QString text = option->Kind == TOptionKind::Switch ? QString() : parser.value(name);
        const QString error = ParseOptionValue(*option, line.Symbology, text, value);
        if (!error.isEmpty())
            return error;
        line.Settings.append({option, value});
    }
    return QString();
}

QString TransparentFormatList()
{
    QStringList keeping;
    for (const QString &format : Formats)
        if (TBarcode::KeepsTransparency(format))
            keeping.append(format);
    return keeping.join(QStringLiteral(", "));
}

QString TransparencyRefused(const QString &extension)
{
    return QStringLiteral("--transparent: %1 files have no transparent background; use one of %2")
        .arg(extension, TransparentFormatList());
}

TCommandLine ReadSingle(const QCommandLineParser &parser, TCommandLine line)
{
    if (parser.isSet(QStringLiteral("folder")) || parser.isSet(QStringLiteral("format")))
        return Invalid(QStringLiteral("--folder and --format belong to --batch; one symbol takes its format from the --output file's extension"));
    for (const char *name : {"column", "name-column", "header"})
        if (parser.isSet(QLatin1String(name)))
            return Invalid(QStringLiteral("--%1 belongs to --batch").arg(QLatin1String(name)));
    if (!parser.isSet(QStringLiteral("data")))
        return Invalid(QStringLiteral("--data is missing: the text to encode"));
    if (!parser.isSet(QStringLiteral("output")))
        return Invalid(QStringLiteral("--output is missing: the file to write"));
    line.Data = parser.value(QStringLiteral("data"));
    line.Output = parser.value(QStringLiteral("output"));
    const QString extension = QFileInfo(line.Output).suffix().toLower();
    if (!Formats.contains(extension))
        return Invalid(QStringLiteral("the format of \"%1\" is unknown: end the file name with one of %2")
                           .arg(line.Output, FormatList()));
    if (line.Transparent && !TBarcode::KeepsTransparency(extension))
        return Invalid(TransparencyRefused(extension));
    line.Action = TCommandAction::Single;
    return line;
}

TCommandLine ReadBatch(const QCommandLineParser &parser, TCommandLine line)
{
    if (parser.isSet(QStringLiteral("data")) || parser.isSet(QStringLiteral("output")))
        return Invalid(QStringLiteral("--batch takes its strings from the file and writes into --folder; --data and --output are for one symbol"));
    if (!parser.isSet(QStringLiteral("folder")))
        return Invalid(QStringLiteral("--folder is missing: the folder the batch writes into"));
    line.BatchFile = parser.value(QStringLiteral("batch"));
    line.Folder = parser.value(QStringLiteral("folder"));
    if (line.BatchFile.isEmpty())
        return Invalid(QStringLiteral("--batch needs the name of a text file"));
    if (line.Folder.isEmpty())
        return Invalid(QStringLiteral("--folder needs the name of a folder"));
    if (parser.isSet(QStringLiteral("format"))) {
        line.Format = parser.value(QStringLiteral("format")).toLower();
        if (line.Format.startsWith(QLatin1Char('.')))
            line.Format.remove(0, 1);
        if (!Formats.contains(line.Format))
            return Invalid(QStringLiteral("unknown format \"%1\": use one of %2")
                               .arg(parser.value(QStringLiteral("format")), FormatList()));
    }
    line.Header = parser.isSet(QStringLiteral("header"));
    for (const auto &[name, field] : {std::pair{"column", &TCommandLine::Column}, std::pair{"name-column", &TCommandLine::NameColumn}}) {
        if (!parser.isSet(QLatin1String(name)))
            continue;
        const QString value = parser.value(QLatin1String(name));
        bool number = false;
        const int column = value.toInt(&number);
        if ((number && column < 1) || (!number && !line.Header) || value.isEmpty())
            return Invalid(QStringLiteral("--%1 needs a column number from 1 on, or with --header a column's name, not \"%2\"")
                               .arg(QLatin1String(name), value));
        line.*field = value;
    }
    if (line.Column.isEmpty() && (line.Header || !line.NameColumn.isEmpty()))
        return Invalid(QStringLiteral("--header and --name-column need --column, the column of the data"));
    if (line.Transparent && !TBarcode::KeepsTransparency(line.Format))
        return Invalid(TransparencyRefused(line.Format));
    line.Action = TCommandAction::Batch;
    return line;
}

// One line or two per option, from the option table: names, value, what it does, its range.
QString OptionHelp()
{
    QString text = QStringLiteral("Options of the symbol, named as the zint tool names them (-s and -r stand for\n"
                                  "--scale and --rotate); the engine ignores those its symbology does not use:\n");
    for (const TBarcodeOption *option : BarcodeOptions()) {
        QString names;
        QString about = QString::fromUtf8(option->Hint);
        switch (option->Kind) {
        case TOptionKind::Switch:
            names = QStringLiteral("--") + QLatin1String(option->Name);
            break;
        case TOptionKind::Choice: {
            QStringList switches;
            for (int i = 0; i < option->ChoiceCount; ++i)
                if (option->Choices[i].Switch != nullptr)
                    switches.append(QStringLiteral("--%1 (%2)").arg(QLatin1String(option->Choices[i].Switch),
                                                                   QString::fromUtf8(option->Choices[i].Caption).toLower()));
            names = switches.join(QStringLiteral(", "));
            break;
        }
        case TOptionKind::Colour:
            names = QStringLiteral("--%1=RRGGBB").arg(QLatin1String(option->Name));
            about += QStringLiteral(" (default %1)").arg(OptionValueText(*option, option->Default));
            break;
        default: {
            names = QStringLiteral("--%1=N").arg(QLatin1String(option->Name));
            QStringList values;
            for (int i = 0; option->Choices != nullptr && i < option->ChoiceCount; ++i)
                values << QString::number(option->Choices[i].Value);
            const QString range = option->Kind == TOptionKind::Integer && !values.isEmpty() && values.size() <= 8
                                      ? values.join(QStringLiteral(", "))
                                      : QStringLiteral("%1 to %2").arg(OptionValueText(*option, option->Minimum),
                                                                       OptionValueText(*option, option->Maximum));
            about += QStringLiteral(" (%1; default %2%3)")
                         .arg(range, OptionValueText(*option, option->Default),
                              option->RangeFor != nullptr ? QStringLiteral(", automatic; the range is the symbology's")
                                                          : QString());
            break;
        }
        }
        text += QStringLiteral("  %1\n      %2\n").arg(names, about);
    }
    return text;
}

} // namespace

QStringList OutputFormats()
{
    return Formats;
}

TCommandLine ParseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOptions({
        {{QStringLiteral("h"), QStringLiteral("help")}, QString()},
        {{QStringLiteral("v"), QStringLiteral("version")}, QString()},
        {{QStringLiteral("l"), QStringLiteral("list")}, QString()},
        {{QStringLiteral("b"), QStringLiteral("symbology"), QStringLiteral("barcode")}, QString(), QStringLiteral("name")},
        {{QStringLiteral("d"), QStringLiteral("data")}, QString(), QStringLiteral("text")},
        {{QStringLiteral("p"), QStringLiteral("primary")}, QString(), QStringLiteral("text")},
        {{QStringLiteral("o"), QStringLiteral("output")}, QString(), QStringLiteral("file")},
        {QStringLiteral("batch"), QString(), QStringLiteral("file")},
        {QStringLiteral("folder"), QString(), QStringLiteral("folder")},
        {QStringLiteral("format"), QString(), QStringLiteral("extension")},
        {QStringLiteral("verify"), QString()},
        {QStringLiteral("column"), QString(), QStringLiteral("column")},
        {QStringLiteral("name-column"), QString(), QStringLiteral("column")},
        {QStringLiteral("header"), QString()},
        {QStringLiteral("transparent"), QString()},
    });
    parser.addOptions(SymbolOptions());
    if (!parser.parse(arguments))
        return Invalid(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return Invalid(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));

    TCommandLine line;
    if (parser.isSet(QStringLiteral("help"))) {
        line.Action = TCommandAction::Help;
        return line;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        line.Action = TCommandAction::Version;
        return line;
    }
    if (parser.isSet(QStringLiteral("list"))) {
        line.Action = TCommandAction::List;
        return line;
    }
    line.Verify = parser.isSet(QStringLiteral("verify"));
    line.Transparent = parser.isSet(QStringLiteral("transparent"));
    const QString lookError = ReadLook(parser, line);
    if (!lookError.isEmpty())
        return Invalid(lookError);
    if (parser.isSet(QStringLiteral("batch")))
        return ReadBatch(parser, line);
    return ReadSingle(parser, line);
}

TCommandLine ParseCommandLine(int argc, const char *const argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        const QByteArrayView bytes(argv[i]);
        const qsizetype bad = FirstNonUtf8Byte(bytes);
        if (i > 0 && bad >= 0) {
            // Named by the option it belongs to, when the argument before it is one.
            const QString previous = QString::fromUtf8(argv[i - 1]);
            const QString what = i > 1 && previous.startsWith(u'-') && !previous.contains(u'=')
                                     ? QStringLiteral("the value of %1").arg(previous)
                                     : QStringLiteral("argument %1").arg(i);
            return Invalid(QStringLiteral("%1 is not valid UTF-8: byte 0x%2 at position %3")
                               .arg(what)
                               .arg(QString::number(static_cast<unsigned char>(bytes[bad]), 16).toUpper().rightJustified(2, u'0'))
                               .arg(bad + 1));
        }
        arguments.append(QString::fromUtf8(bytes));
    }
    return ParseCommandLine(arguments);
}

bool WritesPdf(const TCommandLine &line)
{
    const TFileFormat *format = line.Action == TCommandAction::Single  ? FileFormatOf(line.Output)
                                : line.Action == TCommandAction::Batch ? FileFormatOf(QStringLiteral("files.") + line.Format)
                                                                       : nullptr;
    return format != nullptr && format->DrawnPage;
}

QString CommandLineHelp()
{
    return QStringLiteral(
               "Usage: quorvel                      start the program's window\n"
               "       quorvel -d TEXT -o FILE [options]\n"
               "       quorvel --batch FILE --folder FOLDER [--format EXT] [options]\n"
               "\n"
               "Quorvel (QR code) Generator. Without arguments it opens its window; with arguments it\n"
               "writes barcodes without opening one.\n"
               "\n"
               "One symbol:\n"
               "  -d, --data TEXT        the text to encode\n"
               "  -o, --output FILE      the file to write; its extension gives the format:\n"
               "                         %1\n"
               "A batch, one file per line of a text file (as the batch window writes them):\n"
               "  --batch FILE           the text file, one string per line (UTF-8, or UTF-16\n"
               "                         with a byte-order mark); \"-\" reads the standard input\n"
               "  --folder FOLDER        the existing folder to write into; files there are\n"
               "                         overwritten\n"
               "  --format EXT           the format of the files (default bmp)\n"
               "  --column N             the file is a table (comma, semicolon or tab separated):\n"
               "                         its column N (from 1) holds the strings\n"
               "  --name-column N        the column the file names are made from\n"
               "  --header               the first row names the columns (also usable as N)\n"
               "The symbol (defaults as in the window):\n"
               "  -b, --symbology NAME   the symbology, by its name in the window's list or its\n"
               "                         short name, case and blanks aside (default \"QR Code\")\n"
               "  -p, --primary TEXT     the primary message of a composite symbology\n"
               "  --transparent          a transparent background, in %3\n"
               "  --verify               read back what was written; a symbol that does not read\n"
               "                         back is reported and gives exit status 1 (it stays written)\n"
               "%2"
               "Information:\n"
               "  -l, --list             the symbologies: short name, a tab, the name in the list\n"
               "  -v, --version          the program's version, its engine and language files\n"
               "  -h, --help             this text\n"
               "\n"
               "Examples:\n"
               "  quorvel -d \"https://example.org\" -o link.svg\n"
               "  quorvel -b \"Code 128\" -d ABC-123 -s 2 -o label.png\n"
               "  quorvel --batch serials.txt --folder out --format svg -b DataMatrix --square\n"
               "  seq -w 1 500 | quorvel --batch - --folder out --format png -b \"Code 128\"\n"
               "  quorvel -d \"Grüße\" --secure=4 --vers=5 -o big.png\n"
               "\n"
               "Exit status: 0 when everything was written, 1 when something could not be read or\n"
               "written, 2 when the command line is wrong.\n")
        .arg(FormatList(), OptionHelp(), TransparentFormatList());
}
