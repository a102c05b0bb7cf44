/* Entry points the component requires to be present but never calls. Kept apart from zint.h,
   whose prototypes differ between engine versions. */
#define UNUSED_ENTRY(name) __attribute__((visibility("default"))) int name(void) { return 0; }

#ifndef FAKE_ZINT_OMIT_VALIDID
UNUSED_ENTRY(ZBarcode_ValidID)
#endif
UNUSED_ENTRY(ZBarcode_Encode_Segs)
UNUSED_ENTRY(ZBarcode_Encode_File)
UNUSED_ENTRY(ZBarcode_Encode_and_Print)
UNUSED_ENTRY(ZBarcode_Encode_Segs_and_Print)
UNUSED_ENTRY(ZBarcode_Encode_File_and_Print)
UNUSED_ENTRY(ZBarcode_Encode_and_Buffer)
UNUSED_ENTRY(ZBarcode_Encode_Segs_and_Buffer)
UNUSED_ENTRY(ZBarcode_Encode_File_and_Buffer)
UNUSED_ENTRY(ZBarcode_Buffer_Vector)
UNUSED_ENTRY(ZBarcode_Encode_and_Buffer_Vector)
UNUSED_ENTRY(ZBarcode_Encode_Segs_and_Buffer_Vector)
UNUSED_ENTRY(ZBarcode_Encode_File_and_Buffer_Vector)
UNUSED_ENTRY(ZBarcode_Scale_From_XdimDp)
UNUSED_ENTRY(ZBarcode_XdimDp_From_Scale)
UNUSED_ENTRY(ZBarcode_NoPng)
