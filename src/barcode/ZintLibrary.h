#pragma once

#include <zint.h>

#include <QString>

// The zint engine, bound at run time. Process-wide: loaded on first need, kept for the life of
// the process; only a library that lacks a required entry point is unloaded again. Every
// difference between engine versions stays in ZintLibrary.cpp.

// The entry points the component calls. DefaultXdim is null when the engine has none.
struct TZintApi
{
    decltype(&ZBarcode_Create) Create;
    decltype(&ZBarcode_Clear) Clear;
    decltype(&ZBarcode_Delete) Delete;
    decltype(&ZBarcode_Encode) Encode;
    decltype(&ZBarcode_Print) Print;
    decltype(&ZBarcode_Buffer) Buffer;
    decltype(&ZBarcode_Buffer_Vector) BufferVector;
    decltype(&ZBarcode_BarcodeName) BarcodeName;
    decltype(&ZBarcode_Cap) Cap;
    float (*DefaultXdim)(int symbolId);
    decltype(&ZBarcode_Version) Version;
};

// To be called right before each call that has the engine encode or draw: clears the upper
// halves of the processor's vector registers. Code elsewhere in the process may leave them in
// use, and the engine's and the C library's SSE code then runs far slower (a batch of Code 128
// SVG files took 1.5 times the processor time of the engine's own tool for the same files).
void PrepareEngineCall();

// Loads the library when it is not loaded yet; raises EBarcodeError when it cannot.
const TZintApi &LoadZint();
// Loads, then refuses an engine whose version differs from the one compiled against.
const TZintApi &LoadZintForRendering();
// Counts the successful loads: records of an earlier load must not be handed to a later one.
int ZintLoadCount();
// Records that components keep between renders. While any is alive, a library being replaced is
// forgotten but not unloaded, so that those records can still be given back to it.
void ZintRecordKept();
void ZintRecordReleased();

// The version of the zint header this program was compiled against, as the engine reports
// versions (2.11.1 -> 21101, 2.13.0.9 -> 21309).
int ZintCompiledVersion();
// The file name the library is loaded by (its soname here, unless a test replaced it).
QString ZintLibraryFileName();

// Record fields that not every engine version has.
void SetZintTextGap(zint_symbol *symbol, float textGap);
// Whether the engine this program was built for has the text gap and Code 128's extra escapes.
bool ZintHasTextGap();
bool ZintHasExtraEscape();
// The engine's default X-dimension; EBarcodeError when the engine has no such entry point.
float ZintDefaultXdim(int symbolId);

// Test hook: loads the engine from `fileName` from now on (empty: the normal name again) and
// unloads whatever library is loaded, so the next need loads afresh.
void ReplaceZintLibraryForTesting(const QString &fileName);
