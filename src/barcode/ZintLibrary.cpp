#include "barcode/ZintLibrary.h"

#include "barcode/BarcodeError.h"
#include "toolkit/InputLimits.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <iterator>

#include <dlfcn.h>

// Set by the build from the zint it found: the version of the compiled-against header and the
// library's soname.
#ifndef QUORVEL_ZINT_VERSION
#error "QUORVEL_ZINT_VERSION must be defined by the build"
#endif
#ifndef QUORVEL_ZINT_SONAME
#error "QUORVEL_ZINT_SONAME must be defined by the build"
#endif

// The program refuses data beyond MaxDataLength before the engine sees it: the limit must leave
// room for the most the engine takes, even written as escape sequences of 8 characters a byte.
#ifdef ZINT_MAX_DATA_LEN
static_assert(MaxDataLength >= qsizetype(ZINT_MAX_DATA_LEN) * 8, "MaxDataLength is below the engine's limit");
#endif

namespace {

// Entry points that only newer headers declare; the build tells which ones this header has.
// An entry point the header does not declare is looked up, but its absence is no error.
#ifdef QUORVEL_ZINT_HAS_DEFAULT_XDIM
constexpr bool DeclaresDefaultXdim = true;
#else
constexpr bool DeclaresDefaultXdim = false;
#endif
#ifdef QUORVEL_ZINT_HAS_XDIMDP
constexpr bool DeclaresXdimDp = true;
#else
constexpr bool DeclaresXdimDp = false;
#endif
#ifdef QUORVEL_ZINT_HAS_NOPNG
constexpr bool DeclaresNoPng = true;
#else
constexpr bool DeclaresNoPng = false;
#endif

struct TEntryPoint
{
    const char *Name;
    bool Required;
};

// Looked up in this order; the first missing required one refuses the library.
const TEntryPoint EntryPoints[] = {
    {"ZBarcode_Create", true},
    {"ZBarcode_Clear", true},
    {"ZBarcode_Delete", true},
    {"ZBarcode_Encode", true},
    {"ZBarcode_Encode_Segs", true},
    {"ZBarcode_Encode_File", true},
    {"ZBarcode_Print", true},
    {"ZBarcode_Encode_and_Print", true},
    {"ZBarcode_Encode_Segs_and_Print", true},
    {"ZBarcode_Encode_File_and_Print", true},
    {"ZBarcode_Buffer", true},
    {"ZBarcode_Encode_and_Buffer", true},
    {"ZBarcode_Encode_Segs_and_Buffer", true},
    {"ZBarcode_Encode_File_and_Buffer", true},
    {"ZBarcode_Buffer_Vector", true},
    {"ZBarcode_Encode_and_Buffer_Vector", true},
    {"ZBarcode_Encode_Segs_and_Buffer_Vector", true},
    {"ZBarcode_Encode_File_and_Buffer_Vector", true},
    {"ZBarcode_ValidID", true},
    {"ZBarcode_BarcodeName", true},
    {"ZBarcode_Cap", true},
    {"ZBarcode_Default_Xdim", DeclaresDefaultXdim},
    {"ZBarcode_Scale_From_XdimDp", DeclaresXdimDp},
    {"ZBarcode_XdimDp_From_Scale", DeclaresXdimDp},
    {"ZBarcode_NoPng", DeclaresNoPng},
    {"ZBarcode_Version", true},
};
constexpr int EntryPointCount = int(sizeof EntryPoints / sizeof EntryPoints[0]);
static_assert(EntryPointCount == 26, "the engine has 26 entry points");

struct TZintState
{
    void *Handle = nullptr;
    QString FileName;
    void *Slots[EntryPointCount] = {};
    TZintApi Api = {};
    int Loads = 0;
    // Components on batch worker threads keep and release records of their own at the same time.
    std::atomic<int> KeptRecords{0};
};

TZintState &State()
{
    static TZintState state;
    return state;
}

QString DefaultFileName()
{
    return QStringLiteral(QUORVEL_ZINT_SONAME);
}

QString LastSystemError()
{
    const char *text = dlerror();
    return text ? QString::fromLocal8Bit(text) : QStringLiteral("Unknown error");
}

void *Slot(const char *name)
{
    for (int i = 0; i < EntryPointCount; ++i)
        if (qstrcmp(EntryPoints[i].Name, name) == 0)
            return State().Slots[i];
    return nullptr;
}

template <typename F>
void Bind(F &target, const char *name)
{
    target = reinterpret_cast<F>(Slot(name));
}

void Unload()
{
    TZintState &state = State();
    if (state.Handle != nullptr && state.KeptRecords == 0)
        dlclose(state.Handle);
    state.Handle = nullptr;
    std::fill(std::begin(state.Slots), std::end(state.Slots), nullptr);
    state.Api = TZintApi{};
}

} // namespace

void PrepareEngineCall()
{
#if defined(__x86_64__) || defined(__i386__)
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx)
        __asm__ __volatile__("vzeroupper");
#endif
}

const TZintApi &LoadZint()
{
    TZintState &state = State();
    if (state.Handle != nullptr)
        return state.Api;

    const QString fileName = ZintLibraryFileName();
    dlerror();
    // A plain name goes through the standard search (RUNPATH of the program first).
    void *handle = dlopen(QFile::encodeName(fileName).constData(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        throw EBarcodeError(LastSystemError() + QStringLiteral(": ") + fileName);
    state.Handle = handle;

    for (int i = 0; i < EntryPointCount; ++i) {
        dlerror();
        state.Slots[i] = dlsym(handle, EntryPoints[i].Name);
        if (state.Slots[i] == nullptr && EntryPoints[i].Required) {
            const QString error = LastSystemError();
            Unload();
            throw EBarcodeError(error + QStringLiteral(": ") + QLatin1String(EntryPoints[i].Name));
        }
    }

    TZintApi &api = state.Api;
    Bind(api.Create, "ZBarcode_Create");
    Bind(api.Clear, "ZBarcode_Clear");
    Bind(api.Delete, "ZBarcode_Delete");
    Bind(api.Encode, "ZBarcode_Encode");
    Bind(api.Print, "ZBarcode_Print");
    Bind(api.Buffer, "ZBarcode_Buffer");
    Bind(api.BufferVector, "ZBarcode_Buffer_Vector");
    Bind(api.BarcodeName, "ZBarcode_BarcodeName");
    Bind(api.Cap, "ZBarcode_Cap");
    Bind(api.DefaultXdim, "ZBarcode_Default_Xdim");
    Bind(api.Version, "ZBarcode_Version");
    ++state.Loads;
    return api;
}

const TZintApi &LoadZintForRendering()
{
    const TZintApi &api = LoadZint();
    if (api.Version() != ZintCompiledVersion())
        throw EBarcodeError(QStringLiteral("Incorrect %1 version").arg(DefaultFileName()));
    return api;
}

int ZintLoadCount()
{
    return State().Loads;
}

void ZintRecordKept()
{
    ++State().KeptRecords;
}

void ZintRecordReleased()
{
    --State().KeptRecords;
}

int ZintCompiledVersion()
{
    return QUORVEL_ZINT_VERSION;
}

QString ZintLibraryFileName()
{
    const QString &replaced = State().FileName;
    return replaced.isEmpty() ? DefaultFileName() : replaced;
}

void SetZintTextGap(zint_symbol *symbol, float textGap)
{
#ifdef QUORVEL_ZINT_HAS_TEXT_GAP
    symbol->text_gap = textGap; // text_gap
#else
    // This header's record has no text_gap: the engine's own gap applies.
    Q_UNUSED(symbol);
    Q_UNUSED(textGap);
#endif
}

bool ZintHasTextGap()
{
#ifdef QUORVEL_ZINT_HAS_TEXT_GAP
    return true;
#else
    return false;
#endif
}

bool ZintHasExtraEscape()
{
#ifdef EXTRA_ESCAPE_MODE
    return true;
#else
    return false;
#endif
}

float ZintDefaultXdim(int symbolId)
{
    const TZintApi &api = LoadZint();
    if (api.DefaultXdim == nullptr)
        throw EBarcodeError(QStringLiteral("ZBarcode_Default_Xdim is not available in %1")
                                .arg(ZintLibraryFileName()));
    return api.DefaultXdim(symbolId);
}

void ReplaceZintLibraryForTesting(const QString &fileName)
{
    Unload();
    State().FileName = fileName;
}
