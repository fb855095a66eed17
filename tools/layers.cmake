# The game's layers as every build of it names them: the desktop's, the
# browser's, the browser build's helpers for this machine and the fuzzers'.
# Each layer is a folder of src/ and a target of its own; the plain ones
# (no Qt, no SDL, no browser) are listed here once. Including this file also
# brings the exact-number compiler settings every target is built with.
include_guard(GLOBAL)
include(${CMAKE_CURRENT_LIST_DIR}/exact_numbers.cmake)

get_filename_component(KINOPA_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

# The rules (game, sound, display), what they stand on (core) and what runs a
# game without widgets (play), in the order they depend on each other.
set(KINOPA_PLAIN_LAYERS core game sound display play)

# The hall of fame's server (kinopa-hall, tools/hall/hall.cmake): its storage, a
# back end of its own (store: SQLite and PostgreSQL), and its front end
# (hall: HTTP, the routes, the hall page). Neither is plain (they need Boost,
# SQLite, libpqxx and utf8proc) and neither reaches Qt or SDL; the browser's
# build has no use for them.
set(KINOPA_HALL_LAYERS store hall)

# The sources of the layer in src/<folder>: its .cpp and .h files, less any
# named after EXCLUDE (file names within the folder).
function(kinopa_layer_sources folder out)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "EXCLUDE")
  file(GLOB sources CONFIGURE_DEPENDS ${KINOPA_SOURCE_ROOT}/src/${folder}/*.cpp
       ${KINOPA_SOURCE_ROOT}/src/${folder}/*.h)
  foreach(name ${arg_EXCLUDE})
    list(REMOVE_ITEM sources ${KINOPA_SOURCE_ROOT}/src/${folder}/${name})
  endforeach()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# kinopa_add_layer(<folder> [EXCLUDE file...]): the object library
# kinopa_<folder> of src/<folder>, which includes from src/.
function(kinopa_add_layer folder)
  kinopa_layer_sources(${folder} sources ${ARGN})
  add_library(kinopa_${folder} OBJECT ${sources})
  target_include_directories(kinopa_${folder} PUBLIC ${KINOPA_SOURCE_ROOT}/src)
endfunction()

# Every plain layer as its own target, and KINOPA_PLAIN_OBJECTS, their
# objects, for the programs that link them.
macro(kinopa_add_plain_layers)
  set(KINOPA_PLAIN_OBJECTS)
  foreach(layer ${KINOPA_PLAIN_LAYERS})
    kinopa_add_layer(${layer})
    list(APPEND KINOPA_PLAIN_OBJECTS $<TARGET_OBJECTS:kinopa_${layer}>)
  endforeach()
endmacro()
