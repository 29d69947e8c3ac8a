# Desktop integration for `cmake --install`: the executable, the launcher, the AppStream
# metainfo and the icon in the hicolor theme (PNGs rendered from the SVG at build time).
include(GNUInstallDirs)
set(ZIMBLY_APP_ID org.zimbly.Zimbly)
set(ZIMBLY_ICON_SVG ${CMAKE_SOURCE_DIR}/res/icon/zimbly.svg)
set(ZIMBLY_ICON_THEME_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

install(TARGETS zimbly RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
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
