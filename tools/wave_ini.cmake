# The settings file wave.ini as a first start finds it: no music, the four
# effects from their default files in the sound folder, highest score 0.
# The build places it in its wave/ folder only when none is there yet; an
# install ships it, and a player's first start copies it to their own folder.

set(KINOPA_DEFAULT_WAVE_INI ${CMAKE_BINARY_DIR}/defaults/wave.ini)
file(WRITE ${KINOPA_DEFAULT_WAVE_INI}
  "\"\",0,1\r\n"
  "\"zarupok.wav\",0,0\r\n"
  "\"zarupfall.wav\",0,0\r\n"
  "\"melkitok.wav\",0,0\r\n"
  "\"melkitmiss.wav\",0,0\r\n"
  "0\r\n")

add_custom_target(kinopa_wave_ini ALL
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${KINOPA_DEFAULT_WAVE_INI} -DDEST=${KINOPA_WAVE_DIR}/wave.ini
          -P ${CMAKE_SOURCE_DIR}/tools/place_if_missing.cmake
  COMMENT "Placing the initial wave.ini unless there is one"
  VERBATIM)
add_dependencies(kinopa_wave_ini kinopa_assets)
add_dependencies(kinopa kinopa_wave_ini)
