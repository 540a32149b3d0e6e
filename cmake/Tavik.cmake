# Build conventions shared by every target of the project.

find_package(PkgConfig REQUIRED)
# GoogleTest only for a build with tests: the program and its package need none.
if(TAVIK_TESTS)
    find_package(GTest REQUIRED)
    include(GoogleTest)
endif()

set(TAVIK_WARNINGS -Wall -Wextra -Wpedantic)
if(TAVIK_WERROR)
    list(APPEND TAVIK_WARNINGS -Werror)
endif()
add_compile_options(${TAVIK_WARNINGS})
# Every function and object in a section of its own, so that the program's link can leave out
# what it never uses (--gc-sections, app/CMakeLists.txt).
add_compile_options(-ffunction-sections -fdata-sections)

if(TAVIK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(TAVIK_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "TAVIK_FUZZ needs clang")
    endif()
    # Coverage feedback for libFuzzer in every library the fuzz targets link.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Every include is written from the repository root: #include "platform/gfx/surface.h".
include_directories(${PROJECT_SOURCE_DIR})

# tavik_add_test(NAME SOURCES src... LIBS lib...)
# One GoogleTest executable; each of its tests becomes a CTest test named Suite.Case. Only in a
# build with TAVIK_TESTS.
function(tavik_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
                         WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
endfunction()

# tavik_add_fuzzer(NAME SOURCES src... LIBS lib... CORPUS dir [MAX_LEN bytes])
# A libFuzzer target (with TAVIK_FUZZ) and, in every build, a CTest test that replays
# the seed corpus through the same entry point. MAX_LEN raises the largest input the fuzzer
# makes above libFuzzer's default of 4 KB, for formats whose faults need room.
function(tavik_add_fuzzer name)
    cmake_parse_arguments(ARG "" "CORPUS;MAX_LEN" "SOURCES;LIBS" ${ARGN})
    add_executable(${name}_replay ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
    target_link_libraries(${name}_replay PRIVATE ${ARG_LIBS})
    add_test(NAME fuzz_replay.${name} COMMAND ${name}_replay ${ARG_CORPUS})
    if(TAVIK_FUZZ)
        add_executable(${name} ${ARG_SOURCES})
        target_link_libraries(${name} PRIVATE ${ARG_LIBS})
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
        set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzzers)
        set_property(GLOBAL APPEND PROPERTY TAVIK_FUZZERS "${name}|${ARG_CORPUS}|${ARG_MAX_LEN}")
        add_dependencies(fuzzers ${name})
    endif()
endfunction()

if(TAVIK_FUZZ)
    add_custom_target(fuzzers)
endif()

# tavik_embed_resources(TARGET name NAMESPACE ns FILES file...)
# A static library holding the bytes of the files, regenerated at build time whenever one of
# them changes. Its generated header, included as "<folder>/<name>.h" with <folder> the
# calling folder relative to the repository root (e.g. "resources/tavik_resources.h"),
# declares
#     std::span<const uint8_t> ns::Resource(std::string_view fileName);
# which finds a file by its name without folders ("icon.ico") and gives an empty span for a
# name the library does not hold. Two files with the same name are a configuration error.
function(tavik_embed_resources)
    cmake_parse_arguments(ARG "" "TARGET;NAMESPACE" "FILES" ${ARGN})
    set(files "")
    set(names "")
    foreach(file IN LISTS ARG_FILES)
        get_filename_component(path ${file} ABSOLUTE)
        get_filename_component(name ${file} NAME)
        if(name IN_LIST names)
            message(FATAL_ERROR "tavik_embed_resources: two files named ${name}")
        endif()
        list(APPEND files ${path})
        list(APPEND names ${name})
    endforeach()

    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    set(include_root ${CMAKE_BINARY_DIR}/embedded)
    set(header ${folder}/${ARG_TARGET}.h)
    file(CONFIGURE OUTPUT ${include_root}/${header} @ONLY CONTENT
"#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace @ARG_NAMESPACE@ {

/// The bytes of an embedded file, found by its name without folders; empty for a name this
/// library does not hold.
std::span<const uint8_t> Resource(std::string_view fileName);

}  // namespace @ARG_NAMESPACE@
")

    set(source ${CMAKE_CURRENT_BINARY_DIR}/${ARG_TARGET}.cpp)
    set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/EmbedResources.cmake)
    # The list travels joined by "|", since a ";" would split the command's argument.
    list(JOIN files "|" joined)
    list(JOIN names ", " listed)
    add_custom_command(
        OUTPUT ${source}
        COMMAND ${CMAKE_COMMAND} -DOUTPUT=${source} -DHEADER=${header}
                -DNAMESPACE=${ARG_NAMESPACE} -DFILES=${joined} -P ${script}
        DEPENDS ${files} ${script}
        COMMENT "Embedding ${listed} in ${ARG_TARGET}"
        VERBATIM)
    add_library(${ARG_TARGET} STATIC ${source})
    target_include_directories(${ARG_TARGET} PUBLIC ${include_root})
endfunction()
