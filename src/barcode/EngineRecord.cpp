#include "barcode/EngineRecord.h"

#include <cstddef>
#include <cstring>

namespace {

// Every field before `text` is a setting; from `text` on the engine writes its results, which
// ZBarcode_Clear resets.
constexpr size_t SettingsSize = offsetof(zint_symbol, text);

} // namespace

TEngineRecord::~TEngineRecord()
{
    Discard();
}

zint_symbol *TEngineRecord::Prepare(const TZintApi &api)
{
    // A record of an engine that has been replaced since (only tests replace it) goes back to
    // the library it came from, which stays loaded while such records live.
    if (FSymbol != nullptr && FLoad != ZintLoadCount())
        Discard();
    if (FSymbol == nullptr) {
        FSymbol = api.Create();
        if (FSymbol == nullptr)
            return nullptr;
        ZintRecordKept();
        FDelete = api.Delete;
        FLoad = ZintLoadCount();
        FDefaults = QByteArray(reinterpret_cast<const char *>(FSymbol), qsizetype(SettingsSize));
        api.Clear(FSymbol);
        return FSymbol;
    }
    api.Clear(FSymbol);
    // fgcolor and bgcolor point into the record itself, which never moves: their saved values
    // stay right.
    std::memcpy(static_cast<void *>(FSymbol), FDefaults.constData(), SettingsSize);
    return FSymbol;
}

void TEngineRecord::Discard()
{
    if (FSymbol == nullptr)
        return;
    FDelete(FSymbol);
    FSymbol = nullptr;
    ZintRecordReleased();
}
