# The build places the first wave.ini in its wave/ folder only when none is
# there yet; an install ships it, and a player's first start copies it to
# their own folder.
include(${CMAKE_CURRENT_LIST_DIR}/default_wave_ini.cmake)

add_custom_target(kinopa_wave_ini ALL
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${KINOPA_DEFAULT_WAVE_INI} -DDEST=${KINOPA_WAVE_DIR}/wave.ini
          -P ${CMAKE_SOURCE_DIR}/tools/place_if_missing.cmake
  COMMENT "Placing the initial wave.ini unless there is one"
  VERBATIM)
add_dependencies(kinopa_wave_ini kinopa_assets)
add_dependencies(kinopa kinopa_wave_ini)
