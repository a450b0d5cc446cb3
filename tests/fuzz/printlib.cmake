# Fuzz targets of the barcode library's parsers, built like the storage fuzzer: on request only,
# with clang's libFuzzer, straight from the sources:
#   cmake --build <build> --target fuzz_draw_commands fuzz_pdf417_options fuzz_tiff_tags fuzz_xml_dom
#   <build>/tests/fuzz/draw_commands_fuzzer -max_total_time=120 <scratch corpus dir> tests/fuzz/printlib-corpus/draw-commands
#   <build>/tests/fuzz/pdf417_options_fuzzer -max_total_time=120 <scratch corpus dir> tests/fuzz/printlib-corpus/pdf417-options
#   <build>/tests/fuzz/tiff_tags_fuzzer -max_total_time=120 <scratch corpus dir>
#   <build>/tests/fuzz/xml_dom_fuzzer -max_total_time=120 <scratch corpus dir> tests/fuzz/printlib-corpus/xml-dom
# The TIFF fuzzer damages a file it makes itself, in memory, so it needs no corpus. libtiff, zlib and libxml2
# are the system's, not instrumented.

set(printlib_fuzz_common ${PROJECT_SOURCE_DIR}/printlib/SSError.cpp ${PROJECT_SOURCE_DIR}/printlib/SystemReason.cpp
    ${PROJECT_SOURCE_DIR}/printlib/ErrorTexts.cpp ${PROJECT_SOURCE_DIR}/printlib/WideText.cpp)
# The PDF417 tables are computed at compile time, past clang's default step limit.
set(printlib_fuzz_flags -fconstexpr-steps=100000000 -I${PROJECT_SOURCE_DIR}/printlib)

forv_fuzzer(fuzz_draw_commands draw_commands_fuzzer
    ${CMAKE_CURRENT_SOURCE_DIR}/DrawCommandFuzzer.cpp
    ${PROJECT_SOURCE_DIR}/printlib/DrawCommandParser.cpp
    ${PROJECT_SOURCE_DIR}/printlib/ElementTable.cpp
    ${PROJECT_SOURCE_DIR}/printlib/ElementText.cpp
    ${PROJECT_SOURCE_DIR}/printlib/ElementTransform.cpp
    ${printlib_fuzz_common}
    FLAGS ${printlib_fuzz_flags})

forv_fuzzer(fuzz_pdf417_options pdf417_options_fuzzer
    ${CMAKE_CURRENT_SOURCE_DIR}/Pdf417OptionsFuzzer.cpp
    ${PROJECT_SOURCE_DIR}/printlib/Pdf417.cpp
    ${PROJECT_SOURCE_DIR}/printlib/Pdf417Codewords.cpp
    ${PROJECT_SOURCE_DIR}/printlib/Pdf417Compaction.cpp
    ${PROJECT_SOURCE_DIR}/printlib/Pdf417ErrorCorrection.cpp
    ${PROJECT_SOURCE_DIR}/printlib/Pdf417Fit.cpp
    ${PROJECT_SOURCE_DIR}/printlib/Pdf417Options.cpp
    ${PROJECT_SOURCE_DIR}/printlib/Pdf417Painter.cpp
    ${PROJECT_SOURCE_DIR}/printlib/Pdf417Segments.cpp
    ${printlib_fuzz_common}
    FLAGS ${printlib_fuzz_flags})

forv_fuzzer(fuzz_tiff_tags tiff_tags_fuzzer
    ${CMAKE_CURRENT_SOURCE_DIR}/TiffTagsFuzzer.cpp
    ${PROJECT_SOURCE_DIR}/printlib/FolderPageNames.cpp
    ${PROJECT_SOURCE_DIR}/printlib/G4Encoder.cpp
    ${PROJECT_SOURCE_DIR}/printlib/InputFile.cpp
    ${PROJECT_SOURCE_DIR}/printlib/OutputLeftovers.cpp
    ${PROJECT_SOURCE_DIR}/printlib/PageBitmap.cpp
    ${PROJECT_SOURCE_DIR}/printlib/TempFile.cpp
    ${PROJECT_SOURCE_DIR}/printlib/TiffFile.cpp
    ${PROJECT_SOURCE_DIR}/printlib/TiffFrameCopy.cpp
    ${PROJECT_SOURCE_DIR}/printlib/TiffPageWriter.cpp
    ${PROJECT_SOURCE_DIR}/printlib/TiffPages.cpp
    ${PROJECT_SOURCE_DIR}/printlib/TiffTags.cpp
    ${printlib_fuzz_common}
    FLAGS ${printlib_fuzz_flags}
    LIBRARIES -ltiff -lz)

find_package(PkgConfig REQUIRED)
pkg_check_modules(FUZZ_LIBXML2 REQUIRED libxml-2.0)
list(TRANSFORM FUZZ_LIBXML2_INCLUDE_DIRS PREPEND -I OUTPUT_VARIABLE fuzz_libxml2_includes)
forv_fuzzer(fuzz_xml_dom xml_dom_fuzzer
    ${CMAKE_CURRENT_SOURCE_DIR}/XmlDomFuzzer.cpp
    ${PROJECT_SOURCE_DIR}/printlib/InputFile.cpp
    ${PROJECT_SOURCE_DIR}/printlib/XmlDom.cpp
    ${printlib_fuzz_common}
    FLAGS ${printlib_fuzz_flags} ${fuzz_libxml2_includes}
    LIBRARIES ${FUZZ_LIBXML2_LDFLAGS})
