# kinopa-hall: the plain layers (to prove games by replaying them), the
# storage (src/store) and the server's front end (src/hall), with no Qt and
# no SDL. Included by the top CMakeLists.txt when KINOPA_BUILD_HALL is on.
find_package(Boost 1.81 REQUIRED COMPONENTS json url)
find_package(PkgConfig REQUIRED)
pkg_check_modules(KINOPA_SQLITE3 REQUIRED IMPORTED_TARGET sqlite3)
pkg_check_modules(KINOPA_PQXX REQUIRED IMPORTED_TARGET libpqxx)
pkg_check_modules(KINOPA_UTF8PROC REQUIRED IMPORTED_TARGET libutf8proc)

foreach(layer ${KINOPA_HALL_LAYERS})
  kinopa_add_layer(${layer} EXCLUDE main.cpp)
endforeach()
target_link_libraries(kinopa_store PUBLIC PkgConfig::KINOPA_SQLITE3 PkgConfig::KINOPA_PQXX)
target_link_libraries(kinopa_hall PUBLIC Boost::headers Boost::json Boost::url
                      PkgConfig::KINOPA_UTF8PROC)

# The players' sentences in Japanese, from translations/kinopa_ja.ts, as the
# browser's build makes them.
find_program(KINOPA_PYTHON python3 REQUIRED)
set(KINOPA_HALL_SENTENCES ${CMAKE_BINARY_DIR}/generated/hall_japanese_sentences.cpp)
add_custom_command(
  OUTPUT ${KINOPA_HALL_SENTENCES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND ${KINOPA_PYTHON} ${CMAKE_SOURCE_DIR}/web/japanese_sentences.py
          ${CMAKE_SOURCE_DIR}/translations/kinopa_ja.ts ${KINOPA_HALL_SENTENCES} hall/language.h
  DEPENDS ${CMAKE_SOURCE_DIR}/web/japanese_sentences.py ${CMAKE_SOURCE_DIR}/translations/kinopa_ja.ts
  COMMENT "The hall's Japanese sentences from translations/kinopa_ja.ts"
  VERBATIM)
target_sources(kinopa_hall PRIVATE ${KINOPA_HALL_SENTENCES})

add_executable(kinopa-hall src/hall/main.cpp ${KINOPA_PLAIN_OBJECTS})
target_link_libraries(kinopa-hall PRIVATE kinopa_hall kinopa_store)
target_compile_definitions(kinopa-hall PRIVATE KINOPA_VERSION="${PROJECT_VERSION}")

# --- Installed as a service, in a Debian package of its own beside the game's
# --- (tools/hall/package.cmake; scripts/package builds both): the program,
# --- the systemd unit, the manual page, the browser's site when it was built.
# --- Only on request (cmake --install build --component hall): installing the
# --- game leaves the server out.
if(KINOPA_HALL_PACKAGE)
  set(KINOPA_HALL_UNIT_DIR /lib/systemd/system)  # where Debian 12 keeps units
else()
  set(KINOPA_HALL_UNIT_DIR lib/systemd/system)
endif()
set(KINOPA_HALL_SITE ${CMAKE_SOURCE_DIR}/build-web/site CACHE PATH
    "The browser build's site, installed with kinopa-hall when it is there")
set(KINOPA_HALL_MAN ${CMAKE_BINARY_DIR}/man/kinopa-hall.8.gz)
add_custom_command(
  OUTPUT ${KINOPA_HALL_MAN}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
  COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/tools/hall/kinopa-hall.8 > ${KINOPA_HALL_MAN}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/hall/kinopa-hall.8
  COMMENT "Compressing kinopa-hall's manual page")
set(KINOPA_HALL_COPYRIGHT ${CMAKE_BINARY_DIR}/doc/kinopa-hall/copyright)
add_custom_command(
  OUTPUT ${KINOPA_HALL_COPYRIGHT}
  COMMAND ${CMAKE_COMMAND} -DGAME=${CMAKE_SOURCE_DIR}/tools/copyright -DSITE=${KINOPA_HALL_SITE}
          -DOUT=${KINOPA_HALL_COPYRIGHT} -P ${CMAKE_SOURCE_DIR}/tools/hall/copyright.cmake
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/copyright ${CMAKE_SOURCE_DIR}/tools/hall/copyright.cmake
  COMMENT "kinopa-hall's copyright file")
add_custom_target(kinopa_hall_docs ALL DEPENDS ${KINOPA_HALL_MAN} ${KINOPA_HALL_COPYRIGHT})
install(TARGETS kinopa-hall RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT hall EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_SOURCE_DIR}/tools/hall/kinopa-hall.service DESTINATION ${KINOPA_HALL_UNIT_DIR}
        COMPONENT hall EXCLUDE_FROM_ALL)
install(FILES ${KINOPA_HALL_MAN} DESTINATION ${CMAKE_INSTALL_MANDIR}/man8 COMPONENT hall EXCLUDE_FROM_ALL)
install(FILES ${KINOPA_HALL_COPYRIGHT} ${CMAKE_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kinopa-hall COMPONENT hall EXCLUDE_FROM_ALL)
if(EXISTS ${KINOPA_HALL_SITE}/index.html)
  install(DIRECTORY ${KINOPA_HALL_SITE}/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/kinopa-hall/site
          COMPONENT hall EXCLUDE_FROM_ALL)
endif()
