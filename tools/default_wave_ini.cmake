# The settings file wave.ini as a first start finds it: no music, the four
# effects from their default files in the sound folder, highest score 0.
# Written to KINOPA_DEFAULT_WAVE_INI (by default defaults/wave.ini in the build).
if(NOT KINOPA_DEFAULT_WAVE_INI)
  set(KINOPA_DEFAULT_WAVE_INI ${CMAKE_BINARY_DIR}/defaults/wave.ini)
endif()
file(WRITE ${KINOPA_DEFAULT_WAVE_INI}
  "\"\",0,1\r\n"
  "\"zarupok.wav\",0,0\r\n"
  "\"zarupfall.wav\",0,0\r\n"
  "\"melkitok.wav\",0,0\r\n"
  "\"melkitmiss.wav\",0,0\r\n"
  "0\r\n")
