# Copies SOURCE to DEST unless DEST already exists: a player's settings file
# is never replaced.
# usage: cmake -DSOURCE=file -DDEST=file -P place_if_missing.cmake
if(NOT EXISTS "${DEST}")
  get_filename_component(dest_dir "${DEST}" DIRECTORY)
  file(MAKE_DIRECTORY "${dest_dir}")
  file(COPY_FILE "${SOURCE}" "${DEST}")
endif()
