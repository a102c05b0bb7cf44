#pragma once

#include "barcode/ZintLibrary.h"

#include <QByteArray>

// The engine's symbol record of one component, kept from render to render: creating a record
// zero-fills some 30 kB, which costs as much as encoding a small symbol. Before each use the
// record is cleared and its settings are put back to what a fresh record holds, so every render
// starts from the same record as with a new one.
class TEngineRecord final
{
public:
    TEngineRecord() = default;
    ~TEngineRecord();
    TEngineRecord(const TEngineRecord &) = delete;
    TEngineRecord &operator=(const TEngineRecord &) = delete;

    // The record, cleared and with the engine's default settings; created on first use. Null when
    // the engine cannot create one.
    zint_symbol *Prepare(const TZintApi &api);
    // Hands the record back to the engine; the next Prepare creates a new one.
    void Discard();

private:
    zint_symbol *FSymbol = nullptr;
    decltype(&ZBarcode_Delete) FDelete = nullptr;
    int FLoad = 0;           // the engine load the record came from
    QByteArray FDefaults;    // the settings part of a fresh record
};

// Discards the record when the step it guards leaves by an error: a record the engine failed on
// may hold half a symbol in rows that ZBarcode_Clear does not reach.
class TDiscardOnError final
{
public:
    explicit TDiscardOnError(TEngineRecord &record) : FRecord(&record) {}
    ~TDiscardOnError() { if (FRecord != nullptr) FRecord->Discard(); }
    TDiscardOnError(const TDiscardOnError &) = delete;
    TDiscardOnError &operator=(const TDiscardOnError &) = delete;
    void Keep() { FRecord = nullptr; }

private:
    TEngineRecord *FRecord;
};
