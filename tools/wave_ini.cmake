# The first wave.ini, as a first start finds it: written by the game's own
# writer (tools/wave_ini/first_wave_ini.cpp) into KINOPA_DEFAULT_WAVE_INI,
# defaults/wave.ini in the build. The build places it in its wave/ folder only
# when none is there yet; an install ships it, and a player's first start
# copies it to their own folder.
set(KINOPA_DEFAULT_WAVE_INI ${CMAKE_BINARY_DIR}/defaults/wave.ini)
# The plain layers as a library: the program takes only what it uses.
add_library(kinopa_plain STATIC ${KINOPA_PLAIN_OBJECTS})
add_executable(kinopa_first_wave_ini ${CMAKE_SOURCE_DIR}/tools/wave_ini/first_wave_ini.cpp)
target_include_directories(kinopa_first_wave_ini PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(kinopa_first_wave_ini PRIVATE kinopa_plain)
set_target_properties(kinopa_first_wave_ini PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
add_custom_command(
  OUTPUT ${KINOPA_DEFAULT_WAVE_INI}
  COMMAND kinopa_first_wave_ini ${KINOPA_DEFAULT_WAVE_INI}
  DEPENDS kinopa_first_wave_ini
  COMMENT "Writing the first wave.ini"
  VERBATIM)

add_custom_target(kinopa_wave_ini ALL
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${KINOPA_DEFAULT_WAVE_INI} -DDEST=${KINOPA_WAVE_DIR}/wave.ini
          -P ${CMAKE_SOURCE_DIR}/tools/place_if_missing.cmake
  DEPENDS ${KINOPA_DEFAULT_WAVE_INI}
  COMMENT "Placing the initial wave.ini unless there is one"
  VERBATIM)
add_dependencies(kinopa_wave_ini kinopa_assets)
add_dependencies(kinopa kinopa_wave_ini)
