#pragma once

#include "barcode/Barcode.h"

// Which setting of the component goes into which shared field of the engine's record: the
// engine reads option_1 and option_2 differently for each symbology. Read by the render and by
// the option descriptions, so that what the window offers is what the record gets.

// option_1 carries SecurityLevel.
bool TakesSecurityLevel(TSymbology symbology);
// option_1 carries EncodingMode.
bool TakesEncodingMode(TSymbology symbology);
// option_2 carries SymbolVersion (else Columns).
bool TakesSymbolVersion(TSymbology symbology);
// option_3 carries DataMatrix.
bool TakesDataMatrixShape(TSymbology symbology);

// The engine's ECI number of an encoding; 0 for enDefault.
int EciNumber(TEciEncoding encoding);
