# Compile settings shared by every target of ours.
function(veloxa_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# One QtTest executable, registered with CTest under the label of its subsystem.
#   veloxa_add_test(tst_uarchive LABEL formats SOURCES tst_uarchive.cpp [LIBS ...])
function(veloxa_add_test name)
    cmake_parse_arguments(ARG "" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    veloxa_target_defaults(${name})
    target_link_libraries(${name} PRIVATE veloxa_core Qt6::Test ${ARG_LIBS})
    # Shared fixtures live beside the tests ("controls/widgettestenv.h").
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set_tests_properties(${name} PROPERTIES
        LABELS "${ARG_LABEL}"
        TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QUICK_BACKEND=software;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/scripts/lsan.supp")
endfunction()

# A benchmark program: built with the rest, run by scripts/benchmarks.sh, never by CTest.
function(veloxa_add_benchmark name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    veloxa_target_defaults(${name})
    target_link_libraries(${name} PRIVATE veloxa_core Qt6::Test ${ARG_LIBS})
endfunction()

# QML documents and scripts as resources under PREFIX, each also compiled to byte code when the
# program is built: the engine finds the compiled unit by the document's qrc path, so a start
# compiles nothing, whether or not the disk cache of an earlier run is there. Byte code only,
# as the engine itself would compile it: the documents behave the same either way.
#   veloxa_add_qml_resources(veloxa_resources veloxa_views PREFIX "/qml" FILES a.qml b/c.js)
function(veloxa_add_qml_resources target name)
    cmake_parse_arguments(ARG "" "PREFIX" "FILES" ${ARGN})
    qt_add_resources(${target} ${name} PREFIX "${ARG_PREFIX}" FILES ${ARG_FILES}
        OUTPUT_TARGETS resource_targets)

    set(qmlcachegen $<TARGET_FILE:Qt6::qmlcachegen>)
    set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/.qmlcache)
    set(compiled)
    set(resource_paths)
    foreach(file ${ARG_FILES})
        set(resource_path "${ARG_PREFIX}/${file}")
        string(REGEX REPLACE "[/.]" "_" stem "${file}")
        set(output ${out_dir}/${name}_${stem}.cpp)
        add_custom_command(OUTPUT ${output}
            COMMAND ${qmlcachegen} --bare --only-bytecode --resource-path "${resource_path}"
                    -o ${output} ${CMAKE_CURRENT_SOURCE_DIR}/${file}
            DEPENDS ${qmlcachegen} ${CMAKE_CURRENT_SOURCE_DIR}/${file}
            VERBATIM)
        list(APPEND compiled ${output})
        list(APPEND resource_paths "${resource_path}")
    endforeach()

    # The loader hands the engine a compiled unit for each resource path; qmlcachegen writes a
    # loader only when the output's name ends in "qmlcache_loader.cpp".
    set(path_list ${out_dir}/${name}_resource_paths.rsp)
    list(JOIN resource_paths "\n" path_text)
    file(GENERATE OUTPUT ${path_list} CONTENT "${path_text}\n")
    set(loader ${out_dir}/${name}_qmlcache_loader.cpp)
    add_custom_command(OUTPUT ${loader}
        COMMAND ${qmlcachegen} --resource-name qmlcache_${name} -o ${loader} @${path_list}
        DEPENDS ${qmlcachegen} ${path_list}
        VERBATIM)

    # Into the object library that carries the resource data of a static library, so the units
    # and their loader reach every program that links the resources, as the data does.
    set_source_files_properties(${compiled} ${loader} PROPERTIES SKIP_AUTOGEN ON)
    if(NOT resource_targets)
        set(resource_targets ${target})
    endif()
    foreach(resource_target ${resource_targets})
        target_sources(${resource_target} PRIVATE ${compiled} ${loader})
        target_link_libraries(${resource_target} PRIVATE Qt6::Qml)
    endforeach()
endfunction()
