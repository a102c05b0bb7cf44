/* A stand-in for the zint engine, built three ways (see CMakeLists.txt): it reports the version
   FAKE_ZINT_VERSION, may leave out the entry point FAKE_ZINT_OMIT, and records what the
   component hands it so that tests can read the record back through the FakeZint_ functions. */
#include <zint.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define EXPORT __attribute__((visibility("default")))

/* Values a fresh record carries, so a test can tell "left alone" from "written". */
#define DEFAULT_OPTION_1 -1111
#define DEFAULT_OPTION_2 -2222
#define DEFAULT_OPTION_3 0x10000
#define DEFAULT_ECI 7777
#define DEFAULT_DOT_SIZE 0.25f

static char CallLog[2048];
static struct zint_symbol *Current;
static struct zint_symbol AtEncode, AtCap;
static unsigned char Data[ZINT_MAX_DATA_LEN + 1];
static int DataLength = -1;
static int EncodeResult, BufferResult, PrintResult;
static char ResultText[100];
static unsigned int Capabilities = 0x3FFF;
static int BitmapWidth = 11, BitmapHeight = 3;
static int BitmapClaimedOnly = 0; /* the size is reported, but no pixels are made */
static int Rotation = -1;
static char Outfile[256];
static int CreateFails;

static void Called(const char *name)
{
    if (CallLog[0] && strlen(CallLog) + 1 < sizeof CallLog)
        strcat(CallLog, ",");
    if (strlen(CallLog) + strlen(name) < sizeof CallLog)
        strcat(CallLog, name);
}

static int Fail(struct zint_symbol *symbol, int result)
{
    strcpy(symbol->errtxt, ResultText);
    return result;
}

EXPORT void FakeZint_Reset(void)
{
    CallLog[0] = 0;
    Current = NULL;
    memset(&AtEncode, 0, sizeof AtEncode);
    memset(&AtCap, 0, sizeof AtCap);
    DataLength = -1;
    EncodeResult = BufferResult = PrintResult = 0;
    ResultText[0] = 0;
    Capabilities = 0x3FFF;
    BitmapWidth = 11;
    BitmapHeight = 3;
    BitmapClaimedOnly = 0;
    Rotation = -1;
    Outfile[0] = 0;
    CreateFails = 0;
}

EXPORT const char *FakeZint_Log(void) { return CallLog; }
EXPORT const struct zint_symbol *FakeZint_RecordAtEncode(void) { return &AtEncode; }
EXPORT const struct zint_symbol *FakeZint_RecordAtCap(void) { return &AtCap; }
EXPORT const unsigned char *FakeZint_Data(int *length) { *length = DataLength; return Data; }
EXPORT int FakeZint_Rotation(void) { return Rotation; }
EXPORT const char *FakeZint_Outfile(void) { return Outfile; }
EXPORT void FakeZint_SetCapabilities(unsigned int caps) { Capabilities = caps; }
EXPORT void FakeZint_SetBitmapSize(int width, int height)
{
    BitmapWidth = width;
    BitmapHeight = height;
    BitmapClaimedOnly = 0;
}
EXPORT void FakeZint_ClaimBitmapSize(int width, int height)
{
    FakeZint_SetBitmapSize(width, height);
    BitmapClaimedOnly = 1;
}
EXPORT void FakeZint_SetCreateFails(int fails) { CreateFails = fails; }
/* `stage` 1 fails ZBarcode_Encode, 2 ZBarcode_Buffer, 3 ZBarcode_Print, with `result` and `text`. */
EXPORT void FakeZint_SetFailure(int stage, int result, const char *text)
{
    EncodeResult = stage == 1 ? result : 0;
    BufferResult = stage == 2 ? result : 0;
    PrintResult = stage == 3 ? result : 0;
    strncpy(ResultText, text, sizeof ResultText - 1);
}
/* The pixel the fake draws at (x, y): red, green, blue; with OUT_BUFFER_INTERMEDIATE '0' or '1'.
   Rows come in pairs, as in real symbols, whose modules are several pixels high. */
EXPORT void FakeZint_Pixel(int x, int y, unsigned char rgb[3])
{
    rgb[0] = (unsigned char)(x * 20 + 1);
    rgb[1] = (unsigned char)(y / 2 * 40 + 2);
    rgb[2] = (unsigned char)(x * (y / 2) + 3);
}
EXPORT char FakeZint_Char(int x, int y) { return (x * 3 + y / 2) % 4 == 0 ? '1' : '0'; }

EXPORT struct zint_symbol *ZBarcode_Create(void)
{
    struct zint_symbol *symbol;
    Called("Create");
    if (CreateFails)
        return NULL;
    symbol = calloc(1, sizeof *symbol);
    symbol->symbology = BARCODE_CODE128;
    symbol->scale = 1.0f;
    symbol->option_1 = DEFAULT_OPTION_1;
    symbol->option_2 = DEFAULT_OPTION_2;
    symbol->option_3 = DEFAULT_OPTION_3;
    symbol->eci = DEFAULT_ECI;
    symbol->dot_size = DEFAULT_DOT_SIZE;
    strcpy(symbol->fgcolour, "abcdef");
    strcpy(symbol->primary, "left over");
    Current = symbol;
    return symbol;
}

/* Like the real engine: the results go, the settings stay. */
EXPORT void ZBarcode_Clear(struct zint_symbol *symbol)
{
    Called("Clear");
    free(symbol->bitmap);
    symbol->bitmap = NULL;
    symbol->bitmap_width = symbol->bitmap_height = 0;
    symbol->rows = symbol->width = 0;
    symbol->text[0] = 0;
    symbol->errtxt[0] = 0;
}

EXPORT void ZBarcode_Delete(struct zint_symbol *symbol)
{
    Called("Delete");
    if (symbol == Current)
        Current = NULL;
    free(symbol->bitmap);
    free(symbol);
}

EXPORT int ZBarcode_Encode(struct zint_symbol *symbol, const unsigned char *source, int length)
{
    Called("Encode");
    AtEncode = *symbol;
    DataLength = length;
    if (source && length >= 0 && length <= ZINT_MAX_DATA_LEN) {
        memcpy(Data, source, (size_t)length);
        Data[length] = source[length]; /* the terminator the component promises */
    }
    if (EncodeResult)
        return Fail(symbol, EncodeResult);
    /* Like the real engine, which writes back settings it chose (height, versions). */
    symbol->option_2 = 31337;
    symbol->height = 123.0f;
    symbol->rows = 7;
    symbol->width = 21;
    strcpy((char *)symbol->text, "fake \xc3\xa4 text");
    return 0;
}

EXPORT int ZBarcode_Buffer(struct zint_symbol *symbol, int rotate_angle)
{
    int x, y, intermediate = symbol->output_options & OUT_BUFFER_INTERMEDIATE;
    Called("Buffer");
    Rotation = rotate_angle;
    if (BufferResult)
        return Fail(symbol, BufferResult);
    symbol->bitmap_width = BitmapWidth;
    symbol->bitmap_height = BitmapHeight;
    if (BitmapClaimedOnly) {
        symbol->bitmap = malloc(1);
        return 0;
    }
    symbol->bitmap = malloc((size_t)BitmapWidth * (size_t)BitmapHeight * 3 + 1);
    for (y = 0; y < BitmapHeight; y++)
        for (x = 0; x < BitmapWidth; x++) {
            if (intermediate)
                symbol->bitmap[y * BitmapWidth + x] = (unsigned char)FakeZint_Char(x, y);
            else
                FakeZint_Pixel(x, y, symbol->bitmap + 3 * (y * BitmapWidth + x));
        }
    return 0;
}

EXPORT int ZBarcode_Print(struct zint_symbol *symbol, int rotate_angle)
{
    Called("Print");
    Rotation = rotate_angle;
    memcpy(Outfile, symbol->outfile, sizeof Outfile);
    if (PrintResult)
        return Fail(symbol, PrintResult);
    /* Like the real engine, a successful print leaves a file behind. */
    FILE *file = fopen(symbol->outfile, "w");
    if (file) {
        fputs("fake", file);
        fclose(file);
    }
    return 0;
}

EXPORT unsigned int ZBarcode_Cap(int symbol_id, unsigned int cap_flag)
{
    (void)symbol_id;
    Called("Cap");
    if (Current)
        AtCap = *Current;
    return Capabilities & cap_flag;
}

EXPORT int ZBarcode_BarcodeName(int symbol_id, char name[32])
{
    Called("BarcodeName");
    if (symbol_id == 9999)
        return 1;
    strcpy(name, "BARCODE_FAKE");
    return 0;
}

EXPORT int ZBarcode_Version(void)
{
    Called("Version");
    return FAKE_ZINT_VERSION;
}

EXPORT float ZBarcode_Default_Xdim(int symbol_id) { (void)symbol_id; return 0.5f; }
