#include "app/SymbolCommandLine.h"

#include "barcode/Barcode.h"
#include "barcode/BarcodeOptions.h"
#include "barcode/Symbologies.h"

#include <QFileInfo>
#include <QRegularExpression>

QStringList SymbolArguments(const TBarcode &barcode, const QString &outputFile)
{
    const TSymbology symbology = barcode.Symbology();
    // Values joined to their names, so that data beginning with "-" cannot pass for an option.
    QStringList words{QStringLiteral("-b"), SymbologyShortName(symbology), QStringLiteral("--data=") + barcode.InputText()};
    if (!barcode.PrimaryMessage().isEmpty())
        words << QStringLiteral("--primary=") + barcode.PrimaryMessage();
    const TCapabilities capabilities = barcode.Capabilities();
    for (const TBarcodeOption *option : BarcodeOptions()) {
        if (option->Place == TOptionPlace::Symbology && !option->AppliesTo(symbology, capabilities))
            continue;
        words << OptionArguments(*option, option->Read(barcode));
    }
    // Only where the file can hold it: the command line refuses it for the other formats.
    if (barcode.TransparentBack() && TBarcode::KeepsTransparency(QFileInfo(outputFile).suffix()))
        words << QStringLiteral("--transparent");
    words << QStringLiteral("--output=") + outputFile;
    return words;
}

QString ShellCommand(const QStringList &words)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_@%+=:,./-]+$"));
    QStringList quoted;
    for (const QString &word : words) {
        if (plain.match(word).hasMatch())
            quoted << word;
        else
            quoted << QLatin1Char('\'') + QString(word).replace(QLatin1Char('\''), QStringLiteral("'\\''")) + QLatin1Char('\'');
    }
    return quoted.join(QLatin1Char(' '));
}
