# Runs qmllint over every view and control document; run as
#   cmake -DQMLLINT=<program> -DSOURCE_DIR=<resources folder> -DWORK_DIR=<scratch> -P qmllint.cmake
# The documents import modules that the program registers at run time ("mqmlinterface",
# "wbutton", ...) and read context properties ("intrf"): qmllint cannot resolve those, so
# unqualified names are not checked and findings that only say a type or import is unresolved
# are reported without failing. Everything else fails the run: syntax errors, unknown
# properties of known types, wrong signal handlers, type mismatches.
cmake_minimum_required(VERSION 3.24)

file(GLOB_RECURSE documents LIST_DIRECTORIES false
    ${SOURCE_DIR}/qml/*.qml ${SOURCE_DIR}/qml/*.js
    ${SOURCE_DIR}/qmlcontrol/*.qml ${SOURCE_DIR}/qmlcontrol/*.js)
list(SORT documents)
if(NOT documents)
    message(FATAL_ERROR "no QML documents under ${SOURCE_DIR}")
endif()

set(report ${WORK_DIR}/qmllint.json)
execute_process(
    COMMAND ${QMLLINT} --ignore-settings --unqualified disable --json ${report} ${documents}
    OUTPUT_QUIET ERROR_QUIET)
file(READ ${report} json)

# Findings that only follow from a type or import registered at run time, and the button
# flags of MessageDialog that Qt 6.4's type description lacks.
set(unresolved_pattern "'([A-Za-z0-9_]+)' is used but it is not resolved")
set(tolerated "is used but it is not resolved|was not found\\. Did you add all import paths|Failed to import|Warnings occurred while importing|not found on type \"QQuickMessageDialog\"")

# The lines of the object that starts at first_line: up to its closing brace.
function(object_end path first_line out)
    file(STRINGS ${path} lines)
    list(LENGTH lines count)
    set(depth 0)
    set(opened FALSE)
    math(EXPR index "${first_line} - 1")
    while(index LESS count)
        list(GET lines ${index} text)
        string(REGEX MATCHALL "{" opening "${text}")
        string(REGEX MATCHALL "}" closing "${text}")
        list(LENGTH opening o)
        list(LENGTH closing c)
        math(EXPR depth "${depth} + ${o} - ${c}")
        if(o GREATER 0)
            set(opened TRUE)
        endif()
        math(EXPR index "${index} + 1")
        if(opened AND depth LESS_EQUAL 0)
            break()
        endif()
    endwhile()
    set(${out} ${index} PARENT_SCOPE)
endfunction()

function(warning_at f w out_level out_text out_line)
    string(JSON level GET "${json}" files ${f} warnings ${w} type)
    string(JSON text GET "${json}" files ${f} warnings ${w} message)
    string(JSON line ERROR_VARIABLE no_line GET "${json}" files ${f} warnings ${w} line)
    set(${out_level} ${level} PARENT_SCOPE)
    set(${out_text} "${text}" PARENT_SCOPE)
    set(${out_line} ${line} PARENT_SCOPE)
endfunction()

set(failures 0)
set(tolerated_count 0)
string(JSON file_count LENGTH "${json}" files)
math(EXPR last_file "${file_count} - 1")
foreach(f RANGE ${last_file})
    string(JSON name GET "${json}" files ${f} filename)
    string(JSON warning_count LENGTH "${json}" files ${f} warnings)
    if(warning_count EQUAL 0)
        continue()
    endif()
    math(EXPR last_warning "${warning_count} - 1")

    # Objects of runtime types: what is bound inside them cannot be checked.
    set(runtime_types "")
    set(runtime_ranges "")
    foreach(w RANGE ${last_warning})
        warning_at(${f} ${w} level text line)
        if(text MATCHES "${unresolved_pattern}" AND line)
            list(APPEND runtime_types ${CMAKE_MATCH_1})
            object_end(${name} ${line} end)
            list(APPEND runtime_ranges "${line}:${end}")
        endif()
    endforeach()

    foreach(w RANGE ${last_warning})
        warning_at(${f} ${w} level text line)
        set(inside FALSE)
        if(text MATCHES "^Binding assigned to" AND line)
            foreach(range ${runtime_ranges})
                string(REPLACE ":" ";" bounds ${range})
                list(GET bounds 0 first)
                list(GET bounds 1 last)
                if(line GREATER_EQUAL first AND line LESS_EQUAL last)
                    set(inside TRUE)
                endif()
            endforeach()
        elseif(text MATCHES "not found on type \"([A-Za-z0-9_]+)\"")
            if(CMAKE_MATCH_1 IN_LIST runtime_types)
                set(inside TRUE)
            endif()
        endif()
        if(level STREQUAL "info")
            continue()
        elseif(inside OR text MATCHES "${tolerated}")
            math(EXPR tolerated_count "${tolerated_count} + 1")
        else()
            message("${name}:${line}: ${level}: ${text}")
            math(EXPR failures "${failures} + 1")
        endif()
    endforeach()
endforeach()

message(STATUS "qmllint: ${file_count} documents, ${failures} errors, "
               "${tolerated_count} findings about types registered at run time")
if(failures GREATER 0)
    message(FATAL_ERROR "qmllint found ${failures} errors")
endif()
