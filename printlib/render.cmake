# The page renderer draws with Cairo, takes its glyphs from font files through FreeType, writes
# JPEG previews with libjpeg and hands print jobs to CUPS. Debian's libcups ships no pkg-config
# file, so CUPS is found by CMake's own module.
find_package(PkgConfig REQUIRED)
pkg_check_modules(RENDER_CAIRO REQUIRED IMPORTED_TARGET cairo cairo-ft cairo-pdf cairo-png freetype2)
find_package(Cups REQUIRED)
find_package(JPEG REQUIRED)
target_link_libraries(orvexpdoc_internal PUBLIC PkgConfig::RENDER_CAIRO Cups::Cups JPEG::JPEG)
