# Fuzz targets of the barcode library's parsers, built like the storage fuzzer: on request only,
# with clang's libFuzzer, straight from the sources:
#   cmake --build <build> --target fuzz_draw_commands fuzz_pdf417_options fuzz_tiff_tags fuzz_xml_dom
#   <build>/tests/fuzz/draw_commands_fuzzer -max_total_time=120 <scratch corpus dir> tests/fuzz/printlib-corpus/draw-commands
#   <build>/tests/fuzz/pdf417_options_fuzzer -max_total_time=120 <scratch corpus dir> tests/fuzz/printlib-corpus/pdf417-options
#   <build>/tests/fuzz/tiff_tags_fuzzer -max_total_time=120 <scratch corpus dir>
#   <build>/tests/fuzz/xml_dom_fuzzer -max_total_time=120 <scratch corpus dir> tests/fuzz/printlib-corpus/xml-dom
# The TIFF fuzzer damages a file it makes itself, in memory, so it needs no corpus. libtiff, zlib and libxml2
# are the system's, not instrumented.
if(NOT FORV_CLANGXX)
    return()
endif()

set(printlib_fuzz_common ${PROJECT_SOURCE_DIR}/printlib/SSError.cpp ${PROJECT_SOURCE_DIR}/printlib/ErrorTexts.cpp
    ${PROJECT_SOURCE_DIR}/printlib/WideText.cpp)

# printlib_fuzzer(<target> <program> <sources...> [INCLUDES <folders...>] [LIBRARIES <link flags...>])
function(printlib_fuzzer target program)
    cmake_parse_arguments(PARSE_ARGV 2 fuzzer "" "" "INCLUDES;LIBRARIES")
    list(TRANSFORM fuzzer_INCLUDES PREPEND -I)
    set(sources ${fuzzer_UNPARSED_ARGUMENTS} ${printlib_fuzz_common})
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${program})
    add_custom_command(
        OUTPUT ${output}
        # The PDF417 tables are computed at compile time, past clang's default step limit.
        COMMAND ${FORV_CLANGXX} -std=c++20 -g -O1 -fconstexpr-steps=100000000
                -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
                -I${PROJECT_SOURCE_DIR}/printlib ${fuzzer_INCLUDES} ${sources} ${fuzzer_LIBRARIES} -o ${output}
        DEPENDS ${sources}
        COMMENT "Building ${program} with ${FORV_CLANGXX}"
        VERBATIM)
    add_custom_target(${target} DEPENDS ${output})
endfunction()

printlib_fuzzer(fuzz_draw_commands draw_commands_fuzzer
    ${CMAKE_CURRENT_SOURCE_DIR}/DrawCommandFuzzer.cpp
    ${PROJECT_SOURCE_DIR}/printlib/DrawCommandParser.cpp
    ${PROJECT_SOURCE_DIR}/printlib/ElementTable.cpp
    ${PROJECT_SOURCE_DIR}/printlib/ElementText.cpp
    ${PROJECT_SOURCE_DIR}/printlib/ElementTransform.cpp)

printlib_fuzzer(fuzz_pdf417_options pdf417_options_fuzzer
    ${CMAKE_CURRENT_SOURCE_DIR}/Pdf417OptionsFuzzer.cpp
    ${PROJECT_SOURCE_DIR}/printlib/Pdf417.cpp
    ${PROJECT_SOURCE_DIR}/printlib/Pdf417Codewords.cpp
    ${PROJECT_SOURCE_DIR}/printlib/Pdf417Compaction.cpp
    ${PROJECT_SOURCE_DIR}/printlib/Pdf417ErrorCorrection.cpp
    ${PROJECT_SOURCE_DIR}/printlib/Pdf417Fit.cpp
    ${PROJECT_SOURCE_DIR}/printlib/Pdf417Options.cpp
    ${PROJECT_SOURCE_DIR}/printlib/Pdf417Painter.cpp
    ${PROJECT_SOURCE_DIR}/printlib/Pdf417Segments.cpp)

printlib_fuzzer(fuzz_tiff_tags tiff_tags_fuzzer
    ${CMAKE_CURRENT_SOURCE_DIR}/TiffTagsFuzzer.cpp
    ${PROJECT_SOURCE_DIR}/printlib/G4Encoder.cpp
    ${PROJECT_SOURCE_DIR}/printlib/InputFile.cpp
    ${PROJECT_SOURCE_DIR}/printlib/PageBitmap.cpp
    ${PROJECT_SOURCE_DIR}/printlib/TempFile.cpp
    ${PROJECT_SOURCE_DIR}/printlib/TiffFile.cpp
    ${PROJECT_SOURCE_DIR}/printlib/TiffFrameCopy.cpp
    ${PROJECT_SOURCE_DIR}/printlib/TiffPageWriter.cpp
    ${PROJECT_SOURCE_DIR}/printlib/TiffPages.cpp
    ${PROJECT_SOURCE_DIR}/printlib/TiffTags.cpp
    LIBRARIES -ltiff -lz)

find_package(PkgConfig REQUIRED)
pkg_check_modules(FUZZ_LIBXML2 REQUIRED libxml-2.0)
printlib_fuzzer(fuzz_xml_dom xml_dom_fuzzer
    ${CMAKE_CURRENT_SOURCE_DIR}/XmlDomFuzzer.cpp
    ${PROJECT_SOURCE_DIR}/printlib/InputFile.cpp
    ${PROJECT_SOURCE_DIR}/printlib/XmlDom.cpp
    INCLUDES ${FUZZ_LIBXML2_INCLUDE_DIRS}
    LIBRARIES ${FUZZ_LIBXML2_LDFLAGS})
