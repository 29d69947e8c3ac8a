# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders every picture of res/Catalogue.inc from res/svg/<id>.svg to raw pixels and embeds them
# with one assembler file (.incbin), which is far faster to build than a C++ byte array.
# A picture with painted words (<text data-box=...>) is rendered once more for every language of
# po/, its words from that language's compiled catalogue; Translated.inc lists those renderings.
file(STRINGS ${CMAKE_SOURCE_DIR}/res/Catalogue.inc ZIMBLY_CATALOGUE_LINES REGEX "^ZIMBLY_PICTURE\\(")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/Catalogue.inc)
file(GLOB ZIMBLY_PICTURE_LANGUAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/po/*.po)
list(TRANSFORM ZIMBLY_PICTURE_LANGUAGES REPLACE ".*/([^/]+)\\.po$" "\\1")
set(translated "/* Generated from res/Catalogue.inc and po/: the pictures drawn per language. */\n")

set(ZIMBLY_PICTURE_DIR ${CMAKE_BINARY_DIR}/pictures)
set(ZIMBLY_PICTURE_ASM ${ZIMBLY_PICTURE_DIR}/pictures.S)
set(ZIMBLY_PICTURE_RAWS "")
set(asm "/* Generated from res/Catalogue.inc: the rendered pictures, embedded. */\n")
string(APPEND asm "    .section .rodata.zimbly_pictures,\"a\"\n")
foreach(line IN LISTS ZIMBLY_CATALOGUE_LINES)
    if(NOT line MATCHES "^ZIMBLY_PICTURE\\(([0-9]+), *[A-Z0-9_]+, *([0-9]+), *([0-9]+), *(KEYED|OPAQUE)")
        message(FATAL_ERROR "Bad catalogue line: ${line}")
    endif()
    set(id ${CMAKE_MATCH_1})
    set(width ${CMAKE_MATCH_2})
    set(height ${CMAKE_MATCH_3})
    set(keyed 0)
    if(CMAKE_MATCH_4 STREQUAL "KEYED")
        set(keyed 1)
    endif()
    set(svg ${CMAKE_SOURCE_DIR}/res/svg/${id}.svg)
    set(raw ${ZIMBLY_PICTURE_DIR}/${id}.raw)
    add_custom_command(OUTPUT ${raw}
        COMMAND render_art ${svg} ${raw} ${width} ${height} ${keyed}
        DEPENDS ${svg} render_art
        COMMENT "Rendering picture ${id}" VERBATIM)
    list(APPEND ZIMBLY_PICTURE_RAWS ${raw})
    string(APPEND asm "    .balign 16\n    .global zimbly_picture_${id}\n")
    string(APPEND asm "zimbly_picture_${id}:\n    .incbin \"${raw}\"\n")

    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${svg})
    file(STRINGS ${svg} painted ENCODING UTF-8 REGEX "<text [^>]*data-box=")
    if(NOT painted)
        continue()
    endif()
    foreach(language IN LISTS ZIMBLY_PICTURE_LANGUAGES)
        set(mo ${CMAKE_BINARY_DIR}/locale/${language}/LC_MESSAGES/zimbly.mo)
        set(raw ${ZIMBLY_PICTURE_DIR}/${id}.${language}.raw)
        add_custom_command(OUTPUT ${raw}
            COMMAND render_art ${svg} ${raw} ${width} ${height} ${keyed} ${mo}
            DEPENDS ${svg} ${mo} render_art
            COMMENT "Rendering picture ${id} in ${language}" VERBATIM)
        list(APPEND ZIMBLY_PICTURE_RAWS ${raw})
        string(APPEND asm "    .balign 16\n    .global zimbly_picture_${id}_${language}\n")
        string(APPEND asm "zimbly_picture_${id}_${language}:\n    .incbin \"${raw}\"\n")
        string(APPEND translated "ZIMBLY_TRANSLATED_PICTURE(${id}, ${language})\n")
    endforeach()
endforeach()
file(CONFIGURE OUTPUT ${ZIMBLY_PICTURE_DIR}/Translated.inc CONTENT "${translated}")
string(APPEND asm "    .section .note.GNU-stack,\"\",@progbits\n")
file(MAKE_DIRECTORY ${ZIMBLY_PICTURE_DIR})
file(CONFIGURE OUTPUT ${ZIMBLY_PICTURE_ASM} CONTENT "${asm}")

set_source_files_properties(${ZIMBLY_PICTURE_ASM} PROPERTIES OBJECT_DEPENDS "${ZIMBLY_PICTURE_RAWS}")
add_library(zimbly_pictures STATIC ${ZIMBLY_PICTURE_ASM} ${ZIMBLY_PICTURE_RAWS})
target_include_directories(zimbly_pictures PUBLIC ${ZIMBLY_PICTURE_DIR})
