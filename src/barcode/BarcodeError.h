#pragma once

#include "toolkit/Exception.h"

// Every failure of the barcode component or of the engine; the engine's own text is passed on
// unchanged.
class EBarcodeError : public Exception
{
public:
    using Exception::Exception;
};
