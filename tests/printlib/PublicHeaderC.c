/* The public header as a C11 program sees it: every declaration must compile without extensions.
 * Compiled only, never linked; the tests include the same header as C++. */
#include "ORVEXPDOCe.h"

const struct {
    int32_t (*init)(const char16_t*);
    int32_t (*free)(void);
    int32_t (*version)(char16_t*, int32_t*);
    int32_t (*lastError)(char16_t*, int32_t*);
    int32_t (*isError)(int32_t*);
    int32_t (*clearError)(void);
    int32_t (*setSourceTiff)(const char16_t*);
    int32_t (*setTag)(const char16_t*, const char16_t*, int32_t, const char16_t*, int32_t);
    int32_t (*getTag)(int32_t, int32_t, char16_t*, int32_t*);
    int32_t (*sizeTagValue)(int32_t, int32_t);
    int32_t (*numberPages)(void);
    int32_t (*buildDocument)(ORVEXPDOCDataW, const char16_t*, const char16_t*, int32_t, int32_t, intptr_t);
    int32_t (*buildPage)(ORVEXPDOCDataW, const char16_t*, int32_t, const char16_t*);
    int32_t (*printDocument)(ORVEXPDOCDataW, const char16_t*, const char16_t*, int32_t, int32_t, int32_t, intptr_t);
    int32_t (*printBlank)(const char16_t*, const char16_t*, int32_t, int32_t, int32_t, intptr_t);
    int32_t (*md5)(const char16_t*, int32_t, char16_t*);
} orvexpdocExportsSeenFromC = {
    InitORVEXPDOCW,  FreeORVEXPDOC,  ORVEXPDOCVersion, GetLastErrorORVEXPDOCW, IsErrorORVEXPDOC,
    ClearErrorORVEXPDOC, SetSourceTiffW, SetTagW, GetTagW, GetSizeTagValue, GetNumberPages,
    BuildPDocumentW, BuildVPageW, PrintDocumentW, PrintBlankW, MD5HashW,
};
