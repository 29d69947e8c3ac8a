# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in a Release build (scripts/package does it all) packs what
# dist/Install.cmake installs, plus the copyright file and the changelog Debian asks for.
set(ZIMBLY_MAINTAINER "The Zimbly developers <zimbly@example.org>")
set(ZIMBLY_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/zimbly)

# The changelog's newest entry names the packaged version; a release that forgets it would ship a
# package whose history disagrees with its own version.
file(STRINGS ${CMAKE_SOURCE_DIR}/dist/changelog ZIMBLY_CHANGELOG_HEAD LIMIT_COUNT 1)
if(NOT ZIMBLY_CHANGELOG_HEAD MATCHES "^zimbly \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "dist/changelog must begin with an entry for zimbly ${PROJECT_VERSION}, "
                        "not '${ZIMBLY_CHANGELOG_HEAD}'")
endif()

# Compressed like the manual page (dist/Install.cmake).
set(ZIMBLY_CHANGELOG_GZ ${CMAKE_BINARY_DIR}/dist/changelog.gz)
add_custom_command(OUTPUT ${ZIMBLY_CHANGELOG_GZ}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/dist/changelog ${CMAKE_BINARY_DIR}/dist/changelog
    COMMAND ${GZIP_EXECUTABLE} -9nf ${CMAKE_BINARY_DIR}/dist/changelog
    DEPENDS ${CMAKE_SOURCE_DIR}/dist/changelog
    COMMENT "Compressing the changelog" VERBATIM)
add_custom_target(zimbly_changelog ALL DEPENDS ${ZIMBLY_CHANGELOG_GZ})
install(FILES ${CMAKE_SOURCE_DIR}/dist/copyright ${ZIMBLY_CHANGELOG_GZ} DESTINATION ${ZIMBLY_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zimbly)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Zimbly developers")
set(CPACK_PACKAGE_CONTACT ${ZIMBLY_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "drill game of simple sums for young children")
set(CPACK_PACKAGE_DESCRIPTION
"Zimbly sets pages of simple sums for children doing their first arithmetic:
addition, subtraction, chains of three numbers, mixed problems and
fill-in-the-blank problems, all within a number limit between 3 and 100.
The child types each answer on a keypad of glass digit balls or on the
keyboard, sees it marked with a flower, may peek at one answer per page, and
finishes a run on an award certificate that shows the score.

Several children can share one installation: each has a name and a history
of scores drawn as a line chart, and the eight problem sets can be edited.
The game's texts are in Simplified Chinese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories CPack creates itself would otherwise follow the packager's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZIMBLY_MAINTAINER})
# dpkg-shlibdeps finds the libraries the game links (SDL2, FreeType, fontconfig, SQLite, the C++
# runtime; libpng only the tools link). The face is looked up by name at run time, so no linker
# sees it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
