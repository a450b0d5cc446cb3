# Previews as GIF images are written with giflib.
find_package(GIF REQUIRED)
target_link_libraries(orvexpdoc_internal PUBLIC GIF::GIF)
