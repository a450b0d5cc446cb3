# The shared library stays loaded once it has been loaded: it registers its private TIFF tags
# with libtiff process-wide, and libtiff would call into unmapped code after an unload.
# Deferred, because the shared library's target is made after the parts' files are read.
cmake_language(DEFER CALL target_link_options ORVEXPDOCe PRIVATE -Wl,-z,nodelete)
