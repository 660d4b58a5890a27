# Sample projects live in the tree as readable sources (a UTF-8 panel file <Name>.cpf.xml, the
# designer project project/<Name>.vxj and pictures under image/) and are packed at build time
# into the archive ":/data/Veloxa/<Name>.cpz" of veloxa_resources. <Name>.entries fixes the
# entry order: panel file, designer project, then the pictures.
#   veloxa_add_sample(<Name> IMAGES <file>...)

find_program(VELOXA_ICONV iconv REQUIRED)
set(VELOXA_UTF16_PANEL ${CMAKE_CURRENT_LIST_DIR}/Utf16Panel.cmake)

function(veloxa_add_sample name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "IMAGES")
    set(source ${CMAKE_CURRENT_SOURCE_DIR})
    set(stage ${CMAKE_CURRENT_BINARY_DIR}/stage)
    set(staged ${stage}/${name}.cpf ${stage}/project/${name}.vxj)
    set(images)
    foreach(image IN LISTS arg_IMAGES)
        list(APPEND images ${source}/image/${image})
        list(APPEND staged ${stage}/image/${image})
    endforeach()

    # The packer takes every file below the stage, so the stage is rebuilt from scratch.
    add_custom_command(
        OUTPUT ${staged}
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/project ${stage}/image
        COMMAND ${CMAKE_COMMAND} -DICONV=${VELOXA_ICONV} -DINPUT=${source}/${name}.cpf.xml
                -DOUTPUT=${stage}/${name}.cpf -P ${VELOXA_UTF16_PANEL}
        COMMAND ${CMAKE_COMMAND} -E copy ${source}/project/${name}.vxj ${stage}/project/${name}.vxj
        COMMAND ${CMAKE_COMMAND} -E copy ${images} ${stage}/image
        DEPENDS ${source}/${name}.cpf.xml ${VELOXA_UTF16_PANEL} ${source}/project/${name}.vxj
                ${images}
        COMMENT "Staging the ${name} sample"
        VERBATIM)

    # BASE makes the archive's resource path data/Veloxa/<Name>.cpz.
    set(qrc_root ${CMAKE_CURRENT_BINARY_DIR}/qrc)
    set(archive ${qrc_root}/data/Veloxa/${name}.cpz)
    add_custom_command(
        OUTPUT ${archive}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${qrc_root}/data/Veloxa
        COMMAND veloxa-cpz pack ${archive} ${stage} ${source}/${name}.entries
        DEPENDS veloxa-cpz ${staged} ${source}/${name}.entries
        COMMENT "Packing the ${name} sample archive"
        VERBATIM)

    string(TOLOWER ${name} resource)
    qt_add_resources(veloxa_resources "veloxa_${resource}"
        PREFIX "/"
        BASE ${qrc_root}
        FILES ${archive}
        OUTPUT_TARGETS targets)
    foreach(target IN LISTS targets)
        veloxa_target_defaults(${target})
    endforeach()
endfunction()
