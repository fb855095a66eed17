# The plain C++ the browser runs, found where the main build keeps it: the
# rules (src/game, src/sound, src/display), the plain core (the main
# CMakeLists.txt's KINOPA_CORE_SOURCES, or src/core/ once the core lives
# there) and the page's session. Needs KINOPA_ROOT; sets
# KINOPA_RULES_SOURCES and KINOPA_WEB_SESSION_SOURCES.
file(READ ${KINOPA_ROOT}/CMakeLists.txt kinopa_top)
if(kinopa_top MATCHES "set\\(KINOPA_CORE_SOURCES([^)]*)\\)")
  string(REGEX REPLACE "#[^\n]*" "" core "${CMAKE_MATCH_1}")
  separate_arguments(core UNIX_COMMAND "${core}")
  list(TRANSFORM core PREPEND ${KINOPA_ROOT}/)
elseif(IS_DIRECTORY ${KINOPA_ROOT}/src/core)
  file(GLOB core CONFIGURE_DEPENDS ${KINOPA_ROOT}/src/core/*.cpp)
else()
  message(FATAL_ERROR "Neither KINOPA_CORE_SOURCES in CMakeLists.txt nor src/core/: "
                      "where is the plain core?")
endif()
file(GLOB layers CONFIGURE_DEPENDS ${KINOPA_ROOT}/src/game/*.cpp ${KINOPA_ROOT}/src/sound/*.cpp
     ${KINOPA_ROOT}/src/display/*.cpp)
set(KINOPA_RULES_SOURCES ${core} ${layers})

# The state line, wherever the replays' code keeps it.
file(GLOB_RECURSE state_line ${KINOPA_ROOT}/src/*/state_line.cpp)
list(LENGTH state_line found)
if(NOT found EQUAL 1)
  message(FATAL_ERROR "Expected one src/*/state_line.cpp, found: ${state_line}")
endif()
set(KINOPA_WEB_SESSION_SOURCES ${KINOPA_ROOT}/src/web/web_session.cpp ${state_line})
