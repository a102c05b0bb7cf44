#pragma once

#include "barcode/Barcode.h"

#include <QString>
#include <functional>

// The message of the EBarcodeError that `action` raises, or a marker text when it raises none.
inline QString Message(const std::function<void()> &action)
{
    try {
        action();
    } catch (const EBarcodeError &error) {
        return error.Message();
    }
    return QStringLiteral("<no EBarcodeError>");
}
