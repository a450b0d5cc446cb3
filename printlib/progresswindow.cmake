# The progress window is a plugin of its own, linked with Qt Widgets and loaded by the library at
# run time only in a process that runs a Qt GUI application; the library itself links no toolkit.
# It lies beside the library, where the library looks for it.
if(TARGET Qt6::Widgets)
    add_library(ORVEXPDOCeProgressQt MODULE ${CMAKE_CURRENT_SOURCE_DIR}/progresswindow/QtProgressWindow.cpp)
    set_target_properties(ORVEXPDOCeProgressQt PROPERTIES
        PREFIX "lib"
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON
        LIBRARY_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    target_include_directories(ORVEXPDOCeProgressQt PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(ORVEXPDOCeProgressQt PRIVATE Qt6::Widgets)
    target_link_options(ORVEXPDOCeProgressQt PRIVATE -Wl,--no-undefined)
endif()
