# What a Linux distribution expects beside the program: the AppStream
# metadata, the manual page, the copyright file and the changelog, and the
# Debian package made of the whole install (scripts/package builds it).

set(KINOPA_APP_ID net.kinopa.Kinopa)
set(KINOPA_METAINFO ${CMAKE_SOURCE_DIR}/tools/${KINOPA_APP_ID}.metainfo.xml)
set(KINOPA_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/kinopa)

# The newest release in the metadata and in the changelog is this version.
file(READ ${KINOPA_METAINFO} metainfo)
file(STRINGS ${CMAKE_SOURCE_DIR}/tools/changelog changelog_top LIMIT_COUNT 1)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${KINOPA_METAINFO} ${CMAKE_SOURCE_DIR}/tools/changelog)
string(REGEX MATCH "<release version=\"([^\"]*)\"" _ "${metainfo}")
set(metainfo_release "${CMAKE_MATCH_1}")
string(REGEX MATCH "^kinopa \\(([^)]*)\\)" _ "${changelog_top}")
set(changelog_release "${CMAKE_MATCH_1}")
if(NOT metainfo_release STREQUAL PROJECT_VERSION OR NOT changelog_release STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "Version ${PROJECT_VERSION} needs its release entry first in "
    "tools/${KINOPA_APP_ID}.metainfo.xml (now ${metainfo_release}) and tools/changelog "
    "(now ${changelog_release})")
endif()

# The manual page and the changelog go compressed, without a time stamp, so
# the same sources make the same package.
set(KINOPA_MAN_PAGE ${CMAKE_BINARY_DIR}/man/kinopa.6)
configure_file(${CMAKE_SOURCE_DIR}/tools/kinopa.6.in ${KINOPA_MAN_PAGE} @ONLY)
add_custom_command(
  OUTPUT ${KINOPA_MAN_PAGE}.gz ${CMAKE_BINARY_DIR}/doc/changelog.gz
  COMMAND gzip -9n -c ${KINOPA_MAN_PAGE} > ${KINOPA_MAN_PAGE}.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
  COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/tools/changelog > ${CMAKE_BINARY_DIR}/doc/changelog.gz
  DEPENDS ${KINOPA_MAN_PAGE} ${CMAKE_SOURCE_DIR}/tools/changelog
  COMMENT "Compressing the manual page and the changelog")
add_custom_target(kinopa_docs ALL DEPENDS ${KINOPA_MAN_PAGE}.gz ${CMAKE_BINARY_DIR}/doc/changelog.gz)

install(FILES ${KINOPA_METAINFO} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${KINOPA_MAN_PAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/tools/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${KINOPA_DOC_DIR})

# --- The Debian package. Its build configures the install folders
# --- (scripts/package); the menu entry names the program where it will be,
# --- so the package is staged with DESTDIR under the real prefix.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kinopa)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Kinopa developers <maintainers@kinopa.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mouse game of catching and clicking")
set(CPACK_PACKAGE_DESCRIPTION
"Kinopa is a small single-player mouse game. Steer the tovrin, a little
chick at the bottom of the play field, by moving the mouse sideways and
catch the bouncing zarup as it comes down: every catch adds the score
increase rate to the score. Clicking the melkit, a small sky whale drifting
in the sky, raises the rate; a zarup that hits the ground costs play time
and the rate. A game lasts 30 seconds.

The user interface is in Japanese. Sound settings choose the music and four
sound effects, and the best game is recorded to be watched again.")
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://kinopa.net/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts in the player's language (the file chooser, the standard
# buttons, the command line's usage) come from qt6-translations-l10n.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The hall's package, from a build of its own (scripts/package).
option(KINOPA_HALL_PACKAGE "Make kinopa-hall's Debian package instead of the game's" OFF)
if(KINOPA_HALL_PACKAGE)
  include(${CMAKE_SOURCE_DIR}/tools/hall/package.cmake)
endif()
include(CPack)
