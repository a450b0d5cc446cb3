/*
 * libORVEXPDOCe: lays out declaration pages with PDF417 barcodes, writes them as TIFF page images
 * or PDF, prints them, reads and writes TIFF tags and computes MD5 digests.
 *
 * Conventions of every function:
 * - Texts are UTF-16 (char16_t, host byte order) and zero-terminated, except the data argument.
 * - A function returns 1 on success and 0 on failure (the count functions return 0 on failure);
 *   a failure leaves one report line in the library's last-error text, which
 *   GetLastErrorORVEXPDOCW fetches. The library never changes the process locale.
 * - Copying a text out (ORVEXPDOCVersion, GetLastErrorORVEXPDOCW, GetTagW): *size holds on entry
 *   the buffer's capacity in characters NOT counting the terminating zero (the buffer holds
 *   capacity + 1 characters). The function stores the text's full length into *size and, when
 *   buffer is not null and the capacity is above 0, copies min(capacity, length) characters and
 *   a zero. Ask for the length with a null buffer, then call again.
 * - The data argument is an ORVEXPDOCDataW view: a pointer and a length in UTF-16 code units;
 *   the text need not be zero-terminated and counts as empty when length < 1 or text is null.
 *   It holds either the XML data document itself (first character '<') or the path of an XML
 *   file.
 * - An owner window is an intptr_t native window id (an X11 Window, for instance); 0 means none.
 * - The functions are meant for one calling thread.
 */
#ifndef ORVEXPDOCE_H
#define ORVEXPDOCE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#else
#include <uchar.h>
#endif

#define ORVEXPDOC_API __attribute__((visibility("default")))

typedef struct ORVEXPDOCDataW {
    const char16_t* text;
    int32_t length;
} ORVEXPDOCDataW;

/* Set-up and tear-down. */
ORVEXPDOC_API int32_t InitORVEXPDOCW(const char16_t* sourceTiffPath);
ORVEXPDOC_API int32_t FreeORVEXPDOC(void);
/* The library's version, "3.3.2". */
ORVEXPDOC_API int32_t ORVEXPDOCVersion(char16_t* buffer, int32_t* size);

/* The last-error text: kept until ClearErrorORVEXPDOC or the next failure replaces it. */
ORVEXPDOC_API int32_t GetLastErrorORVEXPDOCW(char16_t* buffer, int32_t* size);
/* Stores the text's length in *length; 1 when an error text is stored, else 0. */
ORVEXPDOC_API int32_t IsErrorORVEXPDOC(int32_t* length);
ORVEXPDOC_API int32_t ClearErrorORVEXPDOC(void);

/* Source pages and tags. Page numbers count from 1. */
ORVEXPDOC_API int32_t SetSourceTiffW(const char16_t* sourceTiffPath);
ORVEXPDOC_API int32_t SetTagW(const char16_t* outputPath, const char16_t* pageSelection, int32_t tagId,
                              const char16_t* value, int32_t valueLength);
ORVEXPDOC_API int32_t GetTagW(int32_t pageNumber, int32_t tagId, char16_t* buffer, int32_t* size);
ORVEXPDOC_API int32_t GetSizeTagValue(int32_t pageNumber, int32_t tagId);
ORVEXPDOC_API int32_t GetNumberPages(void);

/* Building and printing. scale is in percent; showProgress non-zero runs the job under a progress
 * dialog owned by ownerWindow. */
ORVEXPDOC_API int32_t BuildPDocumentW(ORVEXPDOCDataW data, const char16_t* outputPath,
                                      const char16_t* pageSelection, int32_t scale, int32_t showProgress,
                                      intptr_t ownerWindow);
ORVEXPDOC_API int32_t BuildVPageW(ORVEXPDOCDataW data, const char16_t* outputPath, int32_t sheetNumber,
                                  const char16_t* imageType);
ORVEXPDOC_API int32_t PrintDocumentW(ORVEXPDOCDataW data, const char16_t* printerName,
                                     const char16_t* pageSelection, int32_t copies, int32_t scale,
                                     int32_t showProgress, intptr_t ownerWindow);
ORVEXPDOC_API int32_t PrintBlankW(const char16_t* printerName, const char16_t* pageSelection, int32_t copies,
                                  int32_t scale, int32_t showProgress, intptr_t ownerWindow);

/* MD5 digest (RFC 1321). mode 0: of the text's UTF-16LE bytes (all 2 * length of them);
 * mode 1: of the bytes of the file the text names. Writes 32 lower-case hexadecimal digits to
 * output[0..31] on success, no terminating zero; output is left alone on failure. */
ORVEXPDOC_API int32_t MD5HashW(const char16_t* text, int32_t mode, char16_t* output);

#ifdef __cplusplus
}
#endif

#endif /* ORVEXPDOCE_H */
