# Writes the panel file in the form the client reads: UTF-16 big-endian after the byte-order
# mark FE FF. The source is kept in UTF-8 so that it diffs and reviews as text.
#   cmake -DICONV=<iconv> -DINPUT=<Name.cpf.xml> -DOUTPUT=<Name.cpf> -P Utf16Panel.cmake
foreach(var ICONV INPUT OUTPUT)
    if(NOT ${var})
        message(FATAL_ERROR "Utf16Panel.cmake needs -D${var}=...")
    endif()
endforeach()

file(READ "${INPUT}" text)
string(ASCII 239 187 191 bom)
# A leading U+FEFF in UTF-8 becomes the two mark bytes in UTF-16BE; never write two of them.
string(FIND "${text}" "${bom}" at)
if(at EQUAL 0)
    string(SUBSTRING "${text}" 3 -1 text)
endif()
string(FIND "${text}" "encoding=\"UTF-16\"" declared)
if(declared EQUAL -1)
    message(FATAL_ERROR "${INPUT} must declare encoding=\"UTF-16\"")
endif()

set(marked "${OUTPUT}.utf8")
file(WRITE "${marked}" "${bom}${text}")
execute_process(COMMAND "${ICONV}" -f UTF-8 -t UTF-16BE
                INPUT_FILE "${marked}" OUTPUT_FILE "${OUTPUT}"
                RESULT_VARIABLE failed ERROR_VARIABLE why)
file(REMOVE "${marked}")
if(failed)
    file(REMOVE "${OUTPUT}")
    message(FATAL_ERROR "iconv could not convert ${INPUT}: ${why}")
endif()

file(READ "${OUTPUT}" head LIMIT 4 HEX)
if(NOT head STREQUAL "feff003c")
    message(FATAL_ERROR "${OUTPUT} does not start with FE FF and '<' (${head})")
endif()
