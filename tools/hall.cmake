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
