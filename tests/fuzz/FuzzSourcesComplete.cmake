# Whether a fuzz target's list of sources holds all it needs to link: every header of ours that
# its sources include, directly or through other headers, has its .cpp in the list where there is
# one. Compiling the target's own file cannot show a source missing from the list; only building
# the whole target would, and that takes minutes.
#   cmake -DLIST=<file setting SOURCES and INCLUDE_DIRS> -P FuzzSourcesComplete.cmake
cmake_minimum_required(VERSION 3.25)
include(${LIST})

set(listed)
foreach(source IN LISTS SOURCES)
    file(REAL_PATH ${source} real)
    list(APPEND listed ${real})
endforeach()

set(pending ${listed})
set(read)
set(missing)
while(pending)
    list(POP_FRONT pending path)
    if(path IN_LIST read)
        continue()
    endif()
    list(APPEND read ${path})
    cmake_path(GET path PARENT_PATH folder)
    file(STRINGS ${path} includes REGEX "^#include \"[^\"]+\\.h\"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"([^\"]+)\\.h\".*" "\\1" name "${line}")
        # Found as the compiler finds it: beside the including file first, then in the include folders.
        foreach(dir IN LISTS folder INCLUDE_DIRS)
            if(EXISTS ${dir}/${name}.h)
                file(REAL_PATH ${dir}/${name}.h header)
                list(APPEND pending ${header})
                file(REAL_PATH ${dir}/${name}.cpp source)
                if(EXISTS ${source} AND NOT source IN_LIST listed AND NOT source IN_LIST missing)
                    list(APPEND missing ${source})
                    message(SEND_ERROR "${source} is missing from the target's sources (${path} includes ${name}.h)")
                endif()
                break()
            endif()
        endforeach()
    endforeach()
endwhile()
