#pragma once

#include "barcode/Barcode.h"

#include <QString>

// Symbologies named on the command line. A name is the one shown in the main window's list
// ("Data Matrix (ECC200)") or the component's name without its "sy" prefix ("DataMatrix");
// case, blanks and punctuation do not count ("data matrix", "qr-code").

// The component's short name of a symbology: "QRCode" for syQRCode.
QString CommandLineName(TSymbology symbology);

// The symbology a command-line name stands for; false when none does.
bool SymbologyFromCommandLine(const QString &name, TSymbology &result);
