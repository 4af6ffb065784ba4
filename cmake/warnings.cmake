# Warnings every target of ours builds with.
function(qc_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual)
    # GCC 12 warns falsely about std::string assignments (its bug 105329).
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
endfunction()

# The include root of a library of one src/ folder: a directory holding only a
# link to that folder, so "<folder>/x.h" resolves for the library and for what
# links it, and a library sees the folders of the layers it links and no others.
# An include from a layer above then fails to compile instead of passing silently.
function(qc_include_root name scope)
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    set(root ${PROJECT_BINARY_DIR}/include-roots/${name})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
    target_include_directories(${name} ${scope} ${root})
endfunction()

# A core library built from the sources of one folder; the core never links Qt.
function(qc_core_library name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    # detail/ holds the folder's internal parts, built into the same library.
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/detail/*.cpp)
    if(sources)
        add_library(${name} STATIC ${sources})
        qc_include_root(${name} PUBLIC)
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
        qc_warnings(${name})
    else()
        add_library(${name} INTERFACE)
        qc_include_root(${name} INTERFACE)
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()
endfunction()
