#include "cli/CommandLine.h"

#include "cli/SymbologyNames.h"
#include "toolkit/Utf8Check.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>
#include <optional>

namespace {

const QStringList Formats = {QStringLiteral("bmp"), QStringLiteral("emf"), QStringLiteral("eps"),
                             QStringLiteral("gif"), QStringLiteral("pcx"), QStringLiteral("pdf"),
                             QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("tif"),
                             QStringLiteral("txt")};

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

// Every number on the command line is written the same way: decimal digits with an optional
// sign and an optional fraction after a full stop ("2", "0.5", ".5", "+3"). Exponents, "inf",
// "nan", hexadecimal and the locale's decimal comma are not numbers here.
std::optional<double> ReadNumber(const QString &text)
{
    static const QRegularExpression syntax(QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
    if (!syntax.match(text).hasMatch())
        return std::nullopt;
    return text.toDouble();
}

// The numeric options with the values that every engine from zint 2.11 on accepts.
struct TNumberOption
{
    const char *Name;
    double Minimum;
    double Maximum;
    double Step; // 0: any value in the range; else a multiple of it
};

constexpr TNumberOption ScaleOption{"scale", 0.01, 100.0, 0.0};
constexpr TNumberOption RotationOption{"rotation", 0.0, 270.0, 90.0};

// The option's value checked by its syntax and range; answers an error, or an empty text.
QString ReadNumberOption(const QCommandLineParser &parser, const TNumberOption &option, double &value)
{
    const QString name = QLatin1String(option.Name);
    const QString text = parser.value(name);
    const std::optional<double> number = ReadNumber(text);
    const bool inRange = number && *number >= option.Minimum && *number <= option.Maximum
                         && (option.Step == 0.0 || std::fmod(*number, option.Step) == 0.0);
    if (inRange) {
        value = *number;
        return QString();
    }
    if (option.Step != 0.0) {
        QStringList steps;
        for (double step = option.Minimum; step <= option.Maximum; step += option.Step)
            steps.append(QString::number(step));
        const QString last = steps.takeLast();
        return QStringLiteral("--%1 takes %2 or %3, not \"%4\"").arg(name, steps.join(QStringLiteral(", ")), last, text);
    }
    return QStringLiteral("--%1 needs a number from %2 to %3, such as 2 or 0.5, not \"%4\"")
        .arg(name, QString::number(option.Minimum), QString::number(option.Maximum), text);
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
    if (parser.isSet(QStringLiteral("scale"))) {
        double scale = 0.0;
        const QString error = ReadNumberOption(parser, ScaleOption, scale);
        if (!error.isEmpty())
            return error;
        line.Scale = float(scale);
    }
    if (parser.isSet(QStringLiteral("rotation"))) {
        double rotation = 0.0;
        const QString error = ReadNumberOption(parser, RotationOption, rotation);
        if (!error.isEmpty())
            return error;
        line.Rotation = int(rotation);
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
    if (line.Transparent && !TBarcode::KeepsTransparency(line.Format))
        return Invalid(TransparencyRefused(line.Format));
    line.Action = TCommandAction::Batch;
    return line;
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
        {{QStringLiteral("b"), QStringLiteral("symbology")}, QString(), QStringLiteral("name")},
        {{QStringLiteral("d"), QStringLiteral("data")}, QString(), QStringLiteral("text")},
        {{QStringLiteral("p"), QStringLiteral("primary")}, QString(), QStringLiteral("text")},
        {{QStringLiteral("s"), QStringLiteral("scale")}, QString(), QStringLiteral("number")},
        {{QStringLiteral("r"), QStringLiteral("rotation")}, QString(), QStringLiteral("degrees")},
        {{QStringLiteral("o"), QStringLiteral("output")}, QString(), QStringLiteral("file")},
        {QStringLiteral("batch"), QString(), QStringLiteral("file")},
        {QStringLiteral("folder"), QString(), QStringLiteral("folder")},
        {QStringLiteral("format"), QString(), QStringLiteral("extension")},
        {QStringLiteral("verify"), QString()},
        {QStringLiteral("transparent"), QString()},
    });
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
    const QLatin1String pdf("pdf");
    return (line.Action == TCommandAction::Single && QFileInfo(line.Output).suffix().toLower() == pdf)
           || (line.Action == TCommandAction::Batch && line.Format == pdf);
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
               "The look of the symbol (defaults as in the window):\n"
               "  -b, --symbology NAME   the symbology, by its name in the window's list or its\n"
               "                         short name, case and blanks aside (default \"QR Code\")\n"
               "  -p, --primary TEXT     the primary message of a composite symbology\n"
               "  -s, --scale NUMBER     the scale, 0.01 to 100 (default 1)\n"
               "  -r, --rotation DEGREES 0, 90, 180 or 270 (default 0)\n"
               "  --transparent          a transparent background, in %2\n"
               "  --verify               read back what was written; a symbol that does not read\n"
               "                         back is reported and gives exit status 1 (it stays written)\n"
               "Information:\n"
               "  -l, --list             the symbologies: short name, a tab, the name in the list\n"
               "  -v, --version          the program's version, its engine and language files\n"
               "  -h, --help             this text\n"
               "\n"
               "Examples:\n"
               "  quorvel -d \"https://example.org\" -o link.svg\n"
               "  quorvel -b \"Code 128\" -d ABC-123 -s 2 -o label.png\n"
               "  quorvel --batch serials.txt --folder out --format svg -b DataMatrix\n"
               "  seq -w 1 500 | quorvel --batch - --folder out --format png -b \"Code 128\"\n"
               "\n"
               "Exit status: 0 when everything was written, 1 when something could not be read or\n"
               "written, 2 when the command line is wrong.\n")
        .arg(FormatList(), TransparentFormatList());
}
