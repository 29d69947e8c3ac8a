# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Desktop integration for `cmake --install`: the executable, its manual page, the launcher, the
# AppStream metainfo and the icon in the hicolor theme (PNGs rendered from the SVG at build time).
include(GNUInstallDirs)
set(ZIMBLY_APP_ID org.zimbly.Zimbly)
set(ZIMBLY_ICON_SVG ${CMAKE_SOURCE_DIR}/res/icon/zimbly.svg)
set(ZIMBLY_ICON_THEME_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# The distribution's own prefix keeps games in /usr/games (Debian policy 11.11; players' shells and
# desktop sessions have it on their PATH); any other prefix uses the usual bin/.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(ZIMBLY_DEFAULT_BINDIR games)
else()
    set(ZIMBLY_DEFAULT_BINDIR ${CMAKE_INSTALL_BINDIR})
endif()
set(ZIMBLY_INSTALL_BINDIR ${ZIMBLY_DEFAULT_BINDIR} CACHE STRING
    "Folder of the executable, relative to the install prefix")

install(TARGETS zimbly RUNTIME DESTINATION ${ZIMBLY_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/dist/${ZIMBLY_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/dist/${ZIMBLY_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${ZIMBLY_ICON_SVG} DESTINATION ${ZIMBLY_ICON_THEME_DIR}/scalable/apps
        RENAME ${ZIMBLY_APP_ID}.svg)

set(ZIMBLY_ICON_PNGS "")
foreach(size IN ITEMS 48 128 256)
    set(png ${CMAKE_BINARY_DIR}/icons/${size}/${ZIMBLY_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}
        COMMAND render_art --png ${ZIMBLY_ICON_SVG} ${png} ${size}
        DEPENDS ${ZIMBLY_ICON_SVG} render_art
        COMMENT "Rendering the ${size} px icon" VERBATIM)
    install(FILES ${png} DESTINATION ${ZIMBLY_ICON_THEME_DIR}/${size}x${size}/apps)
    list(APPEND ZIMBLY_ICON_PNGS ${png})
endforeach()
add_custom_target(zimbly_icons ALL DEPENDS ${ZIMBLY_ICON_PNGS})

# Manual pages are installed compressed, without a time stamp so the same source gives the same
# bytes.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(ZIMBLY_MAN_PAGE_GZ ${CMAKE_BINARY_DIR}/dist/zimbly.6.gz)
add_custom_command(OUTPUT ${ZIMBLY_MAN_PAGE_GZ}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/dist/zimbly.6 ${CMAKE_BINARY_DIR}/dist/zimbly.6
    COMMAND ${GZIP_EXECUTABLE} -9nf ${CMAKE_BINARY_DIR}/dist/zimbly.6
    DEPENDS ${CMAKE_SOURCE_DIR}/dist/zimbly.6
    COMMENT "Compressing the manual page" VERBATIM)
add_custom_target(zimbly_man_page ALL DEPENDS ${ZIMBLY_MAN_PAGE_GZ})
install(FILES ${ZIMBLY_MAN_PAGE_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
