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
 *   a zero. Ask for the length with a null buffer, then call again. GetTagW also writes the zero
 *   for capacity 0 (an empty string).
 * - Ownership: every buffer belongs to the caller. The library reads the arguments during the call
 *   only, keeps no pointer to them afterwards and returns no memory for the caller to free.
 * - The data argument is an ORVEXPDOCDataW view: a pointer and a length in UTF-16 code units;
 *   the text need not be zero-terminated and counts as empty when length < 1 or text is null.
 *   It holds either the XML data document itself (first character '<') or the path of an XML
 *   file.
 * - An owner window is an intptr_t native window id (an X11 Window, for instance); 0 means none.
 * - The functions are meant for one calling thread; calls from several threads wait for each
 *   other. Once loaded, the library stays loaded until the process ends (dlclose keeps it).
 * - Calling order: InitORVEXPDOCW first; then SetSourceTiffW, the tag functions, GetNumberPages,
 *   building and printing in any order; FreeORVEXPDOC last. Until InitORVEXPDOCW has named a
 *   blank form, and after FreeORVEXPDOC, these fail with 0xC0020043 "Недопустимые параметры.".
 *   The error functions, ORVEXPDOCVersion and MD5HashW work at any time.
 *
 * Test hook: when the environment variable ORVEXPDOC_PRINT_SINK names a file, PrintDocumentW
 * and PrintBlankW write each print job, as a PDF of 210 x 297 mm pages at 600 dpi, to that file
 * instead of sending it to a printer.
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

/* Set-up and tear-down. The source TIFF is the multi-page blank form whose pages are the
 * background of every page; its tag 305 on page 1 names the library version it needs. Its path
 * is checked when it is first used; a null path is refused. FreeORVEXPDOC may be called again;
 * it returns 1. */
ORVEXPDOC_API int32_t InitORVEXPDOCW(const char16_t* sourceTiffPath);
ORVEXPDOC_API int32_t FreeORVEXPDOC(void);
/* The library's version, "3.3.2". */
ORVEXPDOC_API int32_t ORVEXPDOCVersion(char16_t* buffer, int32_t* size);

/* The last-error text: kept until ClearErrorORVEXPDOC or the next failure replaces it. The
 * system's reason for a failure (a missing file, no rights, no room...) is given in Russian,
 * whatever the locale. */
ORVEXPDOC_API int32_t GetLastErrorORVEXPDOCW(char16_t* buffer, int32_t* size);
/* Stores the text's length in *length; 1 when an error text is stored, else 0. */
ORVEXPDOC_API int32_t IsErrorORVEXPDOC(int32_t* length);
ORVEXPDOC_API int32_t ClearErrorORVEXPDOC(void);

/* Source pages and tags. Page numbers count from 1; a page selection is "все" (all), or a
 * comma-separated list of page numbers, ranges "2-5" and the words "чет" (even) and "нечет" (odd).
 * SetSourceTiffW names another blank form, which must exist.
 * SetTagW writes a copy of the blank form to outputPath (which may be the blank form itself)
 * with the tag set on the selected pages. Writable tags: 269, 270, 285, 305, 306, 800, 33432
 * (texts of at most 30000 characters) and 50100, 50200, 50300, 50400 (byte values; one longer
 * than 60000 bytes is stored zlib-packed). Values are stored in cp1251. valueLength 0 takes the
 * whole value; a byte tag may take its first valueLength characters, a text tag only the whole.
 * GetTagW and GetSizeTagValue read tags 256, 257, 258, 259, 277, 282, 283 too; a tag the page
 * lacks reads as an empty text of length 0. */
ORVEXPDOC_API int32_t SetSourceTiffW(const char16_t* sourceTiffPath);
ORVEXPDOC_API int32_t SetTagW(const char16_t* outputPath, const char16_t* pageSelection, int32_t tagId,
                              const char16_t* value, int32_t valueLength);
ORVEXPDOC_API int32_t GetTagW(int32_t pageNumber, int32_t tagId, char16_t* buffer, int32_t* size);
ORVEXPDOC_API int32_t GetSizeTagValue(int32_t pageNumber, int32_t tagId);
ORVEXPDOC_API int32_t GetNumberPages(void);

/* Building and printing. The data argument is the XML data document (root DOCUMENT with
 * its SHEET elements) or the path of its file.
 * - BuildPDocumentW writes the selected sheets into an existing folder as 000001.tif,
 *   000002.tif ...; into a PDF when outputPath ends in ".pdf" (any case); else into one
 *   multi-page TIFF. scale is in percent; 0 or below fits the form beside the barcodes.
 *   Above about 88 the form keeps within the page and the left barcode column lies over it;
 *   above 100 the build is refused (error 0xC0020050).
 *   In a folder the pages replace an earlier document's, its pages past the new last one are
 *   removed, and other files stay. Where the folder holds nothing but page files and belongs to
 *   the calling user, and its parent may be written, the pages are built in a hidden folder
 *   (".orvx-" and six letters or digits) beside it and exchanged with it in one step, so that even
 *   a killed process leaves the folder all old or all new. Elsewhere (other files in the folder,
 *   a parent that may not be written, access lists or extended attributes on the folder, the
 *   process's working folder, a mount point, a file system without that exchange or without
 *   locks, another build into the folder at the same time) the pages replace the earlier ones
 *   one by one: failures and cancels still leave the folder as it was, but a process killed then
 *   may leave whole pages of both documents. What a killed build leaves (hidden files in the
 *   folder, a hidden folder beside it) is removed by the next build into the folder once no
 *   running build holds it.
 * - BuildVPageW writes one sheet as an image: imageType "bmp", "jpeg" ("jpg"), "gif", "tiff"
 *   ("tif"), "png" in any case.
 * - PrintDocumentW and PrintBlankW print on the CUPS printer of that name, the default printer
 *   for an empty name. copies is held within 1..100; a scale outside 1..100 prints at 100.
 * - showProgress non-zero runs the job on a worker thread while the calling thread waits for it.
 *   When the caller runs a Qt GUI application and calls from its GUI thread, the wait shows a
 *   progress window with a cancel button ("Отмена"), modal to ownerWindow when that is one of the
 *   application's top-level windows; it is drawn by the plugin libORVEXPDOCeProgressQt.so beside
 *   the library. A cancelled job returns 0 with the cancel error (1223) and leaves no output.
 *   While the window is up, a call into the library from the application's own event handlers
 *   returns 0 at once (error 0xC0020050). Elsewhere no window is shown.
 * - A drawn field (print not "0") whose rectangle runs past the right or bottom edge of its form
 *   page, 210 x 297 mm (297 x 210 for a landscape page), is refused as a value that does not
 *   fit its field is (error 0xC0020062, naming the field); nothing is written or printed.
 * - Every failure returns 0 with its report, with or without progress. An empty page selection
 *   selects all sheets; one that selects none fails with "Отсутствуют данные.". A blank form made
 *   for a newer library is refused (not by PrintBlankW). */
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
