# libtiff reads the blank-form TIFF and writes page images and tags.
find_package(TIFF REQUIRED)
target_link_libraries(orvexpdoc_internal PUBLIC TIFF::TIFF)
