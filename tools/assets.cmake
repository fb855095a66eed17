# Builds the asset generator and runs it, so that a build tree always holds
# the complete images/ and wave/ folders and the main window's own pictures.

file(GLOB KINOPA_ASSETGEN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*.cpp)
add_executable(kinopa_assetgen ${KINOPA_ASSETGEN_SOURCES})
target_include_directories(kinopa_assetgen PRIVATE tools)
target_link_libraries(kinopa_assetgen PRIVATE Qt6::Gui)
set_target_properties(kinopa_assetgen PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

set(KINOPA_IMAGE_FILES
  ${KINOPA_IMAGES_DIR}/back.bmp
  ${KINOPA_IMAGES_DIR}/zarup.bmp
  ${KINOPA_IMAGES_DIR}/melkit.bmp
  ${KINOPA_IMAGES_DIR}/tovrin.bmp
  ${KINOPA_IMAGES_DIR}/text.bmp)
set(KINOPA_WAVE_FILES
  ${KINOPA_WAVE_DIR}/zarupok.wav
  ${KINOPA_WAVE_DIR}/zarupfall.wav
  ${KINOPA_WAVE_DIR}/melkitok.wav
  ${KINOPA_WAVE_DIR}/melkitmiss.wav
  ${KINOPA_WAVE_DIR}/music.wav)
set(KINOPA_ART_FILES
  ${KINOPA_ART_DIR}/window.jpg
  ${KINOPA_ART_DIR}/field.bmp
  ${KINOPA_ART_DIR}/kinopa.ico)
# The icon as the desktop's menus show it, installed into the hicolor theme.
set(KINOPA_ICON_SIZES 32 128 256)
set(KINOPA_ICON_FILES)
foreach(size ${KINOPA_ICON_SIZES})
  list(APPEND KINOPA_ICON_FILES ${KINOPA_ART_DIR}/icon-${size}.png)
endforeach()

add_custom_command(
  OUTPUT ${KINOPA_IMAGE_FILES} ${KINOPA_WAVE_FILES} ${KINOPA_ART_FILES} ${KINOPA_ICON_FILES}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:kinopa_assetgen> ${KINOPA_IMAGES_DIR} ${KINOPA_WAVE_DIR} ${KINOPA_ART_DIR}
  DEPENDS kinopa_assetgen
  COMMENT "Drawing the game's pictures and synthesising its sounds"
  VERBATIM)
add_custom_target(kinopa_assets ALL
  DEPENDS ${KINOPA_IMAGE_FILES} ${KINOPA_WAVE_FILES} ${KINOPA_ART_FILES} ${KINOPA_ICON_FILES})
