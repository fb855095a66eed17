# The hall's Debian package, kinopa-hall: the same CPack as the game's,
# made of the hall's install component alone. Included by
# tools/distribution.cmake when KINOPA_HALL_PACKAGE is on (scripts/package
# configures a build of its own for it).
set(CPACK_PACKAGE_NAME kinopa-hall)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hall of fame server for the Kinopa game")
set(CPACK_PACKAGE_DESCRIPTION
"Kinopa is a small single-player mouse game that plays in the browser as
well as on the desktop. kinopa-hall serves the browser's game together with
an online hall of fame: every game sent to it is replayed under the game's
own rules, and only the score the replay gives is entered. Anyone can watch
any entry.

It keeps its table in SQLite, or in PostgreSQL for several servers behind a
proxy, and runs as a hardened systemd service.")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL hall)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_PACKAGE_NAME kinopa-hall)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${CMAKE_SOURCE_DIR}/tools/hall/postinst
  ${CMAKE_SOURCE_DIR}/tools/hall/prerm
  ${CMAKE_SOURCE_DIR}/tools/hall/postrm)
# CPack installs the hall's component only: it need not build the game first
# (scripts/package builds kinopa-hall and the documents it ships).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
