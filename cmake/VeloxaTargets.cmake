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
