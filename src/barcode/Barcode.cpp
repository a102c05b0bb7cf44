#include "barcode/Barcode.h"

#include "barcode/EngineRecord.h"
#include "barcode/FileFormats.h"
#include "barcode/SaveTarget.h"
#include "barcode/Symbologies.h"
#include "barcode/ZintLibrary.h"

#include <QMetaProperty>
#include <QStringList>

#include <cmath>
#include <cstring>

TBarcode::TBarcode(QObject *AOwner)
    : TComponent(AOwner)
    , FBackColor(clWhite)
    , FChanged(true)
    , FDotSize(0.0f)
    , FForeColor(clBlack)
    , FGuardDescent(5.0f)
    , FHeight(50.0f)
    , FInputCheck(true)
    , FInputMode(imData)
    , FMask(-1)
    , FQuietZones(qzDefault)
    , FScale(1.0f)
    , FSeparatorHeight(1)
    , FShowText(true)
    , FSymbology(syQRCode)
    , FWarningLevel(waDefault)
    , FRecord(std::make_unique<TEngineRecord>())
{
}

// The engine stays loaded after the last component is gone; the record goes back to it.
TBarcode::~TBarcode() = default;

template <typename T>
void TBarcode::Assign(T &field, const T &value)
{
    if (field == value)
        return;
    field = value;
    FChanged = true;
}

// The equality test comes first, so assigning the current value never raises.
void TBarcode::AssignInRange(int &field, int value, int low, int high)
{
    if (field == value)
        return;
    if (value < low || value > high)
        throw EInvalidOperation(QStringLiteral("%1 property out of range")
                                    .arg(QLatin1String(metaObject()->className())));
    field = value;
    FChanged = true;
}

QString TBarcode::About() const
{
    return QStringLiteral("Version 7.8, barcode component of Quorvel (QR code) Generator by "
                          "Marvane; symbols encoded and drawn by the zint library, https://zint.org.uk");
}

void TBarcode::SetBackColor(TColor value) { Assign(FBackColor, value); }
void TBarcode::SetBorderWidth(int value) { Assign(FBorderWidth, value); }
void TBarcode::SetColumns(int value) { AssignInRange(FColumns, value, 0, 200); }
void TBarcode::SetDataMatrix(TDataMatrix value) { Assign(FDataMatrix, value); }
void TBarcode::SetDotSize(float value) { Assign(FDotSize, value); }
void TBarcode::SetEncodingMode(TEncodingMode value) { Assign(FEncodingMode, value); }
void TBarcode::SetFastMode(bool value) { Assign(FFastMode, value); }
void TBarcode::SetForeColor(TColor value) { Assign(FForeColor, value); }
void TBarcode::SetGuardDescent(float value) { Assign(FGuardDescent, value); }
void TBarcode::SetHeight(float value) { Assign(FHeight, value); }
void TBarcode::SetHeightPerRow(bool value) { Assign(FHeightPerRow, value); }
void TBarcode::SetInputCheck(bool value) { Assign(FInputCheck, value); }
void TBarcode::SetInputEscape(bool value) { Assign(FInputEscape, value); }
void TBarcode::SetInputExtraEscape(bool value) { Assign(FInputExtraEscape, value); }
void TBarcode::SetInputMode(TInputMode value) { Assign(FInputMode, value); }
void TBarcode::SetInputParentheses(bool value) { Assign(FInputParentheses, value); }
void TBarcode::SetInputText(const QString &value) { Assign(FInputText, value); }
void TBarcode::SetMask(int value) { AssignInRange(FMask, value, -1, 7); }
void TBarcode::SetOutputOptions(TOutputOptions value) { Assign(FOutputOptions, value); }
void TBarcode::SetPrimaryMessage(const QString &value) { Assign(FPrimaryMessage, value); }
void TBarcode::SetQuietZones(TQuietZones value) { Assign(FQuietZones, value); }
void TBarcode::SetRotation(int value) { Assign(FRotation, value); }
void TBarcode::SetRows(int value) { Assign(FRows, value); }
void TBarcode::SetScale(float value) { Assign(FScale, value); }
void TBarcode::SetSecurityLevel(TSecurityLevel value) { Assign(FSecurityLevel, value); }
void TBarcode::SetSeparatorHeight(int value) { Assign(FSeparatorHeight, value); }
void TBarcode::SetShowText(bool value) { Assign(FShowText, value); }
void TBarcode::SetSymbolVersion(int value) { AssignInRange(FSymbolVersion, value, 0, 84); }
void TBarcode::SetTextGap(float value) { Assign(FTextGap, value); }
void TBarcode::SetWhiteSpaceHeight(int value) { Assign(FWhiteSpaceHeight, value); }
void TBarcode::SetWhiteSpaceWidth(int value) { Assign(FWhiteSpaceWidth, value); }

// These four take effect at the next render that something else triggers.
void TBarcode::SetEciEncoding(TEciEncoding value) { FEciEncoding = value; }
void TBarcode::SetMultiByte(bool value) { FMultiByte = value; }
void TBarcode::SetUltracode(TUltracode value) { FUltracode = value; }
void TBarcode::SetWarningLevel(TWarningLevel value) { FWarningLevel = value; }

void TBarcode::SetSymbology(TSymbology value)
{
    if (FSymbology == value)
        return;
    // Only reachable through an integer cast or the meta-object system; the catalogue has no row.
    if (int(value) >= SymbologyCount)
        throw EInvalidOperation(QStringLiteral("%1 property out of range")
                                    .arg(QLatin1String(metaObject()->className())));
    FSymbology = value;
    FChanged = true;
}

QString TBarcode::SymbologyName() const
{
    return DisplayName(FSymbology);
}

void TBarcode::SetSymbologyName(const QString &value)
{
    if (value == DisplayName(FSymbology))
        return;
    TSymbology found;
    if (!FindSymbology(value, found))
        throw EBarcodeError(QStringLiteral("Symbology not found"));
    SetSymbology(found);
}

QString TBarcode::SymbologyNames(TSymbology index)
{
    return DisplayName(index);
}

QString TBarcode::BarcodeName() const
{
    const TZintApi &api = LoadZint();
    char name[32] = {};
    if (api.BarcodeName(EngineId(FSymbology), name) != 0)
        return QString();
    return QString::fromLocal8Bit(name, int(strnlen(name, sizeof name)));
}

TCapabilities TBarcode::Capabilities() const
{
    const TZintApi &api = LoadZint();
    // Bit n of the engine's word is capability n; bits above the 14 known ones are dropped.
    return TCapabilities(api.Cap(EngineId(FSymbology), 0x3FFF) & 0x3FFF);
}

int TBarcode::Version() const
{
    return LoadZint().Version();
}

float TBarcode::XDimension() const
{
    return ZintDefaultXdim(EngineId(FSymbology));
}

#ifndef QUORVEL_FILES_ONLY
const QImage &TBarcode::Bitmap()
{
    Generate(QString());
    return FBitmap;
}
#endif

QString TBarcode::OutputText()
{
    Generate(QString());
    return FOutputText;
}

int TBarcode::RowCount()
{
    Generate(QString());
    return FRowCount;
}

int TBarcode::Width()
{
    Generate(QString());
    return FWidth;
}

void TBarcode::SetResolution(double value)
{
    if (!std::isfinite(value) || value < 0)
        throw EBarcodeError(QStringLiteral("Resolution must be 0 (none) or a positive number of dpi, not %1")
                                .arg(value));
    FResolution = value;
}

void TBarcode::SetTransparentBack(bool value)
{
    Assign(FTransparentBack, value);
}

bool TBarcode::KeepsTransparency(const QString &extension)
{
    const TFileFormat *format = FileFormatOf(QStringLiteral("symbol.") + extension);
    return format != nullptr && format->Transparency;
}

void TBarcode::Save(const QString &FileName)
{
    FChanged = true;
    Generate(FileName);
}

bool TBarcode::SaveChecksFiles() const
{
    return TSaveTarget::ChecksArrival(InSet(FOutputOptions, opStdout));
}

void TBarcode::AssignSettings(const TBarcode &source)
{
    // Through the published properties, so that a setting added later is copied too. The
    // component's Name (declared above this class) is not a barcode setting.
    const QMetaObject &meta = staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        if (property.isStored() && property.isWritable())
            property.write(this, property.read(&source));
    }
    // Not published, but they change the bytes of a saved file and whether a save succeeds.
    FResolution = source.FResolution;
    FKeepWarnings = source.FKeepWarnings;
    FTransparentBack = source.FTransparentBack;
    FChanged = true;
}
