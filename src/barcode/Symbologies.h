#pragma once

#include "barcode/Barcode.h"

#include <QString>

// One row of the symbology catalogue: the engine's id and the name the user sees.
struct TSymbologyInfo
{
    int EngineId;
    const char *DisplayName; // UTF-8
};

const TSymbologyInfo &SymbologyInfo(TSymbology symbology);
int EngineId(TSymbology symbology);
QString DisplayName(TSymbology symbology);
// The component's short name, without the "sy" prefix: "QRCode" for syQRCode. The command
// line and the settings name symbologies so.
QString SymbologyShortName(TSymbology symbology);
// The symbology of a short name exactly as SymbologyShortName writes it.
bool FindSymbologyShortName(const QString &shortName, TSymbology &result);
// The first symbology whose display name equals `displayName` exactly (case-sensitive).
bool FindSymbology(const QString &displayName, TSymbology &result);
