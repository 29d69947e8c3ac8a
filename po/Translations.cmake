# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The game's texts in other languages: po/<language>.po compiled into the build tree's
# locale/<language>/LC_MESSAGES/zimbly.mo (found there by the game and the tools run from the build
# tree) and installed under share/locale; the `pot` target brings po/zimbly.pot up to date.
find_program(MSGFMT_EXECUTABLE msgfmt REQUIRED)
find_program(XGETTEXT_EXECUTABLE xgettext)

file(GLOB ZIMBLY_PO_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/po/*.po)
set(ZIMBLY_MO_FILES "")
foreach(po IN LISTS ZIMBLY_PO_FILES)
    get_filename_component(language ${po} NAME_WE)
    set(folder ${CMAKE_BINARY_DIR}/locale/${language}/LC_MESSAGES)
    add_custom_command(OUTPUT ${folder}/zimbly.mo
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${MSGFMT_EXECUTABLE} --check -o ${folder}/zimbly.mo ${po}
        DEPENDS ${po}
        COMMENT "Compiling the ${language} texts" VERBATIM)
    install(FILES ${folder}/zimbly.mo
            DESTINATION ${CMAKE_INSTALL_DATADIR}/locale/${language}/LC_MESSAGES)
    list(APPEND ZIMBLY_MO_FILES ${folder}/zimbly.mo)
endforeach()
add_custom_target(zimbly_translations ALL DEPENDS ${ZIMBLY_MO_FILES})

# The files whose texts a player reads: every room that marks texts with Tr.
set(ZIMBLY_TEXT_FOLDERS facts exercise users report app)
if(XGETTEXT_EXECUTABLE)
    add_custom_target(pot
        COMMAND ${CMAKE_COMMAND} -DXGETTEXT=${XGETTEXT_EXECUTABLE} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
                "-DFOLDERS=${ZIMBLY_TEXT_FOLDERS}" -DOUTPUT=${CMAKE_SOURCE_DIR}/po/zimbly.pot
                -DVERSION=${PROJECT_VERSION} -P ${CMAKE_SOURCE_DIR}/po/MakeTemplate.cmake
        COMMENT "Extracting the texts into po/zimbly.pot" VERBATIM)
endif()
